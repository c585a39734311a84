#include "screenfixture.h"

#include "worksheetfiles.h"

#include <QAccessible>
#include <QLockFile>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString clickSound = u"wav\\click.wav"_s;
const QString saved = u"Your worksheet has been saved."_s;

// The wizard filled with the sample worksheet, then changed by edit.
template<class Edit> WizardScreen *showFilled(Edit edit)
{
    WizardScreen *screen = ScreenFixture::showWizard();
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
    void cleanup()
    {
        ScreenFixture::unloadScreens();
        s.reset();
    }

    // Counts and spot checks of the grid; the screenshot shows the rest.
    void gridStandsAtItsDesignPositions()
    {
        WizardScreen *screen = ScreenFixture::showWizard();
        QVERIFY(screen);
        QCOMPARE(screen->Label1.count(), 52);
        QCOMPARE(screen->findChildren<TextBox *>().size(), 51);
        QCOMPARE(screen->Check1.count(), 40);
        QCOMPARE(screen->Label1[0]->caption(), u"Multiple Choice Wizard"_s);
        for (int row : { 0, 9 }) {
            const double top = 840 + 1440 * (row % 5);
            const double shift = row < 5 ? 0 : 5880;
            QCOMPARE(screen->Text2[row]->geometry(), Twips::toPixels(240 + shift, top, 5655, 375));
            QCOMPARE(screen->Text3[4 * row + 3]->geometry(),
                     Twips::toPixels(3600 + shift, top + 720, 2295, 330));
            QCOMPARE(screen->Check1[4 * row + 3]->geometry(),
                     Twips::toPixels(3330 + shift, top + 720, 255, 315));
        }
        // Assistive technology names the caption-less tick s->boxes.
        QAccessibleInterface *tick = QAccessible::queryAccessibleInterface(screen->Check1[22]);
        QVERIFY(tick);
        QCOMPARE(tick->text(QAccessible::Name), u"Question 6 answer C is correct"_s);
        QCOMPARE(screen->Text3[22]->accessibleName(), u"Question 6 answer C"_s);
        QCOMPARE(screen->label3[1]->geometry(), Twips::toPixels(240, 7920, 3165, 495));
        QVERIFY(!TestUtil::grabScreenshot(screen, u"wizard-empty"_s).isEmpty());
    }

    void saveOnAnEmptyScreenReportsOnlyTheTitle()
    {
        WizardScreen *screen = ScreenFixture::showWizard();
        QVERIFY(screen);
        clickSave(screen);
        QCOMPARE(s->boxes.texts(),
                 QStringList { u"You have not chosen a title for your worksheet"_s });
        QCOMPARE(s->boxes.last().caption, u"Ondel"_s);
        QCOMPARE(s->boxes.last().buttons, MessageBoxes::Buttons::Ok);
        QCOMPARE(s->sound.played(), QStringList { clickSound });
        QCOMPARE(s->media.worksheetFiles(), QStringList { u"track.txt"_s });
    }

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
        WizardScreen *screen = ScreenFixture::showWizard();
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
        ScreenFixture::typeWorksheet(screen, draft);
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
        WizardScreen *screen = ScreenFixture::showWizard();
        QVERIFY(screen);
        auto box = [screen](const QString &name, int i) -> TextBox * {
            if (name == u"Text1")
                return screen->Text1;
            return name == u"Text2" ? screen->Text2[i] : screen->Text3[i];
        };
        TextBox *start = box(from, index);
        start->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), start);
        QTest::keyClick(start, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(to, toIndex));
        QVERIFY(start->text().isEmpty());
    }

    void typingStopsAtEachBoxsLimit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        QTest::newRow("title") << u"Text1"_s << 25;
        QTest::newRow("question") << u"Text2"_s << 60;
        QTest::newRow("answer") << u"Text3"_s << 30;
    }

    void typingStopsAtEachBoxsLimit()
    {
        QFETCH(QString, name);
        QFETCH(int, limit);
        WizardScreen *screen = ScreenFixture::showWizard();
        QVERIFY(screen);
        TextBox *box = name == u"Text1" ? screen->Text1
            : name == u"Text2"          ? screen->Text2[7]
                                        : screen->Text3[22];
        const QString typed = u"The river Severn flows to the sea at Bristol, past many towns."_s;
        QVERIFY(typed.size() > limit);
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), typed.left(limit));
    }

    void savedWorksheetIsTheFileFormatByteForByte()
    {
        s->media.setCatalogue({ u"Rivers 1"_s });
        WizardScreen *screen = ScreenFixture::showWizard();
        QVERIFY(screen);
        const WorksheetDraft draft = sampleWorksheet();
        ScreenFixture::typeWorksheet(screen, draft);
        clickSave(screen);
        QCOMPARE(s->boxes.texts(), QStringList { saved });
        QCOMPARE(s->sound.played(), QStringList { clickSound });

        const QByteArray bytes = s->media.read(u"multiple/Our River Walk.txt"_s);
        QCOMPARE(bytes.count("\r\n"), 72);
        QVERIFY(!bytes.contains(',') && bytes.contains("Where& on river walk 1& did we stop?\r\n"));
        QCOMPARE(bytes, worksheetBytes(draft));
        QCOMPARE(s->media.catalogueBytes(), QByteArray(" 2 \r\nRivers 1\r\nOur River Walk\r\n"));

        // The screen keeps its contents; saving again replaces the file and lists nothing new.
        QVERIFY(ScreenFixture::sameDraft(screen->draft(), draft));
        const QByteArray catalogue = s->media.catalogueBytes();
        screen->Text2[0]->clear();
        QTest::keyClicks(screen->Text2[0], u"Where did we start?"_s);
        clickSave(screen);
        QCOMPARE(s->boxes.texts(), (QStringList { saved, saved }));
        QCOMPARE(s->media.catalogueBytes(), catalogue);
        QVERIFY(s->media.read(u"multiple/Our River Walk.txt"_s)
                    .contains("\r\n \r\nWhere did we start?\r\n"));

        // A title differing in letter case is a new entry.
        screen->Text1->setText(u"our river walk"_s);
        clickSave(screen);
        QCOMPARE(s->media.catalogueBytes(),
                 QByteArray(" 3 \r\nRivers 1\r\nOur River Walk\r\nour river walk\r\n"));
        QVERIFY(!TestUtil::grabScreenshot(screen, u"wizard-filled"_s).isEmpty());
    }

    void refusedEntriesWriteNothing_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString another = u"Please choose another title for your worksheet. "_s;
        QTest::newRow("leading quote in title")
            << u"\"Lakes"_s << -1 << QString()
            << another + u"A title cannot hold the character \"."_s;
        QTest::newRow("folder in title") << u"../Lakes"_s << -1 << QString()
                                         << another + u"A title cannot hold the character /."_s;
        QTest::newRow("catalogue's own name")
            << u"Track"_s << -1 << QString()
            << another + u"The title Track is reserved; please choose another."_s;
        QTest::newRow("title ends with a dot")
            << u"Lakes."_s << -1 << QString()
            << another + u"A title cannot end with a dot or a space."_s;
        QTest::newRow("title outside the code page")
            << u"Lakes \u03a9"_s << -1 << QString()
            << another + u"A title cannot hold the character \u03a9."_s;
        QTest::newRow("question begins with a quote")
            << u"Lakes"_s << 102 << u"\"Deep\" lakes?"_s
            << u"Question 3 cannot begin with a double quote (\"), because it would not be read "
               "back as typed. Please change it."_s;
        QTest::newRow("answer D outside the code page")
            << u"Lakes"_s << 4 * 8 + 3 << u"\u6c34"_s
            << u"Answer D of Question 9 holds the character \u6c34, which a worksheet cannot "
               "store. Please change it."_s;
        QTest::newRow("answer B begins with a quote")
            << u"Lakes"_s << 1 << u"\"B\""_s
            << u"Answer B of Question 1 cannot begin with a double quote (\"), because it would "
               "not be read back as typed. Please change it."_s;
    }

    // box: -1 none, 100 + row a question box, else an answer box.
    void refusedEntriesWriteNothing()
    {
        QFETCH(QString, title);
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        WizardScreen *screen = ScreenFixture::showWizard();
        QVERIFY(screen);
        WorksheetDraft draft = sampleWorksheet(title);
        if (box >= 100)
            draft.questions[box - 100] = text;
        else if (box >= 0)
            draft.answers[box] = text;
        ScreenFixture::typeWorksheet(screen, draft);
        QCOMPARE(screen->Text1->text(), title);
        const auto before = snapshot(s->media.base());
        clickSave(screen);
        QCOMPARE(s->boxes.texts(), QStringList { expected });
        QCOMPARE(s->boxes.last().caption, u"Ondel"_s);
        QCOMPARE(snapshot(s->media.base()), before);
    }

    // The file layer's title rule: commas, "&" and a leading space are saved, and the
    // catalogue gives them back as typed.
    void titlesTheCatalogueQuotesAreSaved()
    {
        WizardScreen *screen = ScreenFixture::showWizard();
        QVERIFY(screen);
        const QStringList titles { u"Rivers, lakes & seas"_s, u" Floods"_s };
        for (const QString &title : titles) {
            screen->fill(sampleWorksheet(title));
            clickSave(screen);
        }
        QCOMPARE(s->boxes.texts(), (QStringList { saved, saved }));
        WorksheetFiles::readcatalogue();
        QCOMPARE((QStringList { tracklist[1], tracklist[2] }), titles);
    }

    // While another program holds the catalogue the save waits under the busy pointer and
    // then fails as any save does; with the catalogue free there is no busy pointer.
    void saveWaitsForTheCatalogueUnderTheBusyPointer()
    {
        WizardScreen *screen = showFilled([](WorksheetDraft &) {});
        QVERIFY(screen);
        QLockFile other(s->media.multiple() + u"/track.txt.lock"_s);
        QVERIFY(other.tryLock(0));
        const auto restore = qScopeGuard([wait = WorksheetFiles::catalogueLockWait] {
            WorksheetFiles::catalogueLockWait = wait;
        });
        WorksheetFiles::catalogueLockWait = std::chrono::milliseconds(200);
        const qsizetype before = s->desktop.pointerChanges().size();
        clickSave(screen);
        QCOMPARE(s->desktop.pointerChanges().mid(before), (QList<bool> { true, false }));
        QCOMPARE(s->boxes.texts(), QStringList { u"There was a problem saving your worksheet"_s });
        QCOMPARE(s->media.catalogueBytes(), catalogueBytes({}));

        other.unlock();
        clickSave(screen);
        QCOMPARE(s->boxes.texts().last(), saved);
        QCOMPARE(s->desktop.pointerChanges().size(), before + 2);
    }

    void failedSaveSaysSoAndKeepsTheBoxes()
    {
        QVERIFY(QFile::remove(s->media.path(u"multiple/track.txt"_s)));
        WizardScreen *screen = ScreenFixture::showWizard();
        QVERIFY(screen);
        const WorksheetDraft draft = sampleWorksheet();
        ScreenFixture::typeWorksheet(screen, draft);
        clickSave(screen);
        QCOMPARE(s->boxes.texts(), QStringList { u"There was a problem saving your worksheet"_s });
        QVERIFY(ScreenFixture::sameDraft(screen->draft(), draft));
        QVERIFY(wizard.isLoaded());
    }

    void exitDiscardsTheBoxesWithoutAsking()
    {
        WizardScreen *screen = ScreenFixture::showWizard();
        QVERIFY(screen);
        QTest::keyClicks(screen->Text1, u"Half done"_s);
        TestUtil::click(screen->label3[0]);
        QVERIFY(!wizard.isLoaded());
        QVERIFY(s->boxes.shown().isEmpty());
        QCOMPARE(s->sound.played(), QStringList { clickSound });
        TestUtil::processEvents();
        QVERIFY(wizard->Text1->text().isEmpty());
        QCOMPARE(s->media.worksheetFiles(), QStringList { u"track.txt"_s });
    }

    void buttonsLightUnderThePointerUntilTheBareForm()
    {
        WizardScreen *screen = ScreenFixture::showWizard();
        QVERIFY(screen);
        auto lit = [screen] {
            QList<int> opaque;
            for (const auto &[index, label] : screen->label3) {
                if (label->backStyle() == BackStyle::Opaque)
                    opaque << index;
            }
            return opaque;
        };
        QCOMPARE(lit(), (QList<int> { 0, 1 }));
        QTest::mouseMove(screen->windowHandle(), QPoint(400, 560));
        QVERIFY(lit().isEmpty());
        TestUtil::mouseMove(screen->label3[1]);
        QCOMPARE(lit(), QList<int> { 1 });
        TestUtil::mouseMove(screen->label3[0]);
        QCOMPARE(lit(), (QList<int> { 0, 1 }));
        QTest::mouseMove(screen->windowHandle(), QPoint(400, 560));
        QVERIFY(lit().isEmpty());
    }

private:
    std::optional<ScreenFixture::Scene> s;
};

QTEST_MAIN(WizardTest)
#include "tst_wizard.moc"
