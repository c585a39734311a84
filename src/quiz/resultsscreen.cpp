#include "resultsscreen.h"

#include "celebration.h"
#include "certificateprintout.h"
#include "classrecord.h"
#include "module1.h"
#include "printer.h"
#include "randomsource.h"
#include "readaloud.h"
#include "screenparts.h"
#include "wronganswersscreen.h"

#include <array>

using namespace ScreenParts;

FormSlot<ResultsScreen> Welldone("Welldone");

namespace {

constexpr std::array<ButtonDesign, 2> buttons { {
    { 0, u"", { 240, 1800, 3765, 495 } },
    { 1, u"Exit", { 10560, 7920, 1245, 495 } },
} };

constexpr LabelDesign headlineDesign { tahoma, 36, true, yellow, centre, { 0, 120, 12000, 900 } };
constexpr LabelDesign sentenceDesign { serif, 24, false, yellow, centre, { 0, 5400, 12000, 855 } };
constexpr LabelDesign hintDesign { serif, 24, false, yellow, centre, { 1680, 6000, 8640, 1335 } };
constexpr LabelDesign adviceDesign { serif, 24, false, yellow, centre, { 0, 6240, 12000, 855 } };
constexpr LabelDesign nameHintDesign {
    serif, 18, false, yellow, centre, { 3120, 7440, 5775, 855 }
};

QString sentence(const QString &opening, int score, int outof)
{
    return opening + QStringLiteral(" %1 out of %2.").arg(score).arg(outof);
}

} // namespace

ResultsScreen::ResultsScreen()
{
    Label4 = new Label(this, QStringLiteral("Label4"));
    setupLabel(*Label4, QStringLiteral("Well Done!"), headlineDesign);

    createButton(label3, buttons[0], this)->setVisible(false);

    Picture1 = new PictureBox(this, QStringLiteral("Picture1"));
    Picture1->move(5880, 1440, 4800, 3600);

    Label1 = new Label(this, QStringLiteral("Label1"));
    setupLabel(*Label1, QString(), sentenceDesign);
    Label5 = new Label(this, QStringLiteral("Label5"));
    setupLabel(*Label5, QString(), hintDesign);
    Label5->setVisible(false);
    Label6 = new Label(this, QStringLiteral("Label6"));
    setupLabel(*Label6, QStringLiteral("Read the Key Facts and try again."), adviceDesign);

    Text1 = new TextBox(this, QStringLiteral("Text1"));
    Text1->setFont(serif.toString(), 24);
    Text1->move(3120, 6600, 5760, 615);
    Text1->setMaxLength(nameLength);
    Text1->setVisible(false);
    Text1->setAccessibleName(QStringLiteral("Your name"));

    Label2 = new Label(this, QStringLiteral("Label2"));
    setupLabel(*Label2,
               QStringLiteral("Enter your name in the box above before printing your certificate"),
               nameHintDesign);
    Label2->setVisible(false);

    createButton(label3, buttons[1], this);

    Timer1 = new Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    Timer2 = new Timer(this, QStringLiteral("Timer2"));
    Timer2->setInterval(10);
    Timer3 = new Timer(this, QStringLiteral("Timer3"));
    Timer3->setInterval(1);

    label3.connect(&Label::clicked, this, &ResultsScreen::label3_Click);
    m_hover = ButtonHover::install(*this, label3);
    exitOnEscape(*this, label3[1]);
    ReadAloud::install(*this, [this] { return QStringList { Label1->caption() }; });
    connect(Timer1, &Timer::tick, this, &ResultsScreen::Timer1_Timer);
    connect(Timer2, &Timer::tick, this, &ResultsScreen::Timer2_Timer);
    connect(Timer3, &Timer::tick, this, &ResultsScreen::Timer3_Timer);
}

ResultsScreen::~ResultsScreen() = default;

void ResultsScreen::Form_Load()
{
    formlayout(*this);
    const int s = score;
    if (s == outof) {
        Label6->setVisible(false);
        label3[0]->setVisible(true);
        label3[0]->setCaption(QStringLiteral("Print Certificate"));
        Label1->setCaption(sentence(QStringLiteral("Excellent work. You have scored"), s, outof));
        Text1->setVisible(true);
        Label2->setVisible(true);
    } else if (s == outof - 1 || s == outof - 2) {
        Label1->setCaption(sentence(QStringLiteral("Good work. You have scored"), s, outof));
        Label5->setCaption(QStringLiteral(
            "Click the button above to check which questions you answered incorrectly."));
        label3[0]->setCaption(QStringLiteral("Check Wrong Answers"));
    } else if (s < outof - 2) {
        Label1->setCaption(sentence(QStringLiteral("You have scored"), s, outof));
        Label5->setCaption(QStringLiteral(
            "Click the button above to check which questions you answered incorrectly."));
        label3[0]->setCaption(QStringLiteral("Check Wrong Answers"));
    }
    // With the class record on, the certificate carries the name given at the start.
    if (const QString name = ClassRecord::pupil(); !name.isEmpty()) {
        Text1->setText(name);
        Text1->setReadOnly(true);
    }
    setAccessibleName(Label4->caption() + u' ' + Label1->caption());
    // The screen itself holds the keys when it appears, so an Enter or Space pressed in haste
    // neither opens the review nor leaves; Tab reaches the buttons. On full marks the name
    // box takes the focus once the screen is up.
    setFocus();
    Timer1->setEnabled(true);
}

void ResultsScreen::label3_Click(int index)
{
    switch (index) {
    case 0:
        if (score == outof) {
            try {
                Printpage();
            } catch (...) {
                message(QStringLiteral("Printing has been cancelled."));
            }
            return;
        }
        Wrong->show();
        break;
    case 1:
        Wrong.unload();
        unload();
        break;
    }
    requestSound(clickSound);
}

void ResultsScreen::Timer1_Timer()
{
    // The lily pond of the menus, drawn for this smaller box so that none of it is cut.
    Picture1->loadPicture(QStringLiteral("images\\waterliliesresults.jpg"));
    Timer1->setEnabled(false);
    Timer2->setEnabled(true);
}

void ResultsScreen::Timer2_Timer()
{
    if (Text1->visible())
        Text1->setFocus();
    Timer2->setEnabled(false);
    m_hover->lightAll();
    Timer3->setEnabled(true);
}

void ResultsScreen::Timer3_Timer()
{
    RandomSource &random = RandomSource::current();
    random.seedFromClock();
    if (soundon == 1) {
        const QString sound = Celebration::choose(score, random.next());
        if (!sound.isEmpty())
            requestSound(sound);
    }
    Timer3->setEnabled(false);
}

void ResultsScreen::Printpage()
{
    const CertificatePrintout::Content content { quizheading, Text1->text(), score, outof };
    Printer &printer = Printer::current();
    try {
        CertificatePrintout::print(printer, content, font());
    } catch (const PrinterError &) {
        message(QStringLiteral("There was a problem printing to your printer."));
        return;
    }
    // Without a printer the certificate became a file, and the box says only that.
    const QString note = printer.savedFileNote(QStringLiteral("your certificate"));
    message(note.isEmpty() ? QStringLiteral("Your certificate is now printing.") : note);
}
