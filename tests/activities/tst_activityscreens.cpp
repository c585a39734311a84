#include "scene.h"

#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;

// The four activities played with the mouse: every word dragged from its slot into its box
// with a thud, Check Score only once all are placed, full marks on the results screen, and
// the activity unchanged beneath it afterwards.

namespace {

QPointF centreOf(QWidget *control)
{
    return Twips::fromPixels(QPointF(control->geometry().center()));
}

// Presses the left button on the word's centre, moves the pointer to `to` (form twips) in a
// few steps, the first one large, and releases the button there.
void dragWord(ActivityScreen *form, int index, QPointF to)
{
    const QPointF from = centreOf(form->Label2[index]);
    TestUtil::mousePress(form, from.x(), from.y());
    for (int step = 1; step <= 5; ++step) {
        const QPointF at = from + (to - from) * step / 5;
        TestUtil::mouseMove(form, at.x(), at.y());
    }
    TestUtil::mouseRelease(form, to.x(), to.y());
}

// Exact comparison, as the activity itself compares positions.
bool onCorner(const Label *word, const Label *target)
{
    return word->left() == target->left() && word->top() == target->top();
}

} // namespace

Q_DECLARE_METATYPE(std::function<ActivityScreen *()>)

class TestActivityScreens final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }

    void everyWordIntoItsBox_data()
    {
        QTest::addColumn<std::function<ActivityScreen *()>>("open");
        QTest::newRow("rivers1lab")
            << std::function([]() -> ActivityScreen * { return rivers1lab.get(); });
        QTest::newRow("rivers2lab")
            << std::function([]() -> ActivityScreen * { return rivers2lab.get(); });
        QTest::newRow("rivers1ord")
            << std::function([]() -> ActivityScreen * { return rivers1ord.get(); });
        QTest::newRow("rivers2ord")
            << std::function([]() -> ActivityScreen * { return rivers2ord.get(); });
    }

    void everyWordIntoItsBox()
    {
        QFETCH(std::function<ActivityScreen *()>, open);
        Scene s;
        ActivityScreen *form = shown(open());
        QVERIFY(form);
        const int n = form->Label2.count();
        QCOMPARE(outof, n);
        for (const PictureDef &picture : form->definition().pictures)
            QVERIFY(!form->Image1[picture.index]->picture().isNull());
        for (int i = 0; i < n; ++i) {
            QVERIFY(onCorner(form->Label2[i], form->Label4[i]));
            QVERIFY(!form->label3[2]->visible());
            s.sound.clear();
            // Dropped anywhere in its box's zone, the word lies exactly on the box.
            dragWord(form, i, centreOf(form->Label1[i]) + QPointF(13 - 150 * i, 7 + 40 * i));
            QVERIFY2(onCorner(form->Label2[i], form->Label1[i]),
                     qPrintable(form->Label2[i]->caption()));
            QCOMPARE(s.sound.played(), QStringList { u"wav\\thud3.wav"_s });
        }
        QVERIFY(form->label3[2]->visible());
        TestUtil::grabScreenshot(form, form->objectName() + u"-placed"_s);
        TestUtil::click(form->label3[2]);
        QVERIFY(resultsSettled());
        QCOMPARE(Welldone->Label1->caption(),
                 u"Excellent work. You have scored %1 out of %1."_s.arg(n));
        TestUtil::click(Welldone->label3[1]);
        TestUtil::processEvents();
        QVERIFY(form->label3[2]->visible());
        for (int i = 0; i < n; ++i)
            QVERIFY(onCorner(form->Label2[i], form->Label1[i]));
        // Start Again puts every word back on its slot.
        TestUtil::click(form->label3[1]);
        QCOMPARE(score, 0);
        for (int i = 0; i < n; ++i)
            QVERIFY(onCorner(form->Label2[i], form->Label4[i]));
        QVERIFY(!form->label3[2]->visible());
    }
};

QTEST_MAIN(TestActivityScreens)
#include "tst_activityscreens.moc"
