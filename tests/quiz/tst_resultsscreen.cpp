#include "quiztestsupport.h"

#include "recordingprinter.h"

#include <QtTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using namespace QuizTest;

namespace {

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

    explicit WitnessSoundPlayer(SoundPlayer &previous)
        : m_previous(previous)
    {
        install(this);
    }
    ~WitnessSoundPlayer() override { install(&m_previous); }

    void play(const QString &relativePath) override
    {
        moments.append({ relativePath, !Welldone->Picture1->picture().isNull(),
                         Welldone->focusWidget() == Welldone->Text1,
                         Welldone->label3[0]->backStyle() == BackStyle::Opaque
                             && Welldone->label3[1]->backStyle() == BackStyle::Opaque });
    }

    QList<Moment> moments;

private:
    SoundPlayer &m_previous;
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

// The hand-off a caller makes and waits for the steps after showing; the quiz also does
// step 4.
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
    QVERIFY(resultsSettled());
}

} // namespace

// The results screen and the review as any caller opens them; the quiz's own path through
// them is in tst_quizscreen.
class ResultsScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }
    void init()
    {
        m_fx = std::make_unique<Fixture>();
        quizheading = u"Ondel"_s;
    }
    void cleanup() { m_fx.reset(); }

    void dragAndDropCallerSeesSentenceAndOffers_data();
    void dragAndDropCallerSeesSentenceAndOffers();
    void pictureFocusLightsThenCelebrationAfterShowing();
    void celebrationChosenByScoreAlone_data();
    void celebrationChosenByScoreAlone();
    void printCertificateReportsTheOutcome_data();
    void printCertificateReportsTheOutcome();
    void hoverLightsButtonsUntilFormCrossed();

private:
    std::unique_ptr<Fixture> m_fx;
};

void ResultsScreenTest::dragAndDropCallerSeesSentenceAndOffers_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("items");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("activity full marks")
        << 6 << 6 << u"Excellent work. You have scored 6 out of 6."_s;
    QTest::newRow("activity one short") << 5 << 6 << u"Good work. You have scored 5 out of 6."_s;
    QTest::newRow("activity low") << 1 << 6 << u"You have scored 1 out of 6."_s;
}

void ResultsScreenTest::dragAndDropCallerSeesSentenceAndOffers()
{
    QFETCH(int, right);
    QFETCH(int, items);
    QFETCH(QString, sentence);
    const bool full = right == items;

    // The activity that opened the results stays open beneath them.
    Form beneath;
    beneath.show();
    openResults(right, items, false);

    QCOMPARE(Welldone->Label4->caption(), u"Well Done!"_s);
    QCOMPARE(Welldone->Label1->caption(), sentence);
    QCOMPARE(Welldone->label3[0]->isVisible(), full);
    QVERIFY(!Welldone->Label5->isVisible());
    QCOMPARE(Welldone->Label6->isVisible(), !full);
    QCOMPARE(Welldone->Label6->caption(), u"Read the Key Facts and try again."_s);
    QCOMPARE(Welldone->Text1->isVisible(), full);
    QCOMPARE(Welldone->Label2->isVisible(), full);
    if (full) {
        QCOMPARE(Welldone->focusWidget(), Welldone->Text1);
        QCOMPARE(Welldone->Label2->caption(),
                 u"Enter your name in the box above before printing your certificate"_s);
        QCOMPARE(Welldone->label3[0]->caption(), u"Print Certificate"_s);
        QCOMPARE(twipsRect(Welldone->Text1), QRect(3120, 6600, 5760, 615));
    }
    QCOMPARE(twipsRect(Welldone->Picture1), QRect(5880, 1440, 4800, 3600));
    QCOMPARE(Welldone->label3[1]->caption(), u"Exit"_s);
    QVERIFY(!TestUtil::grabScreenshot(Welldone.get(), u"results_"_s + dataTag()).isEmpty());

    m_fx->sounds.clear();
    TestUtil::click(Welldone->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!Welldone.isLoaded());
    QVERIFY(!Wrong.isLoaded());
    QVERIFY(beneath.isVisible());
    QCOMPARE(m_fx->sounds.played(), QStringList { clickSound });
}

void ResultsScreenTest::pictureFocusLightsThenCelebrationAfterShowing()
{
    WitnessSoundPlayer witness(m_fx->sounds);
    outof = 10;
    score = 10;
    Welldone->Label1->caption();
    // Loaded but not yet on show: nothing of the chain has happened.
    Welldone->label3[1]->setBackStyle(BackStyle::Transparent);
    TestUtil::processEvents();
    QVERIFY(Welldone->Picture1->picture().isNull());
    QVERIFY(witness.moments.isEmpty());

    Welldone->show();
    QVERIFY(resultsSettled());
    QCOMPARE(Welldone->Picture1->picture().sourcePath(), u"images\\waterliliessm.jpg"_s);
    QCOMPARE(witness.moments.size(), 1);
    const WitnessSoundPlayer::Moment moment = witness.moments.first();
    QCOMPARE(moment.sound, u"wav\\fanf2.wav"_s);
    QVERIFY(moment.pictureLoaded);
    QVERIFY(moment.nameHasFocus);
    QVERIFY(moment.buttonsLit);
    QCOMPARE(m_fx->random.seedCount(), 1);

    // Once per opening: nothing more plays while the screen stays up.
    TestUtil::processEvents(50);
    QCOMPARE(witness.moments.size(), 1);
}

// The rows of the table are in tst_celebration; here that the screen plays the drawn one.
void ResultsScreenTest::celebrationChosenByScoreAlone_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("items");
    QTest::addColumn<double>("random");
    QTest::addColumn<QString>("sound");
    QTest::newRow("12 of 12") << 12 << 12 << 0.99 << u"wav\\halleluj.wav"_s;
    QTest::newRow("10 of 10, second") << 10 << 10 << 0.5 << u"wav\\fanf3.wav"_s;
    QTest::newRow("7, third") << 7 << 10 << 0.67 << u"wav\\whizz.wav"_s;
    QTest::newRow("6 of 6") << 6 << 6 << 0.6 << u"wav\\clown.wav"_s;
    QTest::newRow("5 of 5, full marks") << 5 << 5 << 0.5 << QString();
}

void ResultsScreenTest::celebrationChosenByScoreAlone()
{
    QFETCH(int, right);
    QFETCH(int, items);
    QFETCH(double, random);
    QFETCH(QString, sound);

    m_fx->random.setValues({ random });
    openResults(right, items, false);
    QCOMPARE(m_fx->sounds.played(), sound.isEmpty() ? QStringList() : QStringList { sound });
}

void ResultsScreenTest::printCertificateReportsTheOutcome_data()
{
    QTest::addColumn<int>("printer"); // 0 working, 1 failing, 2 driver crashing
    QTest::addColumn<QString>("message");
    QTest::newRow("printed") << 0 << u"Your certificate is now printing."_s;
    QTest::newRow("printer fails") << 1 << problem;
    QTest::newRow("driver crashes") << 2 << u"Printing has been cancelled."_s;
}

void ResultsScreenTest::printCertificateReportsTheOutcome()
{
    QFETCH(int, printer);
    QFETCH(QString, message);

    std::optional<RecordingPrinter> recording;
    std::optional<BrokenPrinter> broken;
    if (printer == 2)
        broken.emplace();
    else
        recording.emplace();
    if (printer == 1)
        recording->failFromCall(0);
    openResults(10, 10, true);
    QTest::keyClicks(Welldone->Text1, u"Alexandra Catherine Montgomery"_s);
    const QString name = u"Alexandra Catherine Montg"_s;
    QCOMPARE(Welldone->Text1->text(), name);
    QCOMPARE(name.size(), ResultsScreen::nameLength);
    m_fx->sounds.clear();

    TestUtil::click(Welldone->label3[0]);
    QCOMPARE(m_fx->boxes.texts(), QStringList { message });
    QCOMPARE(m_fx->boxes.last().caption, u"Ondel"_s);
    QVERIFY(m_fx->sounds.played().isEmpty());
    QVERIFY(!Wrong.isLoaded());
    QVERIFY(Welldone->isVisible());
    QCOMPARE(Welldone->Label1->caption(), u"Excellent work. You have scored 10 out of 10."_s);
    if (recording)
        QCOMPARE(recording->documentsEnded(), printer == 0 ? 1 : 0);
    // The typed name is used without leaving the box first.
    if (printer == 0)
        QVERIFY(recording->printedTexts().contains(name));
}

void ResultsScreenTest::hoverLightsButtonsUntilFormCrossed()
{
    openResults(8, 10, true);
    Label *review = Welldone->label3[0];
    Label *exit = Welldone->label3[1];
    auto lit = [](Label *button) { return button->backStyle() == BackStyle::Opaque; };
    QVERIFY(lit(review) && lit(exit));
    TestUtil::mouseMove(Welldone.get(), 6000, 8600);
    QVERIFY(!lit(review) && !lit(exit));
    TestUtil::mouseMove(exit);
    QVERIFY(lit(exit) && !lit(review));
    // Leaving the button over the sentence does not put it out.
    TestUtil::mouseMove(Welldone->Label1);
    QVERIFY(lit(exit));
    TestUtil::mouseMove(Welldone.get(), 200, 4000);
    QVERIFY(!lit(exit));
}

QTEST_MAIN(ResultsScreenTest)
#include "tst_resultsscreen.moc"
