#include "pupilnamescreen.h"

#include "classrecord.h"
#include "mediapath.h"
#include "module1.h"
#include "navigation.h"
#include "screenparts.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFile>
#include <QStringListModel>

FormSlot<PupilNameScreen> pupilname("pupilname");

using namespace ScreenParts;

namespace {

constexpr LabelDesign questionDesign { tahoma, 36, true, yellow, centre, { 0, 120, 12000, 900 } };
constexpr TwipsRect pictureRect { 3600, 1200, 4800, 3600 };
constexpr TwipsRect nameRect { 3120, 5160, 5760, 615 };
constexpr LabelDesign hintDesign { serif, 18, false, yellow, centre, { 1680, 6000, 8640, 855 } };
constexpr ButtonDesign okButton { 0, u"OK", { 5378, 7920, 1245, 495 } };

const QString typeYourName = QStringLiteral("Type your name in the box, then click OK.");

} // namespace

PupilNameScreen::PupilNameScreen()
{
    Label1 = new Label(this, QStringLiteral("Label1"));
    setupLabel(*Label1, QStringLiteral("What is your name?"), questionDesign);
    Image1 = new ImageBox(this, QStringLiteral("Image1"));
    place(*Image1, pictureRect);
    Text1 = new TextBox(this, QStringLiteral("Text1"));
    Text1->setFont(serif.toString(), 24);
    place(*Text1, nameRect);
    Text1->setMaxLength(nameLength);
    Text1->setAccessibleName(QStringLiteral("Your name"));
    Label2 = new Label(this, QStringLiteral("Label2"));
    setupLabel(*Label2, typeYourName, hintDesign);
    createButton(label3, okButton, this);

    m_completer = new QCompleter(this);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->popup()->setFont(Text1->font());
    Text1->setCompleter(m_completer);

    connect(Text1, &TextBox::keyPress, this, &PupilNameScreen::Text1_KeyPress);
    connect(Text1, &TextBox::changed, Label2, [this] { Label2->setCaption(typeYourName); });
    label3.connect(&Label::clicked, this, &PupilNameScreen::label3_Click);
    ButtonHover::install(*this, label3);
}

PupilNameScreen::~PupilNameScreen() = default;

void PupilNameScreen::Form_Load()
{
    formlayout(*this);
    Image1->loadPicture(QStringLiteral("images\\waterliliessm.jpg"));
    m_completer->setModel(new QStringListModel(classList(), m_completer));
    Text1->setFocus();
}

void PupilNameScreen::Text1_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        label3_Click(0);
}

void PupilNameScreen::label3_Click(int)
{
    // Spaces around a name would make the same pupil two rows of the teacher's results.
    const QString name = Text1->text().trimmed();
    if (name.isEmpty()) {
        Label2->setCaption(QStringLiteral("Please type your name first."));
        Text1->setFocus();
        return;
    }
    ClassRecord::setPupil(name);
    Navigation::showMainMenu();
    unload();
    requestSound(clickSound);
}

QStringList PupilNameScreen::classList()
{
    QFile file(MediaPath::worksheetsFolder() + QStringLiteral("/pupils.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList names;
    const QString text = QString::fromUtf8(file.readAll());
    for (QString name : text.split(u'\n')) {
        if (name.startsWith(QChar(0xFEFF)))
            name.remove(0, 1);
        name = name.trimmed().left(nameLength);
        if (!name.isEmpty() && !names.contains(name))
            names += name;
    }
    return names;
}
