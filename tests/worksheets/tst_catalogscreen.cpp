#include "scene.h"

#include "fieldreader.h"

#include <QtTest>

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

    void openModeStartsTheQuizOverTheCatalogue()
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
        QCOMPARE(s->boxes.last().caption, QString());
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

private:
    std::optional<Scene> s;
};

QTEST_MAIN(CatalogueScreenTest)
#include "tst_catalogscreen.moc"
