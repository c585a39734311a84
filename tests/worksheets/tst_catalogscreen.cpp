#include "scene.h"

#include "fieldreader.h"
#include "textfilewriter.h"
#include "worksheetfileerror.h"
#include "worksheetimport.h"

#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

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
    void cleanup() { s.reset(); }

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
        setCatalogue(s->media, numberedTitles(count));
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        QCOMPARE(shownTitles(screen), numberedTitles(qMin(count, 24)));
        QCOMPARE(nextShown(screen), count > 24);
        QVERIFY(!previousShown(screen));
        QVERIFY(screen->Label2[0]->visible());
        QCOMPARE(screen->Label4->caption(), u"Page 1"_s);
        QVERIFY(!screen->Check1->value() && !screen->Check2->value());
        TestUtil::grabScreenshot(screen, u"catalogue-%1"_s.arg(count));
    }

    // A count of 1005 reads 1000 titles, of which 41 pages show 984.
    void theFortyFirstPageIsTheLast()
    {
        setCatalogue(s->media, numberedTitles(1005));
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

    // A title opens as a quiz, or with Edit ticked in the wizard; the ticks untick each other.
    void titleOpensAsAQuizOrInTheWizard()
    {
        setCatalogueWithFiles(s->media, { u"Rivers Quiz"_s, u"Our River Walk"_s });
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
        TestUtil::click(multiple->label3[2]);

        clickTick(screen->Check2);
        clickTick(screen->Check1);
        QVERIFY(screen->Check1->value() && !screen->Check2->value());
        clickTick(screen->Check2);
        QVERIFY(!screen->Check1->value() && screen->Check2->value());
        clickTick(screen->Check1);
        TestUtil::click(screen->Label2[2]);
        QVERIFY(wizard->isVisible() && screen->isVisible());
        QVERIFY(sameDraft(wizard->draft(), sampleWorksheet()));
        QVERIFY(s->boxes.shown().isEmpty());
    }

    void deleteAsksThenCancelKeepsAndOkRemovesTheTitleAndRedraws()
    {
        s->boxes.setAnswers({ MessageBoxes::Result::Cancel, MessageBoxes::Result::Ok });
        setCatalogueWithFiles(s->media, numberedTitles(30));
        const QByteArray catalogue = s->media.catalogue();
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        clickTick(screen->Check2);
        TestUtil::click(screen->Label2[3]);
        const QString question
            = u"Are you sure that you want to delete the worksheet Worksheet 3?"_s;
        QCOMPARE(s->boxes.texts(), QStringList { question });
        QCOMPARE(s->boxes.last().caption, u"Ondel"_s);
        QCOMPARE(s->boxes.last().buttons, MessageBoxes::Buttons::OkCancel);
        QCOMPARE(s->media.catalogue(), catalogue);
        QCOMPARE(shownTitles(screen), numberedTitles(24));

        TestUtil::click(screen->Label2[3]);
        QCOMPARE(s->boxes.texts(), (QStringList { question, question }));
        QCOMPARE(delname, u"Worksheet 3"_s);
        QCOMPARE(trackcount, 29);
        QStringList remaining = numberedTitles(30);
        remaining.removeAt(2);
        QCOMPARE(s->media.catalogue(), crlfLines(QStringList { u" 29 "_s } + remaining));
        QVERIFY(QFileInfo::exists(s->media.path(u"multiple/Worksheet 3.txt"_s)));
        QCOMPARE(shownTitles(screen), remaining.mid(0, 24));
        QCOMPARE(screen->Label2[24]->caption(), u"Worksheet 25"_s);
        QVERIFY(nextShown(screen));
        QCOMPARE(s->sound.played(), (QStringList { clickSound, clickSound }));
        TestUtil::click(screen->label3[1]);
        QCOMPARE(shownTitles(screen), remaining.mid(24));
        QCOMPARE(shownTitles(screen).size(), 5);
    }

    // Without its folder the catalogue lists nothing and says why.
    void missingFolderIsSaidOnScreen()
    {
        setCatalogueWithFiles(s->media, numberedTitles(3));
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        QVERIFY(!screen->Label5->visible());
        QVERIFY(QDir(s->media.multiple()).removeRecursively());
        TestUtil::click(screen->Label2[1]);
        clickTick(screen->Check2);
        TestUtil::click(screen->Label2[2]);
        const QString gone = u"The worksheets folder %1 cannot be found. If it is on a shared "
                             "drive, the drive may not be connected."_s.arg(s->media.multiple());
        QCOMPARE(
            s->boxes.texts(),
            QStringList({ gone, u"The worksheet Worksheet 2 could not be deleted.\n\n"_s + gone }));
        QVERIFY(!multiple.isLoaded());

        worksheets.unload();
        TestUtil::processEvents();
        screen = showCatalogue();
        QVERIFY(screen);
        QVERIFY(screen->Label5->visible());
        QCOMPARE(screen->Label5->caption(), gone);
        QVERIFY(QRect(0, 720 / 15, 800, (7920 - 720) / 15).contains(screen->Label5->geometry()));
        QCOMPARE(shownTitles(screen), QStringList());
        TestUtil::grabScreenshot(screen, u"catalogue-missing-folder"_s);
    }

    // file: what the dialog gives ("" cancels); situation: the folder's state, or "again" for
    // the file imported twice; catalogue: the titles on show afterwards; saved: the worksheet
    // files the import leaves, each catalogued; wizard: the worksheet it opens with its number
    // of questions ("" for none), which, when complete, is saved there; says: parts of the last
    // box shown ("" for none).
    void importSavesTensAndOpensTheRestInTheWizard_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QStringList>("catalogue");
        QTest::addColumn<int>("saved");
        QTest::addColumn<QString>("wizardTitle");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QStringList>("says");
        const QByteArray bank = giftBank(11);
        const QString nothing
            = u"bank.gift: 0 questions imported, 11 questions skipped.\nNothing was saved. "_s;
        // clang-format off
        QTest::newRow("eleven") << u"bank.gift"_s << bank << QString() << QStringList { u"Rivers quiz 1"_s } << 1 << u"Rivers quiz 2"_s << 1 << QStringList { u"bank.gift: 11 questions imported, 11 questions skipped."_s, u"\"Rivers quiz 1\" is saved in the catalogue."_s, u"\"Rivers quiz 2\" (1 question) is open in the Multiple Choice Wizard"_s, u"Skipped:\nLine 5: \"True?\" skipped: a true/false question."_s, u"... and 3 more."_s };
        QTest::newRow("ten, then saved in the wizard") << u"floods.txt"_s << giftBank(10, u"Floods"_s) << QString() << QStringList() << 0 << u"Floods"_s << 10 << QStringList { u"\"Floods\" (10 questions) is open"_s };
        QTest::newRow("titles taken") << u"bank.gift"_s << giftBank(20, u"Rivers"_s) << QString() << QStringList { u"Rivers 1 (2)"_s, u"Rivers 2 (2)"_s } << 2 << QString() << 0 << QStringList { u"\"Rivers 1\" is already a worksheet, so the new one is called \"Rivers 1 (2)\"."_s };
        QTest::newRow("cut title imported again") << u"bank.gift"_s << giftBank(20, u"Rivers and streams of Britain"_s) << u"again"_s << QStringList { u"Rivers and streams of 1"_s, u"Rivers and streams of 2"_s, u"Rivers and streams 1 (2)"_s, u"Rivers and streams 2 (2)"_s } << 4 << QString() << 0 << QStringList { u"\"Rivers and streams of 2\" is already a worksheet, so the new one is called \"Rivers and streams 2 (2)\"."_s };
        QTest::newRow("malformed") << u"broken.gift"_s << QByteArray("Q1?{=a ~b ~c ~d}\n\nQ2?{=a ~b\n~c ~d\n") << QString() << QStringList() << 0 << QString() << 0 << QStringList { u"broken.gift cannot be imported, so nothing was imported.\n\nLine 3: "_s };
        QTest::newRow("cancelled") << QString() << QByteArray() << QString() << QStringList() << 0 << QString() << 0 << QStringList();
        QTest::newRow("folder missing") << u"bank.gift"_s << bank << u"missing"_s << QStringList() << 0 << QString() << 0 << QStringList { nothing + u"The worksheets folder "_s, u" is missing or cannot be reached"_s };
        QTest::newRow("folder read-only") << u"bank.gift"_s << bank << u"read-only"_s << QStringList() << 0 << QString() << 0 << QStringList { nothing + u"The worksheets folder "_s, u" is read-only, so nothing can be saved in it."_s };
        QTest::newRow("folder not writable") << u"bank.gift"_s << bank << u"not writable"_s << QStringList() << 0 << QString() << 0 << QStringList { nothing + u"This account may not save in the worksheets folder "_s };
        QTest::newRow("no room in the catalogue") << u"bank.gift"_s << bank << u"full"_s << numberedTitles(24) << 0 << QString() << 0 << QStringList { nothing + u"The catalogue holds 999 of its 1000 worksheets, and this import makes 2."_s };
        QTest::newRow("catalogue fails part way") << u"bank.gift"_s << giftBank(21) << u"fails"_s << QStringList { u"Rivers quiz 1"_s } << 1 << QString() << 0 << QStringList { u"bank.gift: 10 questions imported, 21 questions skipped."_s, u"\"Rivers quiz 1\" is saved in the catalogue.\nThe rest was not saved. track.txt could not be replaced."_s };
        // clang-format on
    }

    void importSavesTensAndOpensTheRestInTheWizard()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, situation);
        QFETCH(QStringList, catalogue);
        QFETCH(int, saved);
        QFETCH(QString, wizardTitle);
        QFETCH(int, questions);
        QFETCH(QStringList, says);
        const QString folder = s->media.multiple();
        const bool permissions = situation == u"read-only" || situation == u"not writable";
        if (permissions && geteuid() == 0) {
            QCOMPARE(TestUtil::runRowAsNobody(), 0);
            return;
        }
        s->media.write(file, bytes);
        if (situation == u"full")
            setCatalogue(s->media, numberedTitles(999));
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        if (situation == u"missing")
            QDir(folder).removeRecursively();
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            TextFileWriter::setBeforeReplaceHook({});
        });
        if (permissions)
            QFile::setPermissions(
                folder,
                QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                    | QFile::ReadOther | QFile::ExeOther
                    | (situation == u"read-only" ? QFile::Permissions() : QFile::WriteGroup));
        if (situation == u"fails")
            TextFileWriter::setBeforeReplaceHook([count = 0](const QString &path) mutable {
                if (path.endsWith(u"/track.txt"_s) && ++count == 2)
                    throw WorksheetFileError(u"track.txt could not be replaced."_s);
            });
        const QByteArray builtIn = s->media.read(u"multiple/Rivers 1.txt"_s);
        const qsizetype files = s->media.worksheetFiles().size();
        const int clicks = situation == u"again" ? 2 : 1;
        s->dialogs.setAnswers(
            QStringList(clicks, file.isEmpty() ? QString() : s->media.path(file)));
        for (int click = 0; click < clicks; ++click)
            TestUtil::click(screen->Label2[CatalogueScreen::importButton]);
        QCOMPARE(s->dialogs.asked().value(0).caption, u"Import Questions"_s);
        QVERIFY(s->dialogs.asked().value(0).filters.join(u' ').contains(u"*.gift *.txt *.xml"_s));
        QCOMPARE(shownTitles(screen), catalogue);
        QCOMPARE(s->media.worksheetFiles().size(), files + saved);
        QCOMPARE(s->media.read(u"multiple/Rivers 1.txt"_s), builtIn);
        QCOMPARE(wizard.isLoaded(), !wizardTitle.isEmpty());
        if (wizard.isLoaded()) {
            QVERIFY(wizard->isVisible());
            QCOMPARE(wizard->Text1->text(), wizardTitle);
            for (int row = 0; row < 10; ++row) {
                QCOMPARE(wizard->Text2[row]->text().isEmpty(), row >= questions);
                QCOMPARE(wizard->Check1[4 * row]->value(), row < questions ? 1 : 0);
            }
        }
        QCOMPARE(s->boxes.shown().size(), says.isEmpty() ? 0 : clicks);
        for (const QString &part : says)
            QVERIFY2(s->boxes.last().text.contains(part), qPrintable(s->boxes.last().text));
        QCOMPARE(s->sound.played(), QStringList(clicks, clickSound));

        // The catalogue underneath shows what the wizard saves.
        if (questions == 10) {
            TestUtil::click(wizard->label3[1]);
            QCOMPARE(s->boxes.texts().last(), u"Your worksheet has been saved."_s);
            QCOMPARE(shownTitles(screen), catalogue << wizardTitle);
        }
    }

    void exportWritesTheNextTitleClickedInTheFormatChosen()
    {
        setCatalogueWithFiles(s->media, { u"Our River Walk"_s });
        CatalogueScreen *screen = showCatalogue();
        QVERIFY(screen);
        Label *exportButton = screen->Label2[CatalogueScreen::exportButton];
        QCOMPARE(screen->Label2[CatalogueScreen::importButton]->caption(), u"Import Questions"_s);
        QCOMPARE(QPointF(exportButton->left(), exportButton->top()), QPointF(9030, 8520));
        clickTick(screen->Check1);
        TestUtil::click(exportButton);
        QVERIFY(!screen->Check1->value());
        QCOMPARE(exportButton->caption(), u"Cancel Export"_s);
        QCOMPARE(s->boxes.texts(),
                 QStringList { u"Click the title of the worksheet you want to export."_s });
        TestUtil::click(exportButton);
        QCOMPARE(exportButton->caption(), u"Export Worksheet"_s);
        TestUtil::click(exportButton);
        TestUtil::grabScreenshot(screen, u"catalogue_exporting"_s);

        // A name without a suffix is written in the format of the filter chosen.
        const QString target = s->media.path(u"walk"_s);
        s->dialogs.setAnswers({ target }, 1);
        TestUtil::click(screen->Label2[1]);
        QCOMPARE(s->dialogs.asked().value(0).path.section(u'/', -1), u"Our River Walk.gift"_s);
        QCOMPARE(s->dialogs.asked().value(0).filters,
                 QStringList({ u"GIFT (*.gift)"_s, u"Moodle XML (*.xml)"_s }));
        const ImportResult back
            = WorksheetImport::importBytes(s->media.read(u"walk"_s), QuestionFormat::MoodleXml, {});
        QCOMPARE(back.worksheets.value(0).draft, sampleWorksheet());
        QCOMPARE(s->boxes.last().text, u"Your worksheet has been exported to %1."_s.arg(target));
        QCOMPARE(exportButton->caption(), u"Export Worksheet"_s);
        QVERIFY(!multiple.isLoaded());
    }

private:
    std::optional<Scene> s;
};

QTEST_MAIN(CatalogueScreenTest)
#include "tst_catalogscreen.moc"
