#include "scene.h"

#include "celebration.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Opens a topic's quiz from its menu, as a pupil does.
void openQuiz(int topic)
{
    TopicMenu *menu = topic == 1 ? static_cast<TopicMenu *>(rivers1.get()) : rivers2.get();
    shown(menu);
    TestUtil::click(menu->label3[0]);
}

void next()
{
    TestUtil::click(multiple->label3[1]);
}

void previous()
{
    TestUtil::click(multiple->label3[0]);
}

int chosen()
{
    for (auto [index, option] : multiple->Option1)
        if (option->value())
            return index;
    return 0;
}

QList<int> marksOf(int count)
{
    return QList<int>(marks.begin() + 1, marks.begin() + 1 + count);
}

} // namespace

class QuizTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }

    // A mark is taken on leaving forward; there is no way back from question 1.
    void marksOnlyOnLeavingForward()
    {
        Scene s;
        openQuiz(1);
        const int right = correctOption(1);
        QVERIFY(!multiple->label3[0]->isVisible());
        chooseAnswer(right);
        chooseAnswer(right % 4 + 1);
        QCOMPARE(chosen(), right % 4 + 1);
        next();
        QCOMPARE(marks[1], 0);
        QVERIFY(multiple->label3[0]->isVisible());
        previous();
        QVERIFY(!multiple->label3[0]->isVisible());
        chooseAnswer(right % 4 + 1);
        chooseAnswer(right);
        QCOMPARE(marks[1], 0);
        next();
        QCOMPARE(marks[1], 1);
        QCOMPARE(chosen(), int(QuizScreen::noAnswer));
        previous();
        QCOMPARE(questnum, 1);
        QCOMPARE(marks[1], 1);
        next(); // left forward again without an answer: no longer right
        QCOMPARE(marks[1], 0);
        for (int q = 2; q <= 4; ++q) {
            chooseAnswer(correctOption(q));
            next();
        }
        chooseAnswer(correctOption(5) % 4 + 1);
        previous();
        previous();
        QCOMPARE(marksOf(5), QList<int>({ 0, 1, 1, 1, 0 }));
        chooseAnswer(correctOption(3) % 4 + 1);
        next();
        QCOMPARE(marksOf(5), QList<int>({ 0, 1, 0, 1, 0 }));
        for (int q = 4; q < 10; ++q)
            next();
        QCOMPARE(multiple->label3[1]->caption(), u"Check Score >>"_s);
        previous();
        QCOMPARE(multiple->label3[1]->caption(), u"Next Question >>"_s);
    }

    // Each band's sentence, hint, button and sound, and the review's rows.
    void fullQuizGivesItsBandAndReview_data()
    {
        QTest::addColumn<QList<int>>("wrong");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("celebration");
        QTest::newRow("10") << QList<int>() << u"Excellent work. You have scored 10 out of 10."_s
                            << u"wav\\fanf2.wav"_s;
        QTest::newRow("9") << QList<int> { 4 } << u"Good work. You have scored 9 out of 10."_s
                           << u"wav\\crowd.wav"_s;
        QTest::newRow("8") << QList<int> { 2, 5 } << u"Good work. You have scored 8 out of 10."_s
                           << u"wav\\flute.wav"_s;
        QTest::newRow("7") << QList<int> { 1, 6, 10 } << u"You have scored 7 out of 10."_s
                           << u"wav\\drumroll.wav"_s;
        QTest::newRow("0") << QList<int> { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }
                           << u"You have scored 0 out of 10."_s << QString();
    }

    void fullQuizGivesItsBandAndReview()
    {
        QFETCH(QList<int>, wrong);
        QFETCH(QString, sentence);
        QFETCH(QString, celebration);
        Scene s;
        openQuiz(1);
        // As an activity used while the quiz was open leaves them: the quiz counts its own.
        score = 4;
        outof = 4;
        s.sound.clear();
        answerQuiz(wrong);
        QVERIFY(resultsSettled());
        QVERIFY(!multiple.isLoaded());
        QCOMPARE(score, 10 - int(wrong.size()));
        QCOMPARE(Welldone->Label1->caption(), sentence);
        QCOMPARE(Welldone->label3[0]->caption(),
                 wrong.isEmpty() ? u"Print Certificate"_s : u"Check Wrong Answers"_s);
        QVERIFY(Welldone->label3[0]->isVisible());
        QCOMPARE(Welldone->Text1->isVisible(), wrong.isEmpty());
        QCOMPARE(Welldone->Label2->isVisible(), wrong.isEmpty());
        QCOMPARE(Welldone->Label5->isVisible() ? Welldone->Label5->caption() : QString(),
                 wrong.isEmpty() ? QString()
                                 : u"Click the button above to check which questions you "
                                   "answered incorrectly."_s);
        QVERIFY(!Welldone->Label6->isVisible());
        QCOMPARE(s.sound.played().size(), 20 + !celebration.isEmpty());
        QCOMPARE(s.sound.last(), celebration.isEmpty() ? clickSound : celebration);
        TestUtil::grabScreenshot(Welldone.get(),
                                 u"quiz_results_"_s + QString::fromLatin1(QTest::currentDataTag()));
        if (wrong.isEmpty())
            return;
        TestUtil::click(Welldone->label3[0]);
        QVERIFY(Wrong->isVisible());
        QCOMPARE(Wrong->Label6->caption(), u"Rivers 1: Drainage Basins"_s);
        const QImage review = Wrong->grab().toImage();
        for (int k = 0; k < WrongAnswersScreen::rowCount; ++k) {
            Label *row = Wrong->Label2[k];
            QCOMPARE(row->isVisible(), k < wrong.size());
            if (k >= wrong.size())
                continue;
            QCOMPARE(row->caption(), u" %1. %2"_s.arg(wrong[k]).arg(questions[wrong[k]]));
            QCOMPARE(QRectF(row->left(), row->top(), row->width(), row->height()),
                     QRectF(120, 1680 + 600 * k, 12000, 540));
            QVERIFY(shows(review, row->geometry(), Qt::white));
        }
        TestUtil::grabScreenshot(Wrong.get(),
                                 u"quiz_review_"_s + QString::fromLatin1(QTest::currentDataTag()));
    }

    // No button holds the keys until Tab; the picture lies inside the box's edge.
    void resultsWaitForTabAndShowTheWholePicture_data()
    {
        QTest::addColumn<QList<int>>("wrong");
        QTest::newRow("9") << QList<int> { 4 };
        QTest::newRow("10") << QList<int>();
    }

    void resultsWaitForTabAndShowTheWholePicture()
    {
        QFETCH(QList<int>, wrong);
        Scene s;
        openQuiz(1);
        answerQuiz(wrong);
        QVERIFY(resultsSettled() && QTest::qWaitForWindowActive(Welldone.get()));
        const QImage picture = Welldone->Picture1->picture().image();
        const QPoint corner(picture.width() + 1, picture.height() + 1);
        QVERIFY(Welldone->Picture1->rect().adjusted(2, 2, -2, -2).contains(corner));
        QCOMPARE(Welldone->Picture1->grab().toImage().pixelColor(corner),
                 picture.pixelColor(corner - QPoint(2, 2)));
        TestUtil::key(Qt::Key_Return);
        TestUtil::key(Qt::Key_Space);
        QVERIFY(Welldone->isVisible() && !Wrong->isVisible());
        QCOMPARE(Welldone->Text1->hasFocus(), wrong.isEmpty());
        TestUtil::key(Qt::Key_Tab);
        TestUtil::key(Qt::Key_Return);
        QCOMPARE(Wrong->isVisible(), !wrong.isEmpty());
    }

    // Each sound of a score's row covers an equal share [r / n, (r + 1) / n) of the draws.
    void celebrationsAreEquallyLikely()
    {
        for (int score = -1; score <= 13; ++score) {
            const QStringList sounds = Celebration::sounds(score);
            const int n = int(sounds.size());
            QCOMPARE(Celebration::choose(score, 0.5), sounds.value(n / 2));
            for (int r = 0; r < n; ++r) {
                QCOMPARE(Celebration::choose(score, double(r) / n), sounds[r]);
                QCOMPARE(Celebration::choose(score, std::nextafter(double(r + 1) / n, 0.0)),
                         sounds[r]);
            }
        }
    }

    void againStartsAfresh()
    {
        Scene s;
        openQuiz(1);
        answerQuiz({ 1 });
        QVERIFY(resultsSettled());
        TestUtil::click(Welldone->label3[1]);
        TestUtil::processEvents();
        TestUtil::click(rivers1->label3[0]);
        QCOMPARE(multiple->Label4->caption(), u"Question 1"_s);
        QCOMPARE(questnum, 1);
        QCOMPARE(score, 0);
        QCOMPARE(marksOf(10), QList<int>(10, 0));
    }

    void damagedWorksheetIsRefused_data()
    {
        QFile good(TemporaryMedia::shippedWorksheets().value(u"Rivers 1.txt"_s));
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = good.readAll().split('\n');
        auto withLine = [&](int number, const QByteArray &text) {
            QList<QByteArray> changed = lines;
            changed[number - 1] = text + '\r';
            return changed.join('\n');
        };
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("cut after question 4") << lines.mid(0, 30).join('\n');
        QTest::newRow("last digit missing") << lines.mid(0, 69).join('\n');
        QTest::newRow("answer 5") << withLine(8, "5");
        QTest::newRow("answer 0 on question 10") << withLine(71, "0");
        QTest::newRow("answer B") << withLine(15, "B");
    }

    void damagedWorksheetIsRefused()
    {
        QFETCH(QByteArray, content);
        Scene s;
        QFile::remove(s.media.path(u"multiple/Rivers 1.txt"_s));
        if (!content.isEmpty())
            QVERIFY(s.media.write(u"multiple/Rivers 1.txt"_s, content));
        QVERIFY(QuizOpener::open(u"multiple\\Rivers 2.txt"_s, u"images\\rivers2sm.jpg"_s));
        multiple.unload();
        const auto before = questions;
        // As the catalogue opens a worksheet.
        QVERIFY(!QuizOpener::open(u"multiple/Rivers 1.txt"_s, u"images\\swan1.jpg"_s));
        QCOMPARE(s.boxes.texts(), QStringList { corrupted });
        QCOMPARE(s.boxes.last().caption, u"Ondel"_s);
        QVERIFY(!multiple.isLoaded());
        // Nothing half-read stays in memory.
        QCOMPARE(worktitle, u"Rivers 2: Landforms"_s);
        QCOMPARE(questions, before);
    }
};

QTEST_MAIN(QuizTest)
#include "tst_quiz.moc"
