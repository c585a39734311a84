#include "quiztestsupport.h"

#include "fieldreader.h"
#include "mainmenu.h"
#include "module1.h"
#include "quizopener.h"
#include "recordingmessageboxes.h"
#include "recordingprinter.h"
#include "recordingsoundplayer.h"
#include "resultsscreen.h"
#include "scriptedrandomsource.h"
#include "topicmenu.h"
#include "wronganswersscreen.h"

#include <QApplication>
#include <QtTest>

using namespace Qt::StringLiterals;
using QuizTest::answerQuiz;
using QuizTest::chooseAnswer;

namespace {

const QString clickSound = u"wav\\click.wav"_s;
const QString typeSound = u"wav\\typekey.wav"_s;
const QString corrupted = u"This worksheet seems to be corrupted."_s;

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(qRound(left), qRound(top), qRound(width), qRound(height));
}

template<class C> QRect twipsRect(const C *control)
{
    return twipsRect(control->left(), control->top(), control->width(), control->height());
}

// The top-level window a pupil sees at the middle of the display.
QWidget *windowInFront()
{
    const QWidget *menu = rivers1.get();
    QWidget *at = QApplication::widgetAt(menu->mapToGlobal(menu->rect().center()));
    return at ? at->window() : nullptr;
}

int selectedAnswer()
{
    for (auto [index, option] : multiple->Option1) {
        if (option->value())
            return index;
    }
    return 0;
}

// Opens Rivers 1 from its topic menu, as a pupil does.
void openRivers1Quiz()
{
    rivers1->show();
    TestUtil::click(rivers1->label3[0]);
}

// Opens the made-up worksheet as the opening contract says.
void openMadeUpQuiz()
{
    QuizTest::loadMadeUpWorksheet();
    multiple->Picture1->loadPicture(u"images\\rivers1sm.jpg"_s);
    multiple->Label5->setCaption(u"Ondel"_s);
    multiple->show();
}

void next()
{
    TestUtil::click(multiple->label3[1]);
}

void previous()
{
    TestUtil::click(multiple->label3[0]);
}

} // namespace

class QuizScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void multipleChoiceShowsQuestionOneOfTheTopicWorksheet_data();
    void multipleChoiceShowsQuestionOneOfTheTopicWorksheet();
    void controlsAtDesignPositions();
    void previousHiddenOnFirstAndCheckScoreOnLast();
    void markTakenOnlyWhenLeavingForward();
    void goingBackNeverChangesAMark();
    void everyShowingStartsWithNoAnswerChosen();
    void fullQuizHandsScoreToResults_data();
    void fullQuizHandsScoreToResults();
    void reviewRowsFilledWithoutGaps_data();
    void reviewRowsFilledWithoutGaps();
    void exitLeavesWithoutScoring();
    void exitFromResultsOrReviewBringsBackTopicMenu_data();
    void exitFromResultsOrReviewBringsBackTopicMenu();
    void soundOffSilencesEverySite();
    void multipleChoiceAgainStartsAfresh();
    void damagedWorksheetIsRefused_data();
    void damagedWorksheetIsRefused();
    void catalogueOpensSavedWorksheetWithSwan();
    void hoverLightsButtonsUntilFormCrossed();
    void printWorksheetLeavesQuizWhereItWas();
    void printFailureIsReported();

private:
    QuizTest::QuizMedia *m_media = nullptr;
    FakeDesktop *m_desktop = nullptr;
    RecordingSoundPlayer *m_sounds = nullptr;
    RecordingMessageBoxes *m_boxes = nullptr;
    ScriptedRandomSource *m_random = nullptr;
};

void QuizScreenTest::initTestCase()
{
    TestUtil::initialise();
}

void QuizScreenTest::init()
{
    m_media = new QuizTest::QuizMedia;
    m_desktop = new FakeDesktop;
    m_sounds = new RecordingSoundPlayer;
    m_boxes = new RecordingMessageBoxes;
    m_random = new ScriptedRandomSource({ 0.0 });
    soundon = 1;
}

void QuizScreenTest::cleanup()
{
    multiple.unload();
    Welldone.unload();
    Wrong.unload();
    rivers1.unload();
    rivers2.unload();
    intro0.unload();
    TestUtil::processEvents();
    QVERIFY(!FieldReader::anyFileOpen());
    delete m_random;
    delete m_boxes;
    delete m_sounds;
    delete m_desktop;
    delete m_media;
}

void QuizScreenTest::multipleChoiceShowsQuestionOneOfTheTopicWorksheet_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("picture");
    QTest::newRow("Rivers 1") << 1 << u"Rivers 1: Drainage Basins"_s << u"images\\rivers1sm.jpg"_s;
    QTest::newRow("Rivers 2") << 2 << u"Rivers 2: Landforms"_s << u"images\\rivers2sm.jpg"_s;
}

void QuizScreenTest::multipleChoiceShowsQuestionOneOfTheTopicWorksheet()
{
    QFETCH(int, topic);
    QFETCH(QString, title);
    QFETCH(QString, picture);

    TopicMenu *menu = topic == 1 ? static_cast<TopicMenu *>(rivers1.get()) : rivers2.get();
    menu->show();
    TestUtil::click(menu->label3[0]);

    QVERIFY(multiple.isLoaded());
    QVERIFY(multiple->isVisible());
    QCOMPARE(multiple->Label1->caption(), u"Multiple Choice"_s);
    QCOMPARE(multiple->Label5->caption(), u"Ondel"_s);
    QCOMPARE(multiple->Label6->caption(), title);
    QCOMPARE(multiple->Picture1->picture().sourcePath(), picture);
    QVERIFY(!multiple->Picture1->picture().isNull());
    QCOMPARE(multiple->Label4->caption(), u"Question 1"_s);
    QCOMPARE(multiple->Label2->caption(), questions[1]);
    QCOMPARE(multiple->Option1[1]->caption(), answera[1]);
    QCOMPARE(multiple->Option1[2]->caption(), answerb[1]);
    QCOMPARE(multiple->Option1[3]->caption(), answerc[1]);
    QCOMPARE(multiple->Option1[4]->caption(), answerd[1]);
    QCOMPARE(selectedAnswer(), int(QuizScreen::noAnswer));
    QCOMPARE(multiple->focusWidget(), multiple->Option1[QuizScreen::noAnswer]);
    QVERIFY(!multiple->label3[0]->isVisible());
    QCOMPARE(multiple->label3[1]->caption(), u"Next Question >>"_s);
    QCOMPARE(score, 0);
    QCOMPARE(outof, 10);
    // The click follows the opening.
    QCOMPARE(m_sounds->played(), QStringList { clickSound });
    QVERIFY(!FieldReader::anyFileOpen());

    QVERIFY(!TestUtil::grabScreenshot(multiple.get(), u"quiz_rivers%1_question1"_s.arg(topic))
                 .isEmpty());
    chooseAnswer(multiple.get(), 2);
    QCOMPARE(selectedAnswer(), 2);
    QCOMPARE(m_sounds->last(), typeSound);
    QVERIFY(!TestUtil::grabScreenshot(multiple.get(), u"quiz_rivers%1_answer_b"_s.arg(topic))
                 .isEmpty());
}

void QuizScreenTest::controlsAtDesignPositions()
{
    openRivers1Quiz();
    QuizScreen *quiz = multiple.get();
    QCOMPARE(quiz->backColor(), QColor(0, 78, 152));
    QCOMPARE(quiz->caption(), u"Ondel"_s);
    QCOMPARE(quiz->Picture1->backColor(), QColor(49, 135, 214));

    struct Expected
    {
        Label *label;
        QRect rect;
        QString font;
        double size;
        bool bold;
        QColor colour;
    };
    const QColor yellow(255, 255, 0);
    const QList<Expected> labels {
        { quiz->Label1, { 120, 120, 5880, 900 }, u"Tahoma"_s, 36, true, yellow },
        { quiz->Label5,
          { 120, 1200, 6465, 585 },
          u"Times New Roman"_s,
          24,
          false,
          QColor(0, 255, 0) },
        { quiz->Label6,
          { 120, 1920, 6465, 705 },
          u"Times New Roman"_s,
          24,
          false,
          QColor(128, 128, 255) },
        { quiz->label3[3], { 7920, 1920, 3045, 495 }, u"Tahoma"_s, 15.75, true, yellow },
        { quiz->Label4, { 360, 3240, 5415, 615 }, u"Times New Roman"_s, 24, false, yellow },
        { quiz->Label2, { 960, 3960, 9840, 1455 }, u"Times New Roman"_s, 30, false, yellow },
        { quiz->label3[0], { 2040, 7920, 3765, 495 }, u"Tahoma"_s, 15.75, true, yellow },
        { quiz->label3[1], { 6000, 7920, 3765, 495 }, u"Tahoma"_s, 15.75, true, yellow },
        { quiz->label3[2], { 10560, 7920, 1245, 495 }, u"Tahoma"_s, 15.75, true, yellow },
    };
    for (const Expected &e : labels) {
        QCOMPARE(twipsRect(e.label), e.rect);
        QCOMPARE(e.label->fontName(), e.font);
        QCOMPARE(e.label->fontSize(), e.size);
        QCOMPARE(e.label->fontBold(), e.bold);
        QCOMPARE(e.label->foreColor(), e.colour);
    }
    for (Label *label : { quiz->Label1, quiz->Label5, quiz->Label6, quiz->Label2 })
        QCOMPARE(label->alignment(), Alignment::Center);
    QCOMPARE(quiz->Label4->alignment(), Alignment::Left);
    for (auto [index, button] : quiz->label3) {
        QCOMPARE(button->backColor(), QColor(0, 0, 0));
        QCOMPARE(button->borderStyle(), BorderStyle::FixedSingle);
        QCOMPARE(button->alignment(), Alignment::Center);
        QVERIFY(button->isButton());
    }
    QCOMPARE(quiz->label3[3]->caption(), u"Print Worksheet"_s);
    QCOMPARE(quiz->label3[0]->caption(), u"<< Previous Question"_s);
    QCOMPARE(quiz->label3[2]->caption(), u"Exit"_s);

    QCOMPARE(twipsRect(quiz->Picture1), QRect(6240, 240, 855, 615));
    for (int i = 1; i <= 4; ++i) {
        OptionButton *option = quiz->Option1[i];
        QCOMPARE(twipsRect(option), QRect(2400, 5400 + 600 * (i - 1), 6975, 525));
        QCOMPARE(option->fontName(), u"Times New Roman"_s);
        QCOMPARE(option->fontSize(), 20.25);
        QCOMPARE(option->foreColor(), yellow);
        QCOMPARE(option->backColor(), QColor(0, 78, 152));
    }
    // The fifth option lies behind the picture, out of sight.
    OptionButton *hidden = quiz->Option1[QuizScreen::noAnswer];
    QCOMPARE(hidden->left(), 6480.0);
    QCOMPARE(hidden->top(), 480.0);
    QVERIFY(quiz->Picture1->geometry().contains(hidden->geometry()));
    QCOMPARE(quiz->childAt(hidden->geometry().center()), quiz->Picture1);
}

void QuizScreenTest::previousHiddenOnFirstAndCheckScoreOnLast()
{
    openMadeUpQuiz();
    QVERIFY(!multiple->label3[0]->isVisible());
    for (int q = 1; q < 10; ++q)
        next();
    QCOMPARE(multiple->Label4->caption(), u"Question 10"_s);
    QCOMPARE(multiple->Label2->caption(), u"What is river fact 10?"_s);
    QCOMPARE(multiple->label3[1]->caption(), u"Check Score >>"_s);
    QVERIFY(multiple->label3[0]->isVisible());
    previous();
    QCOMPARE(multiple->Label4->caption(), u"Question 9"_s);
    QCOMPARE(multiple->label3[1]->caption(), u"Next Question >>"_s);
    QVERIFY(multiple->label3[0]->isVisible());
}

void QuizScreenTest::markTakenOnlyWhenLeavingForward()
{
    openMadeUpQuiz();
    chooseAnswer(multiple.get(), QuizTest::correctOption(1));
    QCOMPARE(marks[1], 0);
    next();
    QCOMPARE(marks[1], 1);
    previous();
    QCOMPARE(questnum, 1);
    QCOMPARE(marks[1], 1);
    // Left forward again without choosing: the earlier right answer no longer counts.
    next();
    QCOMPARE(marks[1], 0);
    // A wrong answer scores 0 too.
    chooseAnswer(multiple.get(), QuizTest::wrongOption(2));
    next();
    QCOMPARE(marks[2], 0);
}

void QuizScreenTest::goingBackNeverChangesAMark()
{
    openMadeUpQuiz();
    answerQuiz({});
    Welldone.unload();
    Wrong.unload();
    TestUtil::processEvents();

    openMadeUpQuiz();
    for (int q = 1; q <= 4; ++q) {
        chooseAnswer(multiple.get(), QuizTest::correctOption(q));
        next();
    }
    QCOMPARE(questnum, 5);
    previous();
    previous();
    QCOMPARE(multiple->Label4->caption(), u"Question 3"_s);
    QCOMPARE(std::vector<int>(marks.begin() + 1, marks.begin() + 6),
             std::vector<int>({ 1, 1, 1, 1, 0 }));
    chooseAnswer(multiple.get(), QuizTest::wrongOption(3));
    next();
    chooseAnswer(multiple.get(), QuizTest::correctOption(4));
    next();
    QCOMPARE(multiple->Label4->caption(), u"Question 5"_s);
    QCOMPARE(std::vector<int>(marks.begin() + 1, marks.begin() + 6),
             std::vector<int>({ 1, 1, 0, 1, 0 }));
}

void QuizScreenTest::everyShowingStartsWithNoAnswerChosen()
{
    openMadeUpQuiz();
    chooseAnswer(multiple.get(), 3);
    QCOMPARE(selectedAnswer(), 3);
    next();
    QCOMPARE(selectedAnswer(), int(QuizScreen::noAnswer));
    chooseAnswer(multiple.get(), 2);
    previous();
    QCOMPARE(selectedAnswer(), int(QuizScreen::noAnswer));
    QCOMPARE(multiple->focusWidget(), multiple->Option1[QuizScreen::noAnswer]);
    for (int i = 1; i <= 4; ++i)
        QVERIFY(!multiple->Option1[i]->hasFocus());
}

void QuizScreenTest::fullQuizHandsScoreToResults_data()
{
    QTest::addColumn<QList<int>>("wrong");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("celebration");

    const QString review = u"Check Wrong Answers"_s;
    QTest::newRow("10 right") << QList<int>() << u"Excellent work. You have scored 10 out of 10."_s
                              << u"Print Certificate"_s << u"wav\\fanf2.wav"_s;
    QTest::newRow("9 right") << QList<int> { 4 } << u"Good work. You have scored 9 out of 10."_s
                             << review << u"wav\\crowd.wav"_s;
    QTest::newRow("8 right") << QList<int> { 2, 5 } << u"Good work. You have scored 8 out of 10."_s
                             << review << u"wav\\flute.wav"_s;
    QTest::newRow("7 right") << QList<int> { 1, 6, 10 } << u"You have scored 7 out of 10."_s
                             << review << u"wav\\drumroll.wav"_s;
    QTest::newRow("0 right") << QList<int> { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }
                             << u"You have scored 0 out of 10."_s << review << QString();
}

void QuizScreenTest::fullQuizHandsScoreToResults()
{
    QFETCH(QList<int>, wrong);
    QFETCH(QString, sentence);
    QFETCH(QString, button);
    QFETCH(QString, celebration);

    openRivers1Quiz();
    m_sounds->clear();
    answerQuiz(QSet<int>(wrong.begin(), wrong.end()));
    TestUtil::processEvents();

    QVERIFY(!multiple.isLoaded());
    QVERIFY(Welldone->isVisible());
    QVERIFY(QuizTest::resultsSettled());
    QCOMPARE(score, 10 - int(wrong.size()));
    QCOMPARE(outof, 10);
    QCOMPARE(quizheading, u"Ondel"_s);
    QCOMPARE(Welldone->Label1->caption(), sentence);
    QVERIFY(Welldone->label3[0]->isVisible());
    QCOMPARE(Welldone->label3[0]->caption(), button);
    QVERIFY(!Welldone->Label6->isVisible());
    QVERIFY(Welldone->Label5->isVisible());
    QCOMPARE(Welldone->Text1->isVisible(), wrong.isEmpty());
    QCOMPARE(Welldone->Label5->caption(),
             wrong.isEmpty()
                 ? QString()
                 : u"Click the button above to check which questions you answered incorrectly."_s);
    QCOMPARE(Wrong->Label6->caption(), u"Rivers 1: Drainage Basins"_s);
    QVERIFY(!Wrong->isVisible());

    QStringList expected;
    for (int q = 1; q <= 10; ++q)
        expected << typeSound << clickSound;
    if (!celebration.isEmpty())
        expected << celebration;
    QCOMPARE(m_sounds->played(), expected);

    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_');
    QVERIFY(!TestUtil::grabScreenshot(Welldone.get(), u"quiz_results_"_s + tag).isEmpty());
    if (!wrong.isEmpty()) {
        TestUtil::click(Welldone->label3[0]);
        QVERIFY(Wrong->isVisible());
        QVERIFY(!TestUtil::grabScreenshot(Wrong.get(), u"quiz_review_"_s + tag).isEmpty());
    }
}

void QuizScreenTest::reviewRowsFilledWithoutGaps_data()
{
    QTest::addColumn<QList<int>>("wrong");
    QTest::newRow("2, 5 and 9 wrong") << QList<int> { 2, 5, 9 };
    QTest::newRow("3 and 7 wrong") << QList<int> { 3, 7 };
    QTest::newRow("all wrong") << QList<int> { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 };
    QTest::newRow("none wrong") << QList<int>();
}

void QuizScreenTest::reviewRowsFilledWithoutGaps()
{
    QFETCH(QList<int>, wrong);
    openMadeUpQuiz();
    answerQuiz(QSet<int>(wrong.begin(), wrong.end()));

    QCOMPARE(Wrong->Label6->caption(), u"Test Rivers"_s);
    for (int k = 0; k < WrongAnswersScreen::rowCount; ++k) {
        Label *row = Wrong->Label2[k];
        QCOMPARE(row->visible(), k < wrong.size());
        if (k < wrong.size()) {
            QCOMPARE(row->caption(), u" %1. What is river fact %1?"_s.arg(wrong[k]));
        }
        QCOMPARE(twipsRect(row), QRect(120, 1680 + 600 * k, 12000, 540));
    }
    if (wrong.size() == 10)
        QCOMPARE(Wrong->Label2[9]->top(), 7080.0);
}

void QuizScreenTest::exitLeavesWithoutScoring()
{
    openRivers1Quiz();
    chooseAnswer(multiple.get(), QuizTest::correctOption(1));
    next();
    m_sounds->clear();
    TestUtil::click(multiple->label3[2]);
    TestUtil::processEvents();

    QVERIFY(!multiple.isLoaded());
    QVERIFY(!Welldone.isLoaded());
    QVERIFY(!Wrong.isLoaded());
    QCOMPARE(m_sounds->played(), QStringList { clickSound });
    QVERIFY(rivers1->isVisible());
    QCOMPARE(windowInFront(), rivers1.get());
}

void QuizScreenTest::exitFromResultsOrReviewBringsBackTopicMenu_data()
{
    QTest::addColumn<bool>("fromReview");
    QTest::newRow("results Exit") << false;
    QTest::newRow("review Exit") << true;
}

void QuizScreenTest::exitFromResultsOrReviewBringsBackTopicMenu()
{
    QFETCH(bool, fromReview);
    openRivers1Quiz();
    answerQuiz({ 3 });
    QVERIFY(QuizTest::resultsSettled());
    TestUtil::click(Welldone->label3[0]);
    QVERIFY(Wrong->isVisible());
    QCOMPARE(windowInFront(), Wrong.get());

    TestUtil::click(fromReview ? Wrong->label3[1] : Welldone->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!Welldone.isLoaded());
    QVERIFY(!Wrong.isLoaded());
    QCOMPARE(windowInFront(), rivers1.get());
}

void QuizScreenTest::soundOffSilencesEverySite()
{
    RecordingPrinter printer;
    openRivers1Quiz();
    soundon = 0;
    m_sounds->clear();
    TestUtil::click(multiple->label3[3]);
    answerQuiz({ 2 });
    QVERIFY(QuizTest::resultsSettled());
    TestUtil::click(Welldone->label3[0]);
    TestUtil::click(Welldone->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!Welldone.isLoaded());
    QVERIFY(m_sounds->played().isEmpty());

    // And the Exit of a quiz.
    TestUtil::click(rivers1->label3[0]);
    TestUtil::click(multiple->label3[2]);
    QVERIFY(m_sounds->played().isEmpty());
}

void QuizScreenTest::multipleChoiceAgainStartsAfresh()
{
    openRivers1Quiz();
    answerQuiz({ 1 });
    QVERIFY(QuizTest::resultsSettled());
    QCOMPARE(score, 9);
    TestUtil::click(Welldone->label3[1]);
    TestUtil::processEvents();

    worktitle.clear();
    TestUtil::click(rivers1->label3[0]);
    QVERIFY(multiple->isVisible());
    QCOMPARE(worktitle, u"Rivers 1: Drainage Basins"_s);
    QCOMPARE(multiple->Label4->caption(), u"Question 1"_s);
    QCOMPARE(questnum, 1);
    QCOMPARE(score, 0);
    QCOMPARE(std::count(marks.begin() + 1, marks.end(), 0), 10);
    QVERIFY(!multiple->label3[0]->isVisible());
}

void QuizScreenTest::damagedWorksheetIsRefused_data()
{
    QFile good(QStringLiteral(ONDEL_BUILT_MEDIA_DIR "/multiple/Rivers 1.txt"));
    QVERIFY(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    const QList<QByteArray> lines = bytes.split('\n');

    auto withLine = [&](int number, const QByteArray &text) {
        QList<QByteArray> changed = lines;
        changed[number - 1] = text + '\r';
        return changed.join('\n');
    };

    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("cut after question 4") << lines.mid(0, 30).join('\n') << true;
    QTest::newRow("last digit missing") << lines.mid(0, 69).join('\n') << true;
    QTest::newRow("answer 5") << withLine(8, "5") << true;
    QTest::newRow("answer 0 on question 10") << withLine(71, "0") << true;
    QTest::newRow("answer B") << withLine(15, "B") << true;
    QTest::newRow("answer 12") << withLine(22, "12") << true;
    QTest::newRow("answer empty") << withLine(29, " ") << true;
}

void QuizScreenTest::damagedWorksheetIsRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);

    const QString file = u"multiple/Rivers 1.txt"_s;
    QFile::remove(m_media->path(file));
    if (exists)
        QVERIFY(m_media->write(file, content));

    QuizTest::loadMadeUpWorksheet();
    rivers1->show();
    m_sounds->clear();
    TestUtil::click(rivers1->label3[0]);

    QCOMPARE(m_boxes->texts(), QStringList { corrupted });
    QCOMPARE(m_boxes->last().caption, u"Ondel"_s);
    QVERIFY(!multiple.isLoaded());
    QVERIFY(!FieldReader::anyFileOpen());
    // Nothing half-read stays in memory.
    QCOMPARE(worktitle, u"Test Rivers"_s);
    for (int q = 1; q <= 10; ++q) {
        QCOMPARE(questions[q], u"What is river fact %1?"_s.arg(q));
        QCOMPARE(answerd[q], u"Answer %1D"_s.arg(q));
        QCOMPARE(correct[q], QString::number(QuizTest::madeUpCorrect(q)));
    }
    QCOMPARE(m_sounds->played(), QStringList { clickSound });

    // The menu still works: with the file mended the quiz opens.
    QVERIFY(rivers1->isVisible());
    QVERIFY(m_media->copy(QStringLiteral(ONDEL_BUILT_MEDIA_DIR "/multiple/Rivers 1.txt"), file));
    TestUtil::click(rivers1->label3[0]);
    QVERIFY(multiple->isVisible());
    QCOMPARE(multiple->Label6->caption(), u"Rivers 1: Drainage Basins"_s);
}

void QuizScreenTest::catalogueOpensSavedWorksheetWithSwan()
{
    QVERIFY(m_media->copy(QStringLiteral(ONDEL_BUILT_MEDIA_DIR "/multiple/Rivers 2.txt"),
                          u"multiple/Our Rivers.txt"_s));
    QVERIFY(QuizOpener::open(u"multiple/Our Rivers.txt"_s, u"images\\swan1.jpg"_s));
    QVERIFY(multiple->isVisible());
    QCOMPARE(multiple->Picture1->picture().sourcePath(), u"images\\swan1.jpg"_s);
    QVERIFY(!multiple->Picture1->picture().isNull());
    QCOMPARE(multiple->Label5->caption(), u"Ondel"_s);
    QCOMPARE(multiple->Label6->caption(), u"Rivers 2: Landforms"_s);
    QVERIFY(m_boxes->shown().isEmpty());

    multiple.unload();
    QVERIFY(!QuizOpener::open(u"multiple/No Such Sheet.txt"_s, u"images\\swan1.jpg"_s));
    QCOMPARE(m_boxes->texts(), QStringList { corrupted });
    QVERIFY(!multiple.isLoaded());
}

void QuizScreenTest::hoverLightsButtonsUntilFormCrossed()
{
    openMadeUpQuiz();
    next();
    for (auto [index, button] : multiple->label3)
        QCOMPARE(button->backStyle(), BackStyle::Opaque);

    TestUtil::mouseMove(multiple.get(), 11000, 600);
    for (auto [index, button] : multiple->label3)
        QCOMPARE(button->backStyle(), BackStyle::Transparent);

    TestUtil::mouseMove(multiple->label3[1]);
    QCOMPARE(multiple->label3[1]->backStyle(), BackStyle::Opaque);
    QCOMPARE(multiple->label3[0]->backStyle(), BackStyle::Transparent);
    // Over the question nothing changes; the lit button stays lit.
    TestUtil::mouseMove(multiple->Label2);
    QCOMPARE(multiple->label3[1]->backStyle(), BackStyle::Opaque);
    TestUtil::mouseMove(multiple->label3[3]);
    QCOMPARE(multiple->label3[3]->backStyle(), BackStyle::Opaque);
    QCOMPARE(multiple->label3[1]->backStyle(), BackStyle::Opaque);
    TestUtil::mouseMove(multiple.get(), 11000, 600);
    QCOMPARE(multiple->label3[1]->backStyle(), BackStyle::Transparent);
    QCOMPARE(multiple->label3[3]->backStyle(), BackStyle::Transparent);
}

void QuizScreenTest::printWorksheetLeavesQuizWhereItWas()
{
    RecordingPrinter printer;
    openRivers1Quiz();
    chooseAnswer(multiple.get(), QuizTest::correctOption(1));
    next();
    chooseAnswer(multiple.get(), QuizTest::correctOption(2));
    next();
    m_sounds->clear();

    TestUtil::click(multiple->label3[3]);
    QCOMPARE(printer.documentsEnded(), 1);
    QCOMPARE(m_boxes->texts(), QStringList { u"Your worksheet is now printing."_s });
    QCOMPARE(m_sounds->played(), QStringList { clickSound });
    const QStringList first = printer.printedTexts();
    QVERIFY(first.contains(u"Rivers 1: Drainage Basins"_s));

    printer.clear();
    TestUtil::click(multiple->label3[3]);
    QCOMPARE(printer.documentsEnded(), 2);
    QCOMPARE(printer.printedTexts(), first);

    QCOMPARE(questnum, 3);
    QCOMPARE(multiple->Label4->caption(), u"Question 3"_s);
    QCOMPARE(marks[1], 1);
    QCOMPARE(marks[2], 1);
}

void QuizScreenTest::printFailureIsReported()
{
    RecordingPrinter printer;
    printer.failFromCall(5);
    openMadeUpQuiz();
    next();
    TestUtil::click(multiple->label3[3]);
    QCOMPARE(m_boxes->texts(), QStringList { u"There was a problem printing to your printer."_s });
    QCOMPARE(printer.documentsEnded(), 0);
    QCOMPARE(multiple->Label4->caption(), u"Question 2"_s);
    QCOMPARE(marks[1], 0);
}

QTEST_MAIN(QuizScreenTest)
#include "tst_quizscreen.moc"
