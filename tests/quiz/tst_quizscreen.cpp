#include "quiztestsupport.h"

#include "fieldreader.h"
#include "mainmenu.h"
#include "recordingprinter.h"
#include "topicmenu.h"

#include <QApplication>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace QuizTest;

namespace {

const QString corrupted = u"This worksheet seems to be corrupted."_s;

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
    loadMadeUpWorksheet();
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

QList<int> firstMarks(int count)
{
    return QList<int>(marks.begin() + 1, marks.begin() + 1 + count);
}

} // namespace

class QuizScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }
    void init()
    {
        m_fx = std::make_unique<Fixture>();
        quizheading.clear();
    }
    void cleanup();

    void multipleChoiceShowsQuestionOneOfTheTopicWorksheet_data();
    void multipleChoiceShowsQuestionOneOfTheTopicWorksheet();
    void controlsAtDesignPositions();
    void walkingTheQuestionsShowsEachWithNoAnswerChosen();
    void markTakenOnlyWhenLeavingForward();
    void goingBackNeverChangesAMark();
    void fullQuizHandsScoreToResults_data();
    void fullQuizHandsScoreToResults();
    void reviewRowsFilledWithoutGaps_data();
    void reviewRowsFilledWithoutGaps();
    void exitBringsBackTopicMenu_data();
    void exitBringsBackTopicMenu();
    void soundOffSilencesEverySite();
    void multipleChoiceAgainStartsAfresh();
    void damagedWorksheetIsRefused_data();
    void damagedWorksheetIsRefused();
    void catalogueOpensSavedWorksheetWithSwan();
    void hoverLightsButtonsUntilFormCrossed();
    void printWorksheetLeavesQuizWhereItWas();

private:
    std::unique_ptr<Fixture> m_fx;
};

void QuizScreenTest::cleanup()
{
    m_fx.reset();
    rivers1.unload();
    rivers2.unload();
    intro0.unload();
    TestUtil::processEvents();
    QVERIFY(!FieldReader::anyFileOpen());
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

    QVERIFY(multiple->isVisible());
    QCOMPARE(multiple->Label1->caption(), u"Multiple Choice"_s);
    QCOMPARE(multiple->Label5->caption(), u"Ondel"_s);
    QCOMPARE(multiple->Label6->caption(), title);
    QCOMPARE(multiple->Picture1->picture().sourcePath(), picture);
    QVERIFY(!multiple->Picture1->picture().isNull());
    QCOMPARE(multiple->Label4->caption(), u"Question 1"_s);
    QCOMPARE(multiple->Label2->caption(), questions[1]);
    const QStringList answers { answera[1], answerb[1], answerc[1], answerd[1] };
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(multiple->Option1[i]->caption(), answers[i - 1]);
    QCOMPARE(selectedAnswer(), int(QuizScreen::noAnswer));
    QCOMPARE(multiple->focusWidget(), multiple->Option1[QuizScreen::noAnswer]);
    QVERIFY(!multiple->label3[0]->isVisible());
    QCOMPARE(multiple->label3[1]->caption(), u"Next Question >>"_s);
    QCOMPARE(score, 0);
    QCOMPARE(outof, 10);
    QCOMPARE(m_fx->sounds.played(), QStringList { clickSound });
    QVERIFY(!FieldReader::anyFileOpen());

    QVERIFY(!TestUtil::grabScreenshot(multiple.get(), u"quiz_rivers%1_question1"_s.arg(topic))
                 .isEmpty());
    chooseAnswer(multiple.get(), 2);
    QCOMPARE(selectedAnswer(), 2);
    QCOMPARE(m_fx->sounds.last(), typeSound);
    QVERIFY(!TestUtil::grabScreenshot(multiple.get(), u"quiz_rivers%1_answer_b"_s.arg(topic))
                 .isEmpty());
}

// Fonts and colours are checked on the screenshots; here the places and captions.
void QuizScreenTest::controlsAtDesignPositions()
{
    openRivers1Quiz();
    QuizScreen *quiz = multiple.get();
    const QList<std::pair<Label *, QRect>> labels {
        { quiz->Label1, { 120, 120, 5880, 900 } },
        { quiz->Label5, { 120, 1200, 6465, 585 } },
        { quiz->Label6, { 120, 1920, 6465, 705 } },
        { quiz->Label4, { 360, 3240, 5415, 615 } },
        { quiz->Label2, { 960, 3960, 9840, 1455 } },
        { quiz->label3[3], { 7920, 1920, 3045, 495 } },
        { quiz->label3[0], { 2040, 7920, 3765, 495 } },
        { quiz->label3[1], { 6000, 7920, 3765, 495 } },
        { quiz->label3[2], { 10560, 7920, 1245, 495 } },
    };
    for (auto [label, rect] : labels)
        QCOMPARE(twipsRect(label), rect);
    QCOMPARE(twipsRect(quiz->Picture1), QRect(6240, 240, 855, 615));
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(twipsRect(quiz->Option1[i]), QRect(2400, 5400 + 600 * (i - 1), 6975, 525));
    QCOMPARE(quiz->label3[3]->caption(), u"Print Worksheet"_s);
    QCOMPARE(quiz->label3[0]->caption(), u"<< Previous Question"_s);
    QCOMPARE(quiz->label3[2]->caption(), u"Exit"_s);
    // The fifth option lies behind the picture, out of sight.
    const QRect hidden = quiz->Option1[QuizScreen::noAnswer]->geometry();
    QVERIFY(quiz->Picture1->geometry().contains(hidden));
    QCOMPARE(quiz->childAt(hidden.center()), quiz->Picture1);
}

void QuizScreenTest::walkingTheQuestionsShowsEachWithNoAnswerChosen()
{
    openMadeUpQuiz();
    chooseAnswer(multiple.get(), 3);
    QCOMPARE(selectedAnswer(), 3);
    for (int q = 1; q < 10; ++q)
        next();
    QCOMPARE(multiple->Label4->caption(), u"Question 10"_s);
    QCOMPARE(multiple->Label2->caption(), u"What is river fact 10?"_s);
    QCOMPARE(multiple->label3[1]->caption(), u"Check Score >>"_s);
    QVERIFY(multiple->label3[0]->isVisible());
    QCOMPARE(selectedAnswer(), int(QuizScreen::noAnswer));

    chooseAnswer(multiple.get(), 2);
    previous();
    QCOMPARE(multiple->Label4->caption(), u"Question 9"_s);
    QCOMPARE(multiple->label3[1]->caption(), u"Next Question >>"_s);
    QCOMPARE(selectedAnswer(), int(QuizScreen::noAnswer));
    QCOMPARE(multiple->focusWidget(), multiple->Option1[QuizScreen::noAnswer]);
}

void QuizScreenTest::markTakenOnlyWhenLeavingForward()
{
    openMadeUpQuiz();
    chooseAnswer(multiple.get(), correctOption(1));
    QCOMPARE(marks[1], 0);
    next();
    QCOMPARE(marks[1], 1);
    previous();
    QCOMPARE(questnum, 1);
    QCOMPARE(marks[1], 1);
    // Left forward again without choosing: the earlier right answer no longer counts.
    next();
    QCOMPARE(marks[1], 0);
    chooseAnswer(multiple.get(), wrongOption(2));
    next();
    QCOMPARE(marks[2], 0);
}

void QuizScreenTest::goingBackNeverChangesAMark()
{
    openMadeUpQuiz();
    for (int q = 1; q <= 4; ++q) {
        chooseAnswer(multiple.get(), correctOption(q));
        next();
    }
    previous();
    previous();
    QCOMPARE(multiple->Label4->caption(), u"Question 3"_s);
    QCOMPARE(firstMarks(5), QList<int>({ 1, 1, 1, 1, 0 }));
    chooseAnswer(multiple.get(), wrongOption(3));
    next();
    chooseAnswer(multiple.get(), correctOption(4));
    next();
    QCOMPARE(multiple->Label4->caption(), u"Question 5"_s);
    QCOMPARE(firstMarks(5), QList<int>({ 1, 1, 0, 1, 0 }));
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
    m_fx->sounds.clear();
    answerQuiz(QSet<int>(wrong.begin(), wrong.end()));
    TestUtil::processEvents();

    QVERIFY(!multiple.isLoaded());
    QVERIFY(Welldone->isVisible());
    QVERIFY(resultsSettled());
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
    QCOMPARE(m_fx->sounds.played(), expected);

    QVERIFY(!TestUtil::grabScreenshot(Welldone.get(), u"quiz_results_"_s + dataTag()).isEmpty());
    if (!wrong.isEmpty()) {
        TestUtil::click(Welldone->label3[0]);
        QVERIFY(Wrong->isVisible());
        QCOMPARE(Wrong->Label4->caption(), u"You answered the following questions incorrectly."_s);
        QCOMPARE(Wrong->Label5->caption(), u"Read the Key Facts and try again."_s);
        QCOMPARE(Wrong->label3[1]->caption(), u"Exit"_s);
        QVERIFY(!TestUtil::grabScreenshot(Wrong.get(), u"quiz_review_"_s + dataTag()).isEmpty());
        // The review has no hover effect: its Exit stays lit.
        TestUtil::mouseMove(Wrong.get(), 6000, 8700);
        QCOMPARE(Wrong->label3[1]->backStyle(), BackStyle::Opaque);
    }
}

void QuizScreenTest::reviewRowsFilledWithoutGaps_data()
{
    QTest::addColumn<QList<int>>("wrong");
    QTest::newRow("2, 5 and 9 wrong") << QList<int> { 2, 5, 9 };
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
        if (k < wrong.size())
            QCOMPARE(row->caption(), u" %1. What is river fact %1?"_s.arg(wrong[k]));
        QCOMPARE(twipsRect(row), QRect(120, 1680 + 600 * k, 12000, 540));
    }
    QCOMPARE(Wrong->Label2[9]->top(), 7080.0);
}

void QuizScreenTest::exitBringsBackTopicMenu_data()
{
    QTest::addColumn<int>("from"); // 0 the quiz, 1 the results, 2 the review
    QTest::addColumn<QStringList>("exitSounds");
    QTest::newRow("quiz Exit") << 0 << QStringList { clickSound };
    QTest::newRow("results Exit") << 1 << QStringList { clickSound };
    QTest::newRow("review Exit") << 2 << QStringList();
}

void QuizScreenTest::exitBringsBackTopicMenu()
{
    QFETCH(int, from);
    QFETCH(QStringList, exitSounds);
    openRivers1Quiz();
    chooseAnswer(multiple.get(), correctOption(1));
    next();
    if (from > 0) {
        answerQuiz({ 3 });
        QVERIFY(resultsSettled());
        m_fx->sounds.clear();
        TestUtil::click(Welldone->label3[0]);
        QCOMPARE(windowInFront(), Wrong.get());
        QCOMPARE(m_fx->sounds.played(), QStringList { clickSound });
    }
    m_fx->sounds.clear();
    TestUtil::click(from == 0       ? multiple->label3[2]
                        : from == 1 ? Welldone->label3[1]
                                    : Wrong->label3[1]);
    TestUtil::processEvents();

    QVERIFY(!multiple.isLoaded());
    QVERIFY(!Welldone.isLoaded());
    QVERIFY(!Wrong.isLoaded());
    QCOMPARE(windowInFront(), rivers1.get());
    QCOMPARE(m_fx->sounds.played(), exitSounds);
}

void QuizScreenTest::soundOffSilencesEverySite()
{
    RecordingPrinter printer;
    openRivers1Quiz();
    soundon = 0;
    m_fx->sounds.clear();
    TestUtil::click(multiple->label3[3]);
    answerQuiz({ 2 });
    QVERIFY(resultsSettled());
    TestUtil::click(Welldone->label3[0]);
    TestUtil::click(Welldone->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!Welldone.isLoaded());
    TestUtil::click(rivers1->label3[0]);
    TestUtil::click(multiple->label3[2]);
    QVERIFY(m_fx->sounds.played().isEmpty());
}

void QuizScreenTest::multipleChoiceAgainStartsAfresh()
{
    openRivers1Quiz();
    answerQuiz({ 1 });
    QVERIFY(resultsSettled());
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
    const QList<QByteArray> lines = good.readAll().split('\n');
    auto withLine = [&](int number, const QByteArray &text) {
        QList<QByteArray> changed = lines;
        changed[number - 1] = text + '\r';
        return changed.join('\n');
    };

    QTest::addColumn<QByteArray>("content");
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
    QFile::remove(m_fx->media.path(file));
    if (exists)
        QVERIFY(m_fx->media.write(file, content));

    loadMadeUpWorksheet();
    rivers1->show();
    m_fx->sounds.clear();
    TestUtil::click(rivers1->label3[0]);

    QCOMPARE(m_fx->boxes.texts(), QStringList { corrupted });
    QCOMPARE(m_fx->boxes.last().caption, u"Ondel"_s);
    QVERIFY(!multiple.isLoaded());
    QVERIFY(!FieldReader::anyFileOpen());
    // Nothing half-read stays in memory.
    QCOMPARE(worktitle, u"Test Rivers"_s);
    for (int q = 1; q <= 10; ++q) {
        QCOMPARE(questions[q], u"What is river fact %1?"_s.arg(q));
        QCOMPARE(answerd[q], u"Answer %1D"_s.arg(q));
        QCOMPARE(correct[q], QString::number(madeUpCorrect(q)));
    }
    QCOMPARE(m_fx->sounds.played(), QStringList { clickSound });

    // The menu still works: with the file mended the quiz opens.
    QVERIFY(m_fx->media.copy(QStringLiteral(ONDEL_BUILT_MEDIA_DIR "/multiple/Rivers 1.txt"), file));
    TestUtil::click(rivers1->label3[0]);
    QVERIFY(multiple->isVisible());
    QCOMPARE(multiple->Label6->caption(), u"Rivers 1: Drainage Basins"_s);
}

void QuizScreenTest::catalogueOpensSavedWorksheetWithSwan()
{
    QVERIFY(m_fx->media.copy(QStringLiteral(ONDEL_BUILT_MEDIA_DIR "/multiple/Rivers 2.txt"),
                             u"multiple/Our Rivers.txt"_s));
    QVERIFY(QuizOpener::open(u"multiple/Our Rivers.txt"_s, u"images\\swan1.jpg"_s));
    QVERIFY(multiple->isVisible());
    QCOMPARE(multiple->Picture1->picture().sourcePath(), u"images\\swan1.jpg"_s);
    QVERIFY(!multiple->Picture1->picture().isNull());
    QCOMPARE(multiple->Label6->caption(), u"Rivers 2: Landforms"_s);
    QVERIFY(m_fx->boxes.shown().isEmpty());
}

void QuizScreenTest::hoverLightsButtonsUntilFormCrossed()
{
    openMadeUpQuiz();
    next();
    auto lit = [](int index) { return multiple->label3[index]->backStyle() == BackStyle::Opaque; };
    for (int i = 0; i < 4; ++i)
        QVERIFY(lit(i));
    TestUtil::mouseMove(multiple.get(), 11000, 600);
    for (int i = 0; i < 4; ++i)
        QVERIFY(!lit(i));

    TestUtil::mouseMove(multiple->label3[1]);
    QVERIFY(lit(1) && !lit(0));
    // Over the question nothing changes; the lit button stays lit.
    TestUtil::mouseMove(multiple->Label2);
    QVERIFY(lit(1));
    TestUtil::mouseMove(multiple->label3[3]);
    QVERIFY(lit(3) && lit(1));
    TestUtil::mouseMove(multiple.get(), 11000, 600);
    QVERIFY(!lit(1) && !lit(3));
}

void QuizScreenTest::printWorksheetLeavesQuizWhereItWas()
{
    RecordingPrinter printer;
    openRivers1Quiz();
    for (int q = 1; q <= 2; ++q) {
        chooseAnswer(multiple.get(), correctOption(q));
        next();
    }
    m_fx->sounds.clear();

    TestUtil::click(multiple->label3[3]);
    QCOMPARE(printer.documentsEnded(), 1);
    QCOMPARE(m_fx->boxes.texts(), QStringList { u"Your worksheet is now printing."_s });
    QCOMPARE(m_fx->sounds.played(), QStringList { clickSound });
    const QStringList first = printer.printedTexts();
    QVERIFY(first.contains(u"Rivers 1: Drainage Basins"_s));
    printer.clear();
    TestUtil::click(multiple->label3[3]);
    QCOMPARE(printer.printedTexts(), first);

    QCOMPARE(questnum, 3);
    QCOMPARE(multiple->Label4->caption(), u"Question 3"_s);
    QCOMPARE(firstMarks(2), QList<int>({ 1, 1 }));
}

QTEST_MAIN(QuizScreenTest)
#include "tst_quizscreen.moc"
