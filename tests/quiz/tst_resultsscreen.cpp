#include "quiztestsupport.h"

#include "module1.h"
#include "recordingmessageboxes.h"
#include "recordingprinter.h"
#include "recordingsoundplayer.h"
#include "resultsscreen.h"
#include "scriptedrandomsource.h"
#include "wronganswersscreen.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString clickSound = u"wav\\click.wav"_s;

// Notes, at each sound, what the results screen looked like then, to check the order of
// the steps that follow its showing.
class WitnessSoundPlayer final : public SoundPlayer
{
public:
    struct Moment
    {
        QString sound;
        bool pictureLoaded = false;
        bool nameHasFocus = false;
        bool buttonsLit = false;
    };

    WitnessSoundPlayer() { install(this); }
    ~WitnessSoundPlayer() override { install(nullptr); }

    void play(const QString &relativePath) override
    {
        Moment moment { relativePath };
        if (Welldone.isLoaded()) {
            moment.pictureLoaded = !Welldone->Picture1->picture().isNull();
            moment.nameHasFocus = Welldone->focusWidget() == Welldone->Text1;
            moment.buttonsLit = Welldone->label3[0]->backStyle() == BackStyle::Opaque
                && Welldone->label3[1]->backStyle() == BackStyle::Opaque;
        }
        moments.append(moment);
    }

    QList<Moment> moments;
};

// A printer whose driver fails in a way the print-out does not expect.
class BrokenPrinter final : public Printer
{
public:
    BrokenPrinter() { install(this); }
    ~BrokenPrinter() override { install(nullptr); }

protected:
    void beforeCall(const PrinterCall &) override { throw std::runtime_error("driver crashed"); }
    QSizeF drawingArea() override { return QSizeF(11000, 16000); }
    double resolution() override { return 600; }
    void beginDocument() override { }
    void drawText(const QPointF &, const QString &, const QFont &, const QColor &) override { }
    void drawLine(const QLineF &, const QColor &, double) override { }
    void drawPicture(const Picture &, const QRectF &) override { }
    void startNewPage() override { }
    void finishDocument() override { }
    void abandonDocument() noexcept override { }
};

// The hand-off a caller makes; the quiz also does step 4.
void openResults(int right, int items, bool asQuiz)
{
    outof = items;
    score = right;
    Welldone->Label1->caption();
    if (asQuiz) {
        Welldone->Label6->setVisible(false);
        Welldone->Label5->setVisible(true);
        Welldone->label3[0]->setVisible(true);
    }
    Welldone->show();
}

void waitForTimerChain()
{
    QVERIFY(QuizTest::resultsSettled());
}

} // namespace

class ResultsScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sentenceAndOffersForEachCaller_data();
    void sentenceAndOffersForEachCaller();
    void controlsAtDesignPositions();
    void pictureFocusLightsThenCelebrationAfterShowing();
    void celebrationChosenByScoreAlone_data();
    void celebrationChosenByScoreAlone();
    void soundOffSilencesEverySite();
    void nameBoxTakesAtMost25Characters();
    void printCertificateUsesTypedNameWithoutClick();
    void printerFailureIsReportedOnce();
    void unexpectedPrintingFailureCancelsPrinting();
    void checkWrongAnswersShowsReviewWithClick();
    void exitClosesResultsAndReview_data();
    void exitClosesResultsAndReview();
    void hoverLightsButtonsUntilFormCrossed();
    void reviewLaidOutAsDesigned();

private:
    QuizTest::QuizMedia *m_media = nullptr;
    FakeDesktop *m_desktop = nullptr;
    RecordingSoundPlayer *m_sounds = nullptr;
    RecordingMessageBoxes *m_boxes = nullptr;
    ScriptedRandomSource *m_random = nullptr;
};

void ResultsScreenTest::initTestCase()
{
    TestUtil::initialise();
}

void ResultsScreenTest::init()
{
    m_media = new QuizTest::QuizMedia;
    m_desktop = new FakeDesktop;
    m_sounds = new RecordingSoundPlayer;
    m_boxes = new RecordingMessageBoxes;
    m_random = new ScriptedRandomSource({ 0.0 });
    soundon = 1;
    quizheading = u"Ondel"_s;
}

void ResultsScreenTest::cleanup()
{
    Welldone.unload();
    Wrong.unload();
    TestUtil::processEvents();
    delete m_random;
    delete m_boxes;
    delete m_sounds;
    delete m_desktop;
    delete m_media;
}

void ResultsScreenTest::sentenceAndOffersForEachCaller_data()
{
    QTest::addColumn<bool>("asQuiz");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("items");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("button"); // empty: not offered
    QTest::addColumn<bool>("hint");
    QTest::addColumn<bool>("advice");
    QTest::addColumn<bool>("nameBox");

    const QString print = u"Print Certificate"_s;
    const QString review = u"Check Wrong Answers"_s;
    QTest::newRow("quiz 10 of 10")
        << true << 10 << 10 << u"Excellent work. You have scored 10 out of 10."_s << print << true
        << false << true;
    QTest::newRow("quiz 9 of 10") << true << 9 << 10 << u"Good work. You have scored 9 out of 10."_s
                                  << review << true << false << false;
    QTest::newRow("quiz 8 of 10") << true << 8 << 10 << u"Good work. You have scored 8 out of 10."_s
                                  << review << true << false << false;
    QTest::newRow("quiz 7 of 10") << true << 7 << 10 << u"You have scored 7 out of 10."_s << review
                                  << true << false << false;
    QTest::newRow("quiz 0 of 10") << true << 0 << 10 << u"You have scored 0 out of 10."_s << review
                                  << true << false << false;
    QTest::newRow("activity full marks")
        << false << 6 << 6 << u"Excellent work. You have scored 6 out of 6."_s << print << false
        << false << true;
    QTest::newRow("activity one short")
        << false << 5 << 6 << u"Good work. You have scored 5 out of 6."_s << QString() << false
        << true << false;
    QTest::newRow("activity low") << false << 1 << 6 << u"You have scored 1 out of 6."_s
                                  << QString() << false << true << false;
}

void ResultsScreenTest::sentenceAndOffersForEachCaller()
{
    QFETCH(bool, asQuiz);
    QFETCH(int, right);
    QFETCH(int, items);
    QFETCH(QString, sentence);
    QFETCH(QString, button);
    QFETCH(bool, hint);
    QFETCH(bool, advice);
    QFETCH(bool, nameBox);

    openResults(right, items, asQuiz);
    waitForTimerChain();

    QCOMPARE(Welldone->Label4->caption(), u"Well Done!"_s);
    QCOMPARE(Welldone->Label1->caption(), sentence);
    QCOMPARE(Welldone->label3[0]->isVisible(), !button.isEmpty());
    if (!button.isEmpty())
        QCOMPARE(Welldone->label3[0]->caption(), button);
    QCOMPARE(Welldone->Label5->isVisible(), hint);
    if (hint && right != items)
        QCOMPARE(Welldone->Label5->caption(),
                 u"Click the button above to check which questions you answered incorrectly."_s);
    QCOMPARE(Welldone->Label6->isVisible(), advice);
    QCOMPARE(Welldone->Label6->caption(), u"Read the Key Facts and try again."_s);
    QCOMPARE(Welldone->Text1->isVisible(), nameBox);
    QCOMPARE(Welldone->Label2->isVisible(), nameBox);
    if (nameBox) {
        QCOMPARE(Welldone->focusWidget(), Welldone->Text1);
        QCOMPARE(Welldone->Label2->caption(),
                 u"Enter your name in the box above before printing your certificate"_s);
    }
    QVERIFY(Welldone->label3[1]->isVisible());
    QCOMPARE(Welldone->label3[1]->caption(), u"Exit"_s);

    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_');
    QVERIFY(!TestUtil::grabScreenshot(Welldone.get(), u"results_"_s + tag).isEmpty());
}

void ResultsScreenTest::controlsAtDesignPositions()
{
    openResults(10, 10, true);
    waitForTimerChain();
    struct Expected
    {
        QWidget *control;
        QRect twips;
    };
    auto rect = [](auto *c) {
        return QRect(qRound(c->left()), qRound(c->top()), qRound(c->width()), qRound(c->height()));
    };
    const QList<Expected> expected {
        { Welldone->Label4, { 0, 120, 12000, 900 } },
        { Welldone->label3[0], { 240, 1800, 3765, 495 } },
        { Welldone->Picture1, { 5880, 1440, 4800, 3600 } },
        { Welldone->Label1, { 0, 5400, 12000, 855 } },
        { Welldone->Label5, { 1680, 6000, 8640, 1335 } },
        { Welldone->Label6, { 0, 6240, 12000, 855 } },
        { Welldone->Text1, { 3120, 6600, 5760, 615 } },
        { Welldone->Label2, { 3120, 7440, 5775, 855 } },
        { Welldone->label3[1], { 10560, 7920, 1245, 495 } },
    };
    for (const Expected &e : expected) {
        QRect actual;
        if (auto *label = qobject_cast<Label *>(e.control))
            actual = rect(label);
        else if (auto *box = qobject_cast<TextBox *>(e.control))
            actual = rect(box);
        else
            actual = rect(qobject_cast<PictureBox *>(e.control));
        QCOMPARE(actual, e.twips);
    }
    QCOMPARE(Welldone->Label4->fontName(), u"Tahoma"_s);
    QCOMPARE(Welldone->Label4->fontSize(), 36.0);
    QVERIFY(Welldone->Label4->fontBold());
    for (Label *label : { Welldone->Label1, Welldone->Label5, Welldone->Label6 }) {
        QCOMPARE(label->fontName(), u"Times New Roman"_s);
        QCOMPARE(label->fontSize(), 24.0);
        QCOMPARE(label->foreColor(), QColor(255, 255, 0));
        QCOMPARE(label->backStyle(), BackStyle::Transparent);
    }
    QCOMPARE(Welldone->Label2->fontSize(), 18.0);
    QCOMPARE(Welldone->Text1->fontName(), u"Times New Roman"_s);
    QCOMPARE(Welldone->Text1->fontSize(), 24.0);
    for (auto [index, button] : Welldone->label3) {
        QCOMPARE(button->fontName(), u"Tahoma"_s);
        QCOMPARE(button->fontSize(), 15.75);
        QVERIFY(button->fontBold());
        QCOMPARE(button->borderStyle(), BorderStyle::FixedSingle);
        QCOMPARE(button->backColor(), QColor(0, 0, 0));
    }
    QCOMPARE(Welldone->backColor(), QColor(0, 78, 152));
    QCOMPARE(Welldone->Picture1->backColor(), QColor(49, 135, 214));
    QCOMPARE(Welldone->caption(), u"Ondel"_s);
}

void ResultsScreenTest::pictureFocusLightsThenCelebrationAfterShowing()
{
    delete m_sounds;
    m_sounds = nullptr;
    WitnessSoundPlayer witness;

    outof = 10;
    score = 10;
    Welldone->Label1->caption();
    // Loaded but not yet on show: nothing of the chain has happened.
    QVERIFY(Welldone->Picture1->picture().isNull());
    Welldone->label3[1]->setBackStyle(BackStyle::Transparent);
    TestUtil::processEvents();
    QVERIFY(Welldone->Picture1->picture().isNull());
    QVERIFY(witness.moments.isEmpty());

    Welldone->show();
    waitForTimerChain();
    QCOMPARE(Welldone->Picture1->picture().sourcePath(), u"images\\waterliliessm.jpg"_s);
    QVERIFY(!Welldone->Picture1->picture().isNull());
    QCOMPARE(witness.moments.size(), 1);
    const WitnessSoundPlayer::Moment moment = witness.moments.first();
    QCOMPARE(moment.sound, u"wav\\fanf2.wav"_s);
    QVERIFY(moment.pictureLoaded);
    QVERIFY(moment.nameHasFocus);
    QVERIFY(moment.buttonsLit);
    QCOMPARE(m_random->seedCount(), 1);

    // Once per opening: nothing more plays while the screen stays up.
    TestUtil::processEvents(50);
    QCOMPARE(witness.moments.size(), 1);
    m_sounds = new RecordingSoundPlayer;
}

void ResultsScreenTest::celebrationChosenByScoreAlone_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("items");
    QTest::addColumn<double>("random");
    QTest::addColumn<QString>("sound");

    QTest::newRow("12 of 12") << 12 << 12 << 0.99 << u"wav\\halleluj.wav"_s;
    QTest::newRow("11 of 12, first") << 11 << 12 << 0.2 << u"wav\\fanf4.wav"_s;
    QTest::newRow("11 of 12, second") << 11 << 12 << 0.7 << u"wav\\slot_payoff.wav"_s;
    QTest::newRow("10 of 10, first") << 10 << 10 << 0.49 << u"wav\\fanf2.wav"_s;
    QTest::newRow("10 of 10, second") << 10 << 10 << 0.5 << u"wav\\fanf3.wav"_s;
    QTest::newRow("9, first") << 9 << 10 << 0.0 << u"wav\\crowd.wav"_s;
    QTest::newRow("9, second") << 9 << 10 << 0.4 << u"wav\\cheer2.wav"_s;
    QTest::newRow("9, third") << 9 << 10 << 0.9 << u"wav\\klaxon.wav"_s;
    QTest::newRow("8, first") << 8 << 10 << 0.1 << u"wav\\flute.wav"_s;
    QTest::newRow("8, second") << 8 << 10 << 0.5 << u"wav\\gong.wav"_s;
    QTest::newRow("8, third") << 8 << 10 << 0.8 << u"wav\\clap2.wav"_s;
    QTest::newRow("7, first") << 7 << 10 << 0.3 << u"wav\\drumroll.wav"_s;
    QTest::newRow("7, second") << 7 << 10 << 0.34 << u"wav\\laser2.wav"_s;
    QTest::newRow("7, third") << 7 << 10 << 0.67 << u"wav\\whizz.wav"_s;
    QTest::newRow("6 of 10") << 6 << 10 << 0.3 << u"wav\\clap3.wav"_s;
    QTest::newRow("6 of 6, full marks") << 6 << 6 << 0.6 << u"wav\\clown.wav"_s;
    QTest::newRow("5 of 5, full marks") << 5 << 5 << 0.5 << QString();
    QTest::newRow("5 of 10") << 5 << 10 << 0.5 << QString();
    QTest::newRow("0 of 10") << 0 << 10 << 0.5 << QString();
}

void ResultsScreenTest::celebrationChosenByScoreAlone()
{
    QFETCH(int, right);
    QFETCH(int, items);
    QFETCH(double, random);
    QFETCH(QString, sound);

    m_random->setValues({ random });
    openResults(right, items, false);
    waitForTimerChain();
    QCOMPARE(m_sounds->played(), sound.isEmpty() ? QStringList() : QStringList { sound });
}

void ResultsScreenTest::soundOffSilencesEverySite()
{
    soundon = 0;
    openResults(8, 10, true);
    waitForTimerChain();
    QVERIFY(!Welldone->Picture1->picture().isNull());
    QCOMPARE(Welldone->label3[0]->backStyle(), BackStyle::Opaque);
    TestUtil::click(Welldone->label3[0]);
    QVERIFY(Wrong->isVisible());
    TestUtil::click(Welldone->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!Welldone.isLoaded());
    QVERIFY(m_sounds->played().isEmpty());
}

void ResultsScreenTest::nameBoxTakesAtMost25Characters()
{
    openResults(10, 10, true);
    waitForTimerChain();
    QTest::keyClicks(Welldone->Text1, u"Alexandra Catherine Montgomery"_s);
    QCOMPARE(Welldone->Text1->text(), u"Alexandra Catherine Montg"_s);
    QCOMPARE(Welldone->Text1->text().size(), ResultsScreen::nameLength);
}

void ResultsScreenTest::printCertificateUsesTypedNameWithoutClick()
{
    RecordingPrinter printer;
    openResults(10, 10, true);
    waitForTimerChain();
    QTest::keyClicks(Welldone->Text1, u"Priya Shah"_s);
    m_sounds->clear();

    TestUtil::click(Welldone->label3[0]);

    QCOMPARE(printer.documentsEnded(), 1);
    QVERIFY(printer.printedTexts().contains(u"Priya Shah"_s));
    QVERIFY(printer.printedTexts().contains(u"You have scored 10 out of 10."_s));
    QVERIFY(printer.printedTexts().contains(u"Ondel"_s));
    QCOMPARE(m_boxes->texts(), QStringList { u"Your certificate is now printing."_s });
    QCOMPARE(m_boxes->last().caption, u"Ondel"_s);
    QVERIFY(m_sounds->played().isEmpty());
    QVERIFY(!Wrong.isLoaded());
    QVERIFY(Welldone->isVisible());
}

void ResultsScreenTest::printerFailureIsReportedOnce()
{
    RecordingPrinter printer;
    printer.failFromCall(0);
    openResults(10, 10, true);
    waitForTimerChain();
    TestUtil::click(Welldone->label3[0]);
    QCOMPARE(m_boxes->texts(), QStringList { u"There was a problem printing to your printer."_s });
    QCOMPARE(printer.documentsEnded(), 0);
    QVERIFY(Welldone->isVisible());
    QCOMPARE(Welldone->Label1->caption(), u"Excellent work. You have scored 10 out of 10."_s);
}

void ResultsScreenTest::unexpectedPrintingFailureCancelsPrinting()
{
    BrokenPrinter printer;
    openResults(10, 10, true);
    waitForTimerChain();
    m_sounds->clear();
    TestUtil::click(Welldone->label3[0]);
    QCOMPARE(m_boxes->texts(), QStringList { u"Printing has been cancelled."_s });
    QCOMPARE(m_boxes->last().caption, u"Ondel"_s);
    QVERIFY(m_sounds->played().isEmpty());
    QVERIFY(Welldone->isVisible());
}

void ResultsScreenTest::checkWrongAnswersShowsReviewWithClick()
{
    Wrong->Label6->setCaption(u"Test Rivers"_s);
    openResults(7, 10, true);
    waitForTimerChain();
    m_sounds->clear();
    TestUtil::click(Welldone->label3[0]);
    QVERIFY(Wrong->isVisible());
    QCOMPARE(m_sounds->played(), QStringList { clickSound });
    QVERIFY(m_boxes->shown().isEmpty());
}

void ResultsScreenTest::exitClosesResultsAndReview_data()
{
    QTest::addColumn<bool>("fromReview");
    QTest::addColumn<bool>("reviewLoaded");
    QTest::addColumn<QStringList>("sounds");
    QTest::newRow("results Exit, review loaded") << false << true << QStringList { clickSound };
    QTest::newRow("results Exit, no review") << false << false << QStringList { clickSound };
    QTest::newRow("review Exit") << true << true << QStringList();
}

void ResultsScreenTest::exitClosesResultsAndReview()
{
    QFETCH(bool, fromReview);
    QFETCH(bool, reviewLoaded);
    QFETCH(QStringList, sounds);

    // The activity that opened the results stays open beneath them.
    Form beneath;
    beneath.show();
    if (reviewLoaded)
        Wrong->Label6->setCaption(u"Test Rivers"_s);
    openResults(reviewLoaded ? 4 : 3, 6, reviewLoaded);
    waitForTimerChain();
    if (fromReview) {
        TestUtil::click(Welldone->label3[0]);
        QVERIFY(Wrong->isVisible());
    }
    m_sounds->clear();

    TestUtil::click(fromReview ? Wrong->label3[1] : Welldone->label3[1]);
    TestUtil::processEvents();

    QVERIFY(!Welldone.isLoaded());
    QVERIFY(!Wrong.isLoaded());
    QVERIFY(beneath.isVisible());
    QCOMPARE(m_sounds->played(), sounds);
}

void ResultsScreenTest::hoverLightsButtonsUntilFormCrossed()
{
    openResults(8, 10, true);
    waitForTimerChain();
    Label *review = Welldone->label3[0];
    Label *exit = Welldone->label3[1];
    QCOMPARE(review->backStyle(), BackStyle::Opaque);
    QCOMPARE(exit->backStyle(), BackStyle::Opaque);

    TestUtil::mouseMove(Welldone.get(), 6000, 8600);
    QCOMPARE(review->backStyle(), BackStyle::Transparent);
    QCOMPARE(exit->backStyle(), BackStyle::Transparent);

    TestUtil::mouseMove(exit);
    QCOMPARE(exit->backStyle(), BackStyle::Opaque);
    QCOMPARE(review->backStyle(), BackStyle::Transparent);
    // Leaving the button over the sentence does not put it out.
    TestUtil::mouseMove(Welldone->Label1);
    QCOMPARE(exit->backStyle(), BackStyle::Opaque);
    TestUtil::mouseMove(Welldone.get(), 200, 4000);
    QCOMPARE(exit->backStyle(), BackStyle::Transparent);
}

void ResultsScreenTest::reviewLaidOutAsDesigned()
{
    WrongAnswersScreen *review = Wrong.get();
    QCOMPARE(review->backColor(), QColor(0, 78, 152));
    QCOMPARE(review->caption(), u"Ondel"_s);
    struct Expected
    {
        Label *label;
        QRect rect;
        double size;
        Alignment alignment;
        QString caption;
    };
    const QList<Expected> expected {
        { review->Label6, { 0, 120, 12000, 540 }, 20.25, Alignment::Center, QString() },
        { review->Label4,
          { 240, 960, 12000, 540 },
          15.75,
          Alignment::Left,
          u"You answered the following questions incorrectly."_s },
        { review->Label5,
          { 0, 7920, 12000, 540 },
          20.25,
          Alignment::Center,
          u"Read the Key Facts and try again."_s },
        { review->label3[1], { 10560, 7920, 1245, 495 }, 15.75, Alignment::Center, u"Exit"_s },
    };
    for (const Expected &e : expected) {
        QCOMPARE(QRect(qRound(e.label->left()), qRound(e.label->top()), qRound(e.label->width()),
                       qRound(e.label->height())),
                 e.rect);
        QCOMPARE(e.label->fontName(), u"Tahoma"_s);
        QCOMPARE(e.label->fontSize(), e.size);
        QVERIFY(e.label->fontBold());
        QCOMPARE(e.label->alignment(), e.alignment);
        QCOMPARE(e.label->foreColor(), QColor(255, 255, 0));
        QCOMPARE(e.label->caption(), e.caption);
        QVERIFY(e.label->visible());
    }
    QCOMPARE(review->label3.count(), 1);
    QVERIFY(!review->label3.contains(0));
    QCOMPARE(review->label3[1]->backStyle(), BackStyle::Opaque);
    QCOMPARE(review->Label2.count(), WrongAnswersScreen::rowCount);
    for (auto [k, row] : review->Label2) {
        QVERIFY(!row->visible());
        QCOMPARE(row->foreColor(), QColor(255, 255, 255));
        QCOMPARE(row->backStyle(), BackStyle::Transparent);
        QCOMPARE(row->fontSize(), 15.75);
        QCOMPARE(row->top(), 1680.0 + 600 * k);
    }
    // No hover effect here.
    review->show();
    TestUtil::mouseMove(review, 6000, 8700);
    QCOMPARE(review->label3[1]->backStyle(), BackStyle::Opaque);
}

QTEST_MAIN(ResultsScreenTest)
#include "tst_resultsscreen.moc"
