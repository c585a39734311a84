#include "teacherdoor.h"

#include "clock.h"
#include "desktop.h"
#include "module1.h"
#include "passwordtries.h"
#include "screenparts.h"
#include "teacherpassword.h"

#include <array>

FormSlot<TeacherDoor> teacherdoor("teacherdoor");

using namespace ScreenParts;

namespace {

constexpr double doorWidth = 6600;
constexpr double doorHeight = 3600;

constexpr LabelDesign titleDesign { tahoma, 15.75, true, yellow, centre, { 0, 120, 6600, 495 } };
constexpr TwipsRect passwordRect { 840, 840, 4920, 495 };
constexpr LabelDesign messageDesign { tahoma, 12, true, white, centre, { 240, 1440, 6120, 1035 } };
constexpr std::array<ButtonDesign, 2> buttons { {
    { 0, u"OK", { 1200, 2760, 1965, 495 } },
    { 1, u"Cancel", { 3435, 2760, 1965, 495 } },
} };

const QString askText = QStringLiteral("Please type the teacher password.");

bool g_open = false;
PasswordTries g_tries;

} // namespace

TeacherDoor::TeacherDoor()
{
    Label1 = new Label(this, QStringLiteral("Label1"));
    setupLabel(*Label1, QStringLiteral("Teachers Only"), titleDesign);
    Text1 = new TextBox(this, QStringLiteral("Text1"));
    Text1->setFont(serif.toString(), 14.25);
    Text1->setEchoMode(QLineEdit::Password);
    Text1->setAccessibleName(QStringLiteral("Teacher password"));
    place(*Text1, passwordRect);
    Label2 = new Label(this, QStringLiteral("Label2"));
    setupLabel(*Label2, askText, messageDesign);
    for (const ButtonDesign &design : buttons)
        createButton(label3, design, this);
    Timer1 = new Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(250);

    connect(Text1, &TextBox::keyPress, this, &TeacherDoor::Text1_KeyPress);
    label3.connect(&Label::clicked, this, &TeacherDoor::label3_Click);
    ButtonHover::install(*this, label3);
    exitOnEscape(*this, label3[1]);
    connect(Timer1, &Timer::tick, this, &TeacherDoor::Timer1_Timer);
}

TeacherDoor::~TeacherDoor() = default;

void TeacherDoor::enter(QObject *context, std::function<void()> then)
{
    if (isOpen()) {
        then();
        return;
    }
    TeacherDoor *door = teacherdoor.get();
    door->m_context = context;
    door->m_then = std::move(then);
    door->setWindowModality(Qt::ApplicationModal);
    door->show();
    door->Text1->setFocus();
}

bool TeacherDoor::isOpen()
{
    return g_open || !TeacherPassword::isSet();
}

void TeacherDoor::lock()
{
    g_open = false;
    g_tries = {};
}

void TeacherDoor::Form_Load()
{
    setBackColor(layoutBlue);
    setCaption(QStringLiteral("Ondel"));
    resize(doorWidth, doorHeight);
    const Desktop &desktop = Desktop::current();
    move(desktop.widthTwips() / 2 - doorWidth / 2, desktop.heightTwips() / 2 - doorHeight / 2);
    showWait();
}

void TeacherDoor::Text1_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        label3_Click(0);
}

void TeacherDoor::label3_Click(int index)
{
    if (index == 0) {
        tryPassword();
    } else {
        unload();
    }
    requestSound(clickSound);
}

void TeacherDoor::tryPassword()
{
    const QDateTime now = Clock::current().now();
    if (g_tries.secondsToWait(now) > 0) {
        showWait();
        return;
    }
    const QString typed = Text1->text();
    Text1->clear();
    if (!TeacherPassword::matches(typed)) {
        g_tries.wrong(now);
        Label2->setCaption(QStringLiteral("That is not the teacher password. Please try again."));
        showWait();
        return;
    }
    g_tries.right();
    g_open = true;
    const QPointer<QObject> context = m_context;
    const std::function<void()> then = std::move(m_then);
    unload();
    if (context)
        then();
}

void TeacherDoor::showWait()
{
    const int seconds = g_tries.secondsToWait(Clock::current().now());
    const bool waiting = seconds > 0;
    if (waiting) {
        Label2->setCaption(
            QStringLiteral("Too many wrong tries. Please wait %1 %2, then "
                           "try again.")
                .arg(seconds)
                .arg(seconds == 1 ? QStringLiteral("second") : QStringLiteral("seconds")));
    } else if (Timer1->enabled()) {
        Label2->setCaption(askText);
    }
    Text1->setEnabled(!waiting);
    label3[0]->setEnabled(!waiting);
    Timer1->setEnabled(waiting);
    if (!waiting)
        Text1->setFocus();
}

void TeacherDoor::Timer1_Timer()
{
    showWait();
}
