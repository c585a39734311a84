#include "scene.h"

#include "worksheetfiles.h"

#include <QLockFile>

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString saved = u"Your worksheet has been saved."_s;

// The wizard filled with the sample worksheet, then changed by edit.
template<class Edit> WizardScreen *showFilled(Edit edit)
{
    WizardScreen *screen = shown(wizard.get());
    if (!screen)
        return nullptr;
    WorksheetDraft draft = sampleWorksheet();
    edit(draft);
    screen->fill(draft);
    return screen;
}

void clickSave(WizardScreen *screen)
{
    TestUtil::click(screen->label3[1]);
}

} // namespace

class WizardTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void init() { s.emplace(); }
    void cleanup() { s.reset(); }

    // blank: question boxes 100 + row or answer boxes to empty; flip: tick boxes to click.
    void checksReportTheFirstGapInOrder_data()
    {
        QTest::addColumn<QList<int>>("blank");
        QTest::addColumn<QList<int>>("flip");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty question 3")
            << QList { 102 } << QList<int>() << u"You have not completed Question 3"_s;
        QTest::newRow("answer C of question 2 before the tick of question 4")
            << QList { 4 * 1 + 2 } << QList { 4 * 3 } << u"You have not completed Question 2"_s;
        QTest::newRow("no tick on question 5")
            << QList<int>() << QList { 4 * 4 }
            << u"You have not ticked the correct answer for Question 5"_s;
        QTest::newRow("two ticks on question 7")
            << QList<int>() << QList { 4 * 6 + 3 }
            << u"You have ticked more than one correct answer for Question 7"_s;
        QTest::newRow("empty answer before ticks of the same question")
            << QList { 4 * 9 + 3 } << QList { 4 * 9 + 2 }
            << u"You have not completed Question 10"_s;
        QTest::newRow("a question of spaces passes") << QList { -1 } << QList<int>() << saved;
    }

    void checksReportTheFirstGapInOrder()
    {
        QFETCH(QList<int>, blank);
        QFETCH(QList<int>, flip);
        QFETCH(QString, expected);
        WizardScreen *screen = shown(wizard.get());
        QVERIFY(screen);
        WorksheetDraft draft = sampleWorksheet();
        for (int box : blank) {
            if (box < 0)
                draft.questions[5] = u"   "_s;
            else if (box >= 100)
                draft.questions[box - 100].clear();
            else
                draft.answers[box].clear();
        }
        for (int tick : flip)
            draft.ticks[tick] = !draft.ticks[tick];
        typeWorksheet(screen, draft);
        clickSave(screen);
        QCOMPARE(s->boxes.texts(), QStringList { expected });
        QCOMPARE(s->media.worksheetFiles().contains(u"Our River Walk.txt"_s), expected == saved);
    }

    void enterMovesTheFocusAsTheTableSays_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("toIndex");
        QTest::newRow("title") << u"Text1"_s << 0 << u"Text2"_s << 0;
        QTest::newRow("question 4") << u"Text2"_s << 3 << u"Text3"_s << 12;
        QTest::newRow("answer A of question 1") << u"Text3"_s << 0 << u"Text3"_s << 1;
        QTest::newRow("answer C of question 5") << u"Text3"_s << 18 << u"Text3"_s << 19;
        QTest::newRow("answer D of question 5") << u"Text3"_s << 19 << u"Text2"_s << 5;
        QTest::newRow("answer D of question 9") << u"Text3"_s << 35 << u"Text2"_s << 9;
        QTest::newRow("answer D of question 10") << u"Text3"_s << 39 << u"Text3"_s << 39;
    }

    void enterMovesTheFocusAsTheTableSays()
    {
        QFETCH(QString, from);
        QFETCH(int, index);
        QFETCH(QString, to);
        QFETCH(int, toIndex);
        WizardScreen *screen = shown(wizard.get());
        QVERIFY(screen);
        auto box = [screen](const QString &name, int i) -> TextBox * {
            if (name == u"Text1")
                return screen->Text1;
            return name == u"Text2" ? screen->Text2[i] : screen->Text3[i];
        };
        TextBox *start = box(from, index);
        start->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), start);
        // A title takes 25 characters, a question 60 and an answer 30.
        QTest::keyClicks(start, QString(70, u'x'));
        QTest::keyClick(start, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(to, toIndex));
        QCOMPARE(start->text().size(), from == u"Text1" ? 25 : from == u"Text2" ? 60 : 30);
    }

    // While typing, the ring changes no other control.
    void focusRingCoversNoOtherControl()
    {
        WizardScreen *screen = showFilled([](WorksheetDraft &) {});
        QVERIFY(screen && QTest::qWaitForWindowActive(screen));
        for (QWidget *control :
             std::initializer_list<QWidget *> { screen->Text3[0], screen->Check1[26] }) {
            TestUtil::click(screen, 6000, 8800); // the mouse puts the ring away
            control->setFocus();
            const QImage before = screen->grab().toImage();
            QTest::keyClick(control, Qt::Key_S);
            const QImage typing = screen->grab().toImage();
            TestUtil::grabScreenshot(screen, u"wizard_typing_"_s + control->objectName());
            const QRect own(control->mapTo(screen, QPoint()), control->size());
            int changed = 0;
            for (int y = 0; y < typing.height(); ++y) {
                for (int x = 0; x < typing.width(); ++x) {
                    if (typing.pixel(x, y) != before.pixel(x, y)) {
                        QVERIFY2(own.contains(x, y) || !screen->childAt(x, y), "ring on another");
                        ++changed;
                    }
                }
            }
            QVERIFY(changed >= own.width() + own.height());
        }
    }

    void savedWorksheetIsTheFileFormatByteForByte()
    {
        setCatalogue(s->media, { u"Rivers 1"_s });
        WizardScreen *screen = shown(wizard.get());
        QVERIFY(screen);
        const WorksheetDraft draft = sampleWorksheet();
        typeWorksheet(screen, draft);
        clickSave(screen);
        QCOMPARE(s->boxes.texts(), QStringList { saved });
        QCOMPARE(s->sound.played(), QStringList { clickSound });

        const QByteArray bytes = s->media.read(u"multiple/Our River Walk.txt"_s);
        QCOMPARE(bytes.count("\r\n"), 72);
        QVERIFY(!bytes.contains(',') && bytes.contains("Where& on river walk 1& did we stop?\r\n"));
        QCOMPARE(bytes, sampleWorksheetBytes(draft.title));
        QCOMPARE(s->media.catalogue(), QByteArray(" 2 \r\nRivers 1\r\nOur River Walk\r\n"));

        // The screen keeps its contents; saving again replaces the file and lists nothing new.
        QVERIFY(sameDraft(screen->draft(), draft));
        const QByteArray catalogue = s->media.catalogue();
        screen->Text2[0]->clear();
        QTest::keyClicks(screen->Text2[0], u"Where did we start?"_s);
        clickSave(screen);
        QCOMPARE(s->boxes.texts(), (QStringList { saved, saved }));
        QCOMPARE(s->media.catalogue(), catalogue);
        QVERIFY(s->media.read(u"multiple/Our River Walk.txt"_s)
                    .contains("\r\n \r\nWhere did we start?\r\n"));

        QVERIFY(!TestUtil::grabScreenshot(screen, u"wizard-filled"_s).isEmpty());
    }

    // Commas, "&" and a leading space in titles come back as typed.
    void titlesTheCatalogueQuotesAreSaved()
    {
        WizardScreen *screen = shown(wizard.get());
        QVERIFY(screen);
        const QStringList titles { u"Rivers, lakes & seas"_s, u" Floods"_s };
        for (const QString &title : titles) {
            screen->fill(sampleWorksheet(title));
            clickSave(screen);
        }
        QCOMPARE(s->boxes.texts(), (QStringList { saved, saved }));
        WorksheetFiles::readcatalogue();
        QCOMPARE((QStringList { tracklist[trackcount - 1], tracklist[trackcount] }), titles);
    }

    // A held catalogue: busy pointer, then the reason; a missing folder is named.
    void saveWaitsForTheCatalogueAndSaysWhyItFails()
    {
        WizardScreen *screen = showFilled([](WorksheetDraft &) {});
        QVERIFY(screen);
        QLockFile other(s->media.multiple() + u"/track.txt.lock"_s);
        QVERIFY(other.tryLock(0));
        const auto restore = qScopeGuard([wait = WorksheetFiles::catalogueLockWait] {
            WorksheetFiles::catalogueLockWait = wait;
        });
        WorksheetFiles::catalogueLockWait = std::chrono::milliseconds(200);
        const QByteArray catalogue = s->media.catalogue();
        const qsizetype before = s->desktop.pointerChanges().size();
        clickSave(screen);
        QCOMPARE(s->desktop.pointerChanges().mid(before), (QList<bool> { true, false }));
        const QString problem = u"There was a problem saving your worksheet\n\n"_s;
        QCOMPARE(s->boxes.texts(), QStringList { problem + u"The catalogue is in use."_s });
        QCOMPARE(s->media.catalogue(), catalogue);

        other.unlock();
        clickSave(screen);
        QCOMPARE(s->boxes.texts().last(), saved);
        QCOMPARE(s->desktop.pointerChanges().size(), before + 2);

        QVERIFY(QDir(s->media.multiple()).removeRecursively());
        clickSave(screen);
        QCOMPARE(s->boxes.texts().last(),
                 problem
                     + u"The worksheets folder %1 cannot be found. If it is on a shared drive, "
                       "the drive may not be connected."_s.arg(s->media.multiple()));
    }

    void refusedEntriesWriteNothing_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString another = u"Please choose another title for your worksheet. "_s;
        QTest::newRow("empty screen: the title first")
            << QString() << -1 << QString() << u"You have not chosen a title for your worksheet"_s;
        QTest::newRow("catalogue's own name")
            << u"Track"_s << -1 << QString()
            << another + u"The title Track is reserved; please choose another."_s;
        QTest::newRow("title outside the code page")
            << u"Lakes \u03a9"_s << -1 << QString()
            << another + u"A title cannot hold the character \u03a9."_s;
        QTest::newRow("question begins with a quote")
            << u"Lakes"_s << 102 << u"\"Deep\" lakes?"_s
            << u"Question 3 cannot begin with a double quote (\"), because it would not be read "
               "back as typed. Please change it."_s;
        QTest::newRow("answer holds an ampersand")
            << u"Lakes"_s << 4 * 1 + 1 << u"Salt & pepper"_s
            << u"Answer B of Question 2 holds \"&\", which would be read back as a comma. "
               "Please write \"and\" instead."_s;
        QTest::newRow("answer D outside the code page")
            << u"Lakes"_s << 4 * 8 + 3 << u"\u6c34"_s
            << u"Answer D of Question 9 holds the character \u6c34, which a worksheet cannot "
               "store. Please change it."_s;
    }

    // box: -1 none, 100 + row a question box, else an answer box; no title: an empty screen.
    void refusedEntriesWriteNothing()
    {
        QFETCH(QString, title);
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        WizardScreen *screen = shown(wizard.get());
        QVERIFY(screen);
        WorksheetDraft draft = title.isEmpty() ? WorksheetDraft() : sampleWorksheet(title);
        if (box >= 100)
            draft.questions[box - 100] = text;
        else if (box >= 0)
            draft.answers[box] = text;
        typeWorksheet(screen, draft);
        QCOMPARE(screen->Text1->text(), title);
        const auto before = snapshot(s->media.base());
        clickSave(screen);
        QCOMPARE(s->boxes.texts(), QStringList { expected });
        QCOMPARE(s->boxes.last().caption, u"Ondel"_s);
        QCOMPARE(s->boxes.last().buttons, MessageBoxes::Buttons::Ok);
        QCOMPARE(snapshot(s->media.base()), before);
    }

private:
    std::optional<Scene> s;
};

QTEST_MAIN(WizardTest)
#include "tst_wizard.moc"
