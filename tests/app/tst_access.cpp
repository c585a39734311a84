#include "scene.h"

#include "focusmark.h"
#include "speakerbutton.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Form *active(Form *form)
{
    return QTest::qWaitForWindowActive(form) ? form : nullptr;
}

// The focus mark rings the control; the screenshot shows it.
bool marked(QWidget *control, const QString &name)
{
    QWidget *screen = control->window();
    TestUtil::grabScreenshot(screen, u"focus-"_s + name);
    const auto *mark = screen->findChild<FocusMark *>();
    return mark && mark->isVisible()
        && mark->geometry().contains(QRect(control->mapTo(screen, QPoint()), control->size()));
}

} // namespace

class AccessTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }

    void keyboardThroughAQuiz()
    {
        Scene s;
        QVERIFY(active(shown(Titlefrm.get())));
        TestUtil::key(Qt::Key_Escape); // not the title's Exit, which ends the program
        QVERIFY(Titlefrm->isVisible());
        QVERIFY(TestUtil::tabTo(Titlefrm->Command1));
        TestUtil::key(Qt::Key_Return);
        QVERIFY(active(intro0.get()));
        QVERIFY(TestUtil::tabTo(intro0->Label2[5]));
        QVERIFY(marked(intro0->Label2[5], u"label-button"_s));
        TestUtil::key(Qt::Key_Space);
        QVERIFY(active(rivers1.get()));
        QVERIFY(TestUtil::tabTo(rivers1->label3[0]));
        TestUtil::key(Qt::Key_Enter);
        QVERIFY(active(multiple.get()));
        for (int q = 1; q <= 10; ++q) {
            // Each question starts on its first answer; the arrows go round without choosing.
            QCOMPARE(QApplication::focusWidget(), multiple->Option1[1]);
            s.sound.clear();
            TestUtil::key(Qt::Key_Up);
            for (int a = 4; a != correctOption(q); a = a % 4 + 1)
                TestUtil::key(Qt::Key_Down);
            QVERIFY(s.sound.played().isEmpty() && !multiple->Option1[correctOption(q)]->value());
            TestUtil::key(Qt::Key_Space);
            QCOMPARE(s.sound.played(), QStringList { typeSound });
            if (q == 1)
                QVERIFY(marked(multiple->Option1[correctOption(q)], u"quiz-answer"_s));
            QVERIFY(TestUtil::tabTo(multiple->label3[1]));
            TestUtil::key(Qt::Key_Return);
        }
        QVERIFY(resultsSettled());
        QCOMPARE(Welldone->Label1->caption(), u"Excellent work. You have scored 10 out of 10."_s);
        QVERIFY(TestUtil::tabTo(Welldone->label3[1]));
        TestUtil::key(Qt::Key_Space);
        // Each screen closed puts the keyboard on the one in front.
        QVERIFY(active(rivers1.get()));
        TestUtil::key(Qt::Key_Escape);
        QVERIFY(active(intro0.get()) && !rivers1.isLoaded());
        // The mouse puts the mark away.
        TestUtil::click(intro0.get(), 15, 15);
        QVERIFY(!intro0->findChild<FocusMark *>()->isVisible());
    }

    // F5 and the speaker read the screen, each reading stopping the last; closing stops it.
    void readsAloud()
    {
        Scene s;
        QVERIFY(shown(rivers1.get()));
        TestUtil::click(rivers1->label3[0]);
        QVERIFY(active(multiple.get()));
        TestUtil::key(Qt::Key_F5);
        TestUtil::click(multiple->label3[1]);
        TestUtil::click(multiple->findChild<SpeakerButton *>());
        QCOMPARE(s.speech.spoken(),
                 QStringList({ u"Question 1. Where does a river begin? At its mouth. At its "
                               u"source. In the sea. At a confluence."_s,
                               u"Question 2. What is a small river that flows into a bigger "
                               u"river? An estuary. A meander. A tributary. A delta."_s }));
        const int stops = s.speech.stops();
        TestUtil::click(multiple->label3[2]);
        QCOMPARE(s.speech.stops(), stops + 1);

        s.speech.clear();
        TestUtil::click(rivers1->label3[0]);
        answerQuiz({});
        QVERIFY(resultsSettled());
        TestUtil::key(Qt::Key_F5);
        TestUtil::click(Welldone->label3[1]);
        TestUtil::click(rivers1->label3[1]);
        QVERIFY(active(rivers1lab.get()));
        TestUtil::key(Qt::Key_F5);
        QCOMPARE(s.speech.spoken(),
                 QStringList({ u"Excellent work. You have scored 10 out of 10."_s,
                               u"Drag the labels into the correct boxes. confluence. tributary. "
                               u"estuary. watershed."_s }));

        // Sound off: silent, and the speaker shows it.
        soundon = 0;
        TestUtil::key(Qt::Key_F5);
        QCOMPARE(s.speech.spoken().size(), 2);
        QVERIFY(!rivers1lab->findChild<SpeakerButton *>()->soundOn());

        // No engine: no speaker, and F5 does nothing.
        soundon = 1;
        s.speech.setAvailable(false);
        TestUtil::click(rivers1lab->label3[0]);
        TestUtil::click(rivers1->label3[1]);
        QVERIFY(active(rivers1lab.get()));
        TestUtil::key(Qt::Key_F5);
        QCOMPARE(s.speech.spoken().size(), 2);
        QVERIFY(!rivers1lab->findChild<SpeakerButton *>()->isVisible());
    }
};

QTEST_MAIN(AccessTest)
#include "tst_access.moc"
