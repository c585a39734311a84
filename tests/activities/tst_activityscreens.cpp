#include "scene.h"

#include "speakerbutton.h"

#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

QPointF centreOf(QWidget *control)
{
    return Twips::fromPixels(QPointF(control->geometry().center()));
}

// Drags the word by its centre to `to` (form twips) in five steps.
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

enum class Way { Mouse, Keyboard, ClickToPlace, Touch };

const QString thud = u"wav\\thud3.wav"_s;

// Puts the word into the box the way a pupil does.
void move(ActivityScreen *form, Way way, int word, int box, RecordingSoundPlayer &sound)
{
    const QPointF target = centreOf(form->Label1[box]);
    if (way == Way::Mouse) {
        dragWord(form, word, target);
    } else if (way == Way::Touch) {
        // A second finger, on the next word, moves along and must move nothing.
        static QPointingDevice *screen = QTest::createTouchDevice();
        const QPoint from = form->Label2[word]->geometry().center();
        const QPoint other = form->Label2[(word + 1) % form->Label2.count()]->geometry().center();
        const QPoint to = form->Label1[box]->geometry().center();
        QTest::touchEvent(form, screen).press(0, from).press(1, other);
        QTest::touchEvent(form, screen).move(0, (from + to) / 2).move(1, other - QPoint(0, 50));
        QTest::touchEvent(form, screen).move(0, to).move(1, other - QPoint(0, 100));
        QTest::touchEvent(form, screen).release(0, to).release(1, other - QPoint(0, 100));
    } else if (way == Way::ClickToPlace) {
        // The click on the word is a drop where it lies.
        TestUtil::click(form->Label2[word]);
        QCOMPARE(sound.played(), QStringList { thud });
        sound.clear();
        TestUtil::click(form, target.x(), target.y()); // on the word lying there, if any
    } else {
        QVERIFY(TestUtil::tabTo(form->Label2[word]));
        TestUtil::key(Qt::Key_Space);
        for (int i = 0;
             i < form->activity().targetCount() && form->activity().targetOf(word) != 2 * box; ++i)
            TestUtil::key(i % 2 ? Qt::Key_Tab : Qt::Key_Right);
        TestUtil::key(Qt::Key_Space);
    }
}

// The sounds since the last look, whether Check Score shows, and where the words lie.
QString look(ActivityScreen *form, RecordingSoundPlayer &sound)
{
    QString seen = sound.played().join(u' ') + (form->label3[2]->visible() ? u" check:"_s : u":"_s);
    for (auto [index, word] : form->Label2)
        seen += u" %1,%2"_s.arg(word->left()).arg(word->top());
    sound.clear();
    return seen;
}

} // namespace

Q_DECLARE_METATYPE(std::function<ActivityScreen *()>)
Q_DECLARE_METATYPE(Way)

class TestActivityScreens final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }

    void everyWordIntoItsBox_data()
    {
        QTest::addColumn<QString>("screen");
        for (const QString &topic : Topics::names())
            for (const QString &kind : { u"lab"_s, u"ord"_s })
                QTest::newRow(qPrintable(topic + kind)) << topic + kind;
    }

    // Check Score once all lie on boxes, a score below full marks, then full marks.
    void everyWordIntoItsBox()
    {
        QFETCH(QString, screen);
        Scene s;
        ActivityScreen *form = shown(activityScreens()[screen].get());
        QVERIFY(form);
        const int n = form->Label2.count();
        QCOMPARE(outof, n);
        for (const PictureDef &picture : form->definition().pictures)
            QVERIFY(!form->Image1[picture.index]->picture().isNull());
        // Tab goes round to the words in reading order; Shift+Tab goes back the same way.
        QVERIFY(TestUtil::tabTo(form->label3[1]));
        QWidgetList round { QApplication::focusWidget() };
        for (TestUtil::key(Qt::Key_Tab);
             QApplication::focusWidget() != round.first() && round.size() <= n + 4;
             TestUtil::key(Qt::Key_Tab))
            round << QApplication::focusWidget();
        QWidgetList back { round.first() };
        for (int i = 1; i < round.size(); ++i) {
            TestUtil::key(Qt::Key_Tab, Qt::ShiftModifier);
            back.insert(1, QApplication::focusWidget());
        }
        QCOMPARE(back, round);
        const QWidgetList words = round.mid(round.size() - n);
        for (int i = 0; i < n; ++i) {
            QCOMPARE(words[i]->objectName(), u"Label2"_s);
            QVERIFY(i == 0
                    || std::pair(words[i - 1]->y(), words[i - 1]->x())
                        < std::pair(words[i]->y(), words[i]->x()));
        }
        for (int i = 0; i < n; ++i) {
            QVERIFY(onCorner(form->Label2[i], form->Label4[i]));
            QVERIFY(!form->label3[2]->isVisible());
            s.sound.clear();
            // Dropped anywhere in its box's zone, the word lies exactly on the box.
            const int box = i < n - 1 ? i : 0;
            dragWord(form, i, centreOf(form->Label1[box]) + QPointF(13 + 80 * i, 7 + 25 * i));
            QVERIFY2(onCorner(form->Label2[i], form->Label1[box]),
                     qPrintable(form->Label2[i]->caption()));
            QCOMPARE(s.sound.played(), QStringList { thud });
        }
        QVERIFY(form->label3[2]->isVisible());
        TestUtil::click(form->label3[2]);
        QVERIFY(resultsSettled());
        QCOMPARE(Welldone->Label1->caption(),
                 u"Good work. You have scored %1 out of %2."_s.arg(n - 1).arg(n));
        QCOMPARE(Welldone->Label6->isVisible() ? Welldone->Label6->caption() : QString(),
                 u"Read the Key Facts and try again."_s);
        QVERIFY(!Welldone->Label5->isVisible() && !Welldone->label3[0]->isVisible());
        QVERIFY(!Welldone->Text1->isVisible() && !Welldone->Label2->isVisible());
        TestUtil::click(Welldone->label3[1]);
        dragWord(form, n - 1, centreOf(form->Label4[n - 1]));
        QVERIFY(form->label3[2]->isVisible());
        dragWord(form, n - 1, centreOf(form->Label1[n - 1]));
        TestUtil::grabScreenshot(form, form->objectName() + u"-placed"_s);
        TestUtil::click(form->label3[2]);
        QVERIFY(resultsSettled());
        QCOMPARE(Welldone->Label1->caption(),
                 u"Excellent work. You have scored %1 out of %1."_s.arg(n));
        TestUtil::click(Welldone->label3[1]);
        TestUtil::processEvents();
        QVERIFY(form->label3[2]->isVisible());
        for (int i = 0; i < n; ++i)
            QVERIFY(onCorner(form->Label2[i], form->Label1[i]));
        // Start Again puts every word back on its slot.
        TestUtil::click(form->label3[1]);
        QCOMPARE(score, 0);
        for (int i = 0; i < n; ++i)
            QVERIFY(onCorner(form->Label2[i], form->Label4[i]));
        QVERIFY(!form->label3[2]->isVisible());
    }

    // A click drops and chooses a word; a click on a placed word puts the chosen one there.
    void clickDropsAndChooses()
    {
        Scene s;
        ActivityScreen *form = shown(rivers1lab.get());
        QVERIFY(form);
        dragWord(form, 2, centreOf(form->Label1[0]));
        s.sound.clear();
        TestUtil::click(form->Label2[1]);
        QCOMPARE(s.sound.played(), QStringList { thud });
        QVERIFY(onCorner(form->Label2[1], form->Label4[1]));
        const QImage chosen = form->grab().toImage();
        TestUtil::grabScreenshot(form, u"rivers1lab-chosen"_s);
        const QPoint corner = form->Label2[1]->geometry().topLeft();
        QCOMPARE(chosen.pixelColor(corner + QPoint(3, 3)), QColor(Qt::black));
        QCOMPARE(chosen.pixelColor(corner - QPoint(2, 2)), QColor(Qt::white));
        s.sound.clear();
        TestUtil::click(form->Label2[2]);
        QVERIFY(onCorner(form->Label2[1], form->Label1[0]));
        QVERIFY(onCorner(form->Label2[2], form->Label1[0]));
        QCOMPARE(s.sound.played(), QStringList { thud });
        QVERIFY(form->grab().toImage().pixelColor(corner - QPoint(2, 2)) != QColor(Qt::white));

        s.sound.clear();
        const QPointF from = centreOf(form->Label2[3]);
        TestUtil::mousePress(form, from.x(), from.y());
        TestUtil::mouseMove(form, from.x() + Twips::perPixel, from.y());
        QCOMPARE(form->Label2[3]->left(),
                 from.x() + Twips::perPixel - form->Label2[3]->width() / 2);
        TestUtil::mouseRelease(form, from.x() + Twips::perPixel, from.y());
        QVERIFY(onCorner(form->Label2[3], form->Label4[3]));
        QCOMPARE(s.sound.played(), QStringList { thud });
    }

    // A word dropped over the speaker is drawn there and takes the click.
    void wordLiesOverTheSpeaker()
    {
        Scene s;
        ActivityScreen *form = shown(rivers2ord.get());
        QVERIFY(form);
        const QPoint centre = form->findChild<SpeakerButton *>()->geometry().center();
        const QPointF spot = Twips::fromPixels(QPointF(centre));
        Label *word = form->Label2[0];
        dragWord(form, 0, spot);
        TestUtil::grabScreenshot(form, u"rivers2ord-word-over-speaker"_s);
        QCOMPARE(form->grab().toImage().pixelColor(centre),
                 word->grab().toImage().pixelColor(centre - word->pos()));
        TestUtil::click(form, spot.x(), spot.y());
        QVERIFY(s.speech.spoken().isEmpty());
        QCOMPARE(QApplication::focusWidget(), word);
    }

    // Keyboard, click-to-place and touch land, thud and score as the mouse does.
    void sameAsMouse_data()
    {
        QTest::addColumn<std::function<ActivityScreen *()>>("open");
        QTest::addColumn<Way>("way");
        const std::pair<const char *, std::function<ActivityScreen *()>> screens[] {
            { "rivers1lab", [] { return rivers1lab.get(); } },
            { "rivers2lab", [] { return rivers2lab.get(); } },
            { "rivers1ord", [] { return rivers1ord.get(); } },
            { "rivers2ord", [] { return rivers2ord.get(); } },
        };
        for (const auto &[name, open] : screens) {
            QTest::addRow("%s keyboard", name) << open << Way::Keyboard;
            QTest::addRow("%s click-to-place", name) << open << Way::ClickToPlace;
            QTest::addRow("%s touch", name) << open << Way::Touch;
        }
    }

    void sameAsMouse()
    {
        QFETCH(std::function<ActivityScreen *()>, open);
        QFETCH(Way, way);
        Scene s;
        ActivityScreen *form = shown(open());
        QVERIFY(form);
        const int n = form->Label2.count();
        QList<std::pair<int, int>> moves { { 0, 1 }, { 0, 0 } };
        for (int i = 1; i < n; ++i)
            moves.append({ i, i });
        QStringList seen[2];
        for (Way by : { Way::Mouse, way }) {
            if (by == Way::Keyboard) {
                QVERIFY(TestUtil::tabTo(form->Label2[0]));
                TestUtil::key(Qt::Key_Space);
                TestUtil::key(Qt::Key_Right);
                TestUtil::grabScreenshot(form, form->objectName() + u"-picked-up"_s);
                QVERIFY(onCorner(form->Label2[0], form->Label1[1]));
                // Back from the first place round to the last.
                TestUtil::key(Qt::Key_Left);
                TestUtil::key(Qt::Key_Left);
                QVERIFY(onCorner(form->Label2[0], form->Label1[0]));
                TestUtil::key(Qt::Key_Left);
                QVERIFY(onCorner(form->Label2[0], form->Label4[n - 1]));
                TestUtil::key(Qt::Key_Escape);
                QVERIFY(onCorner(form->Label2[0], form->Label4[0]) && form->isVisible());
                QVERIFY(s.sound.played().isEmpty());
            }
            for (auto [word, box] : moves) {
                move(form, by, word, box, s.sound);
                seen[by != Way::Mouse] << look(form, s.sound);
            }
            TestUtil::click(form->label3[2]);
            QVERIFY(resultsSettled());
            seen[by != Way::Mouse] << Welldone->Label1->caption();
            TestUtil::click(Welldone->label3[1]);
            TestUtil::click(form->label3[1]);
            s.sound.clear();
        }
        QCOMPARE(seen[1], seen[0]);
        QCOMPARE(seen[0].last(), u"Excellent work. You have scored %1 out of %1."_s.arg(n));
    }
};

QTEST_MAIN(TestActivityScreens)
#include "tst_activityscreens.moc"
