#include "screenfixture.h"

#include "fieldreader.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString clickSound = u"wav\\click.wav"_s;
const QString corrupted = u"This worksheet seems to be corrupted."_s;

CatalogueScreen *showCatalogue()
{
    worksheets->show();
    return QTest::qWaitForWindowExposed(worksheets.get()) ? worksheets.get() : nullptr;
}

// The captions of the titles on show, top to bottom, left column first.
QStringList shownTitles(const CatalogueScreen *screen)
{
    QStringList shown;
    for (int i = 1; i <= 24; ++i) {
        if (screen->Label2[i]->visible())
            shown << screen->Label2[i]->caption();
    }
    return shown;
}

bool previousShown(const CatalogueScreen *screen)
{
    return screen->label3[0]->visible();
}

bool nextShown(const CatalogueScreen *screen)
{
    return screen->label3[1]->visible();
}

} // namespace

class CatalogueScreenTest : public QObject
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

    void firstPageHoldsUpToTwentyFourTitles_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << 0;
        QTest::newRow("24") << 24;
        QTest::newRow("25") << 25;
    }

    void firstPageHoldsUpToTwentyFourTitles()
    {
        QFETCH(int, count);
        s->media.setCatalogue(numberedTitles(count));
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        QCOMPARE(shownTitles(screen), numberedTitles(qMin(count, 24)));
        QCOMPARE(nextShown(screen), count > 24);
        QVERIFY(!previousShown(screen));
        QVERIFY(screen->Label2[0]->visible());
        QCOMPARE(screen->Label4->caption(), u"Page 1"_s);
        QVERIFY(!screen->Check1->value() && !screen->Check2->value());
        if (count == 0) {
            QCOMPARE(screen->Label2[24]->geometry(),
                     Twips::toPixels(6120, 720 + 600 * 11, 5715, 375));
            QVERIFY(!TestUtil::grabScreenshot(screen, u"catalogue-empty"_s).isEmpty());
        }
    }

    void pageButtonsTurnThePages()
    {
        s->media.setCatalogue(numberedTitles(30));
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        QTest::mouseMove(screen->windowHandle(), QPoint(400, 590));
        QVERIFY(!TestUtil::grabScreenshot(screen, u"catalogue-30-page1"_s).isEmpty());

        TestUtil::click(screen->label3[1]);
        QCOMPARE(catpage, 1);
        QCOMPARE(screen->Label4->caption(), u"Page 2"_s);
        QCOMPARE(shownTitles(screen), numberedTitles(30).mid(24));
        QCOMPARE(screen->Label2[1]->caption(), u"Worksheet 25"_s);
        QVERIFY(previousShown(screen));
        QVERIFY(!nextShown(screen));
        QCOMPARE(s->sound.played(), QStringList { clickSound });
        QVERIFY(!TestUtil::grabScreenshot(screen, u"catalogue-30-page2"_s).isEmpty());

        TestUtil::click(screen->label3[0]);
        QCOMPARE(catpage, 0);
        QCOMPARE(screen->Label4->caption(), u"Page 1"_s);
        QCOMPARE(shownTitles(screen), numberedTitles(24));
        QVERIFY(!previousShown(screen));
        QVERIFY(nextShown(screen));
        QCOMPARE(s->sound.played(), (QStringList { clickSound, clickSound }));
    }

    // A count of 1005 reads 1000 titles, of which 41 pages show 984.
    void theFortyFirstPageIsTheLast()
    {
        s->media.setCatalogue(numberedTitles(1005));
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        for (int page = 1; page <= 40; ++page) {
            QVERIFY(nextShown(screen));
            TestUtil::click(screen->label3[1]);
        }
        QCOMPARE(catpage, 40);
        QCOMPARE(screen->Label4->caption(), u"Page 41"_s);
        QCOMPARE(shownTitles(screen), numberedTitles(984).mid(960));
        QVERIFY(!nextShown(screen));
        QVERIFY(previousShown(screen));
        TestUtil::click(screen->label3[0]);
        QCOMPARE(shownTitles(screen), numberedTitles(960).mid(936));
        QVERIFY(nextShown(screen));
    }

    void modeTickBoxesExcludeEachOther()
    {
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        auto ticks = [screen] { return QPair(screen->Check1->value(), screen->Check2->value()); };
        ScreenFixture::clickTick(screen->Check1);
        QCOMPARE(ticks(), QPair(1, 0));
        ScreenFixture::clickTick(screen->Check2);
        QCOMPARE(ticks(), QPair(0, 1));
        ScreenFixture::clickTick(screen->Check1);
        QCOMPARE(ticks(), QPair(1, 0));
        ScreenFixture::clickTick(screen->Check1);
        QCOMPARE(ticks(), QPair(0, 0));
        ScreenFixture::clickTick(screen->Check2);
        ScreenFixture::clickTick(screen->Check2);
        QCOMPARE(ticks(), QPair(0, 0));
    }

    void openModeStartsTheQuizOverTheCatalogue()
    {
        s->media.setCatalogueWithFiles({ u"Rivers Quiz"_s, u"Our River Walk"_s });
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        TestUtil::click(screen->Label2[2]);
        QVERIFY(s->boxes.shown().isEmpty());
        QVERIFY(multiple.isLoaded());
        QVERIFY(multiple->isVisible());
        QCOMPARE(multiple->Picture1->picture().sourcePath(), u"images\\swan1.jpg"_s);
        QVERIFY(!multiple->Picture1->picture().isNull());
        QCOMPARE(multiple->Label5->caption(), u"Ondel"_s);
        QCOMPARE(multiple->Label6->caption(), u"Our River Walk"_s);
        QCOMPARE(multiple->Label2->caption(), u"Where, on river walk 1, did we stop?"_s);
        QCOMPARE(correct[4], u"4"_s);
        QVERIFY(worksheets.isLoaded());
        QVERIFY(screen->isVisible());
        QCOMPARE(s->sound.played(), QStringList { clickSound });
    }

    void editModeFillsEveryBoxAndTickOfTheWizard()
    {
        s->media.setCatalogueWithFiles({ u"Our River Walk"_s });
        // Ticks left in an open wizard do not survive the filling.
        ScreenFixture::clickTick(ScreenFixture::showWizard()->Check1[1]);
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        ScreenFixture::clickTick(screen->Check1);
        TestUtil::click(screen->Label2[1]);
        QVERIFY(s->boxes.shown().isEmpty());
        QVERIFY(wizard->isVisible());
        QVERIFY(ScreenFixture::sameDraft(wizard->draft(), sampleWorksheet()));
        QCOMPARE(wizard->Text3[37]->text(), u"Bridge 10, stop B"_s);
        QCOMPARE(wizard->Check1[37]->value(), 1);
        QCOMPARE(wizard->Check1[1]->value(), 0);
        QVERIFY(worksheets.isLoaded());
        QVERIFY(!multiple.isLoaded());
    }

    void editingAWorksheetWithABadAnswerDigitOpensNothing()
    {
        s->media.setCatalogue({ u"Odd Answers"_s });
        QByteArray bytes = worksheetBytes(sampleWorksheet(u"Odd Answers"_s));
        // Question 3's correct answer is C ("3"); make it "7".
        const QByteArray line = "Bridge 3& stop D\r\n3\r\n";
        QVERIFY(bytes.contains(line));
        bytes.replace(line, "Bridge 3& stop D\r\n7\r\n");
        s->media.write(u"multiple/Odd Answers.txt"_s, bytes);
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        ScreenFixture::clickTick(screen->Check1);
        TestUtil::click(screen->Label2[1]);
        QCOMPARE(s->boxes.texts(), QStringList { corrupted });
        QCOMPARE(s->boxes.last().caption, u"Ondel"_s);
        QVERIFY(!wizard.isLoaded());

        // The quiz refuses it too.
        ScreenFixture::clickTick(screen->Check1);
        TestUtil::click(screen->Label2[1]);
        QCOMPARE(s->boxes.texts(), (QStringList { corrupted, corrupted }));
        QVERIFY(!multiple.isLoaded());
    }

    void deleteAsksThenCancelKeepsAndOkRemovesTheTitleAndRedraws()
    {
        s->boxes.setAnswers({ MessageBoxes::Result::Cancel, MessageBoxes::Result::Ok });
        s->media.setCatalogueWithFiles(numberedTitles(30));
        const QByteArray catalogue = s->media.catalogueBytes();
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        ScreenFixture::clickTick(screen->Check2);
        TestUtil::click(screen->Label2[3]);
        const QString question
            = u"Are you sure that you want to delete the worksheet Worksheet 3?"_s;
        QCOMPARE(s->boxes.texts(), QStringList { question });
        QCOMPARE(s->boxes.last().caption, QString());
        QCOMPARE(s->boxes.last().buttons, MessageBoxes::Buttons::OkCancel);
        QCOMPARE(s->media.catalogueBytes(), catalogue);
        QCOMPARE(shownTitles(screen), numberedTitles(24));

        TestUtil::click(screen->Label2[3]);
        QCOMPARE(s->boxes.texts(), (QStringList { question, question }));
        QCOMPARE(delname, u"Worksheet 3"_s);
        QCOMPARE(trackcount, 29);
        QStringList remaining = numberedTitles(30);
        remaining.removeAt(2);
        QCOMPARE(s->media.catalogueBytes(), crlfLines(QStringList { u" 29 "_s } + remaining));
        QVERIFY(QFileInfo::exists(s->media.path(u"multiple/Worksheet 3.txt"_s)));
        QCOMPARE(shownTitles(screen), remaining.mid(0, 24));
        QCOMPARE(screen->Label2[24]->caption(), u"Worksheet 25"_s);
        QVERIFY(nextShown(screen));
        QCOMPARE(s->sound.played(), (QStringList { clickSound, clickSound }));
        TestUtil::click(screen->label3[1]);
        QCOMPARE(shownTitles(screen), remaining.mid(24));
        QCOMPARE(shownTitles(screen).size(), 5);
    }

    void deletingTheOnlyTitleOfTheLastPageLeavesItEmpty()
    {
        s->media.setCatalogueWithFiles(numberedTitles(25));
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        TestUtil::click(screen->label3[1]);
        QCOMPARE(shownTitles(screen), QStringList { u"Worksheet 25"_s });
        ScreenFixture::clickTick(screen->Check2);
        TestUtil::click(screen->Label2[1]);
        QCOMPARE(s->boxes.shown().size(), 1);
        QVERIFY(shownTitles(screen).isEmpty());
        QCOMPARE(screen->Label4->caption(), u"Page 2"_s);
        QVERIFY(previousShown(screen));
        QVERIFY(!nextShown(screen));
        TestUtil::click(screen->label3[0]);
        QCOMPARE(shownTitles(screen), numberedTitles(24));
        QVERIFY(!nextShown(screen));
    }

    void missingWorksheetFileIsCorruptedInEveryMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("open") << 0;
        QTest::newRow("edit") << 1;
        QTest::newRow("delete") << 2;
    }

    void missingWorksheetFileIsCorruptedInEveryMode()
    {
        QFETCH(int, mode);
        s->media.setCatalogueWithFiles({ u"Worksheet 1"_s });
        s->media.setCatalogue({ u"Worksheet 1"_s, u"Lost Worksheet"_s });
        const QByteArray catalogue = s->media.catalogueBytes();
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        if (mode == 1)
            ScreenFixture::clickTick(screen->Check1);
        if (mode == 2)
            ScreenFixture::clickTick(screen->Check2);
        TestUtil::click(screen->Label2[2]);
        QCOMPARE(s->boxes.texts(), QStringList { corrupted });
        QCOMPARE(s->boxes.last().caption, u"Ondel"_s);
        QCOMPARE(s->boxes.last().buttons, MessageBoxes::Buttons::Ok);
        QCOMPARE(s->sound.played(), QStringList { clickSound });
        QVERIFY(!multiple.isLoaded());
        QVERIFY(!wizard.isLoaded());
        QCOMPARE(s->media.catalogueBytes(), catalogue);
        QCOMPARE(shownTitles(screen), (QStringList { u"Worksheet 1"_s, u"Lost Worksheet"_s }));
        QVERIFY(!FieldReader::anyFileOpen());
    }

    void catalogueEntryReplacesTheMenuAndExitBringsItBackWithSoundOn()
    {
        s->media.setCatalogue({ u"Worksheet 1"_s });
        intro0->show();
        QVERIFY(QTest::qWaitForWindowExposed(intro0.get()));
        QTRY_VERIFY(!intro0->Timer1->enabled());
        TestUtil::click(intro0->Option2);
        QCOMPARE(soundon, 0);

        TestUtil::click(intro0->Label2[18]);
        QVERIFY(worksheets.isLoaded());
        QVERIFY(worksheets->isVisible());
        QVERIFY(!intro0.isLoaded());
        TestUtil::processEvents();
        QVERIFY(s->sound.played().isEmpty());
        QCOMPARE(shownTitles(worksheets.get()), QStringList { u"Worksheet 1"_s });

        s->media.setCatalogue({ u"Worksheet 1"_s, u"Worksheet 2"_s });
        CatalogueScreen *screen = worksheets.get();
        QVERIFY(QTest::qWaitForWindowExposed(screen));
        TestUtil::click(screen->Label2[0]);
        QVERIFY(!worksheets.isLoaded());
        QVERIFY(intro0.isLoaded());
        QVERIFY(intro0->isVisible());
        QCOMPARE(soundon, 1);
        QVERIFY(intro0->Option1->value());
        QVERIFY(!intro0->Option2->value());
        QTRY_VERIFY(!intro0->Timer1->enabled());
        QCOMPARE(trackcount, 2);
        QCOMPARE(tracklist[2], u"Worksheet 2"_s);
        QVERIFY(s->sound.played().isEmpty());
        QVERIFY(s->boxes.shown().isEmpty());

        // Opened again, it starts on page 1 with neither mode ticked.
        TestUtil::click(intro0->Label2[18]);
        QCOMPARE(s->sound.played(), QStringList { clickSound });
        QVERIFY(!worksheets->Check1->value() && !worksheets->Check2->value());
        QCOMPARE(worksheets->Label4->caption(), u"Page 1"_s);
    }

    void titlesLightUnderThePointerButPageButtonsDoNot()
    {
        s->media.setCatalogue(numberedTitles(30));
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        auto lit = [screen] {
            QList<int> opaque;
            for (const auto &[index, label] : screen->Label2) {
                if (label->visible() && label->backStyle() == BackStyle::Opaque)
                    opaque << index;
            }
            return opaque;
        };
        QCOMPARE(lit().size(), 25);
        QTest::mouseMove(screen->windowHandle(), QPoint(400, 590));
        QVERIFY(lit().isEmpty());
        QCOMPARE(screen->label3[1]->backStyle(), BackStyle::Opaque);
        TestUtil::mouseMove(screen->Label2[5]);
        QCOMPARE(lit(), QList<int> { 5 });
        TestUtil::mouseMove(screen->Label2[0]);
        QCOMPARE(lit(), (QList<int> { 0, 5 }));
        TestUtil::mouseMove(screen->label3[1]);
        QCOMPARE(lit(), (QList<int> { 0, 5 }));
    }

private:
    std::optional<ScreenFixture::Scene> s;
};

QTEST_MAIN(CatalogueScreenTest)
#include "tst_catalogscreen.moc"
