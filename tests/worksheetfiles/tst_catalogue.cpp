#include "fieldreader.h"
#include "worksheetfileerror.h"
#include "worksheettestdata.h"

#include <QTest>

using namespace WorksheetFiles;

namespace {
const QString trackPath = QStringLiteral("multiple/track.txt");
}

class tst_Catalogue : public QObject
{
    Q_OBJECT

private slots:
    void readsCountThenTitlesAndKeepsWhatWasRead();
    void countThatIsNotANumberFails_data();
    void countThatIsNotANumberFails();
    void missingCatalogueFails();
    void addingAndDeletingRewriteTheCatalogue_data();
    void addingAndDeletingRewriteTheCatalogue();
    void savingAgainReplacesTheFileAndDeletingKeepsIt();
    void deletionClosesTheGap();
    void thousandAndFirstEntryFailsAfterTheFileIsWritten();
    void damagedCatalogueIsNotRewritten();
};

void tst_Catalogue::readsCountThenTitlesAndKeepsWhatWasRead()
{
    TempMediaRoot media;
    media.write(trackPath, " 2 \r\nRivers 1\r\nMy rivers quiz\r\n");
    readcatalogue();
    QCOMPARE(catalogueInMemory(),
             (QStringList { QStringLiteral("Rivers 1"), QStringLiteral("My rivers quiz") }));

    // A count of 3 with two titles fails but keeps the two.
    media.write(trackPath, " 3 \r\nA\r\nB\r\n");
    tracklist[3] = QStringLiteral("from before");
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, readcatalogue());
    QVERIFY(!FieldReader::anyFileOpen());
    QCOMPARE(trackcount, 3);
    QCOMPARE(
        catalogueInMemory(),
        (QStringList { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("from before") }));

    // A count of 1001 reads 1000 titles, then fails.
    media.write(trackPath, catalogueBytes(numberedTitles(1001)));
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, readcatalogue());
    QCOMPARE(trackcount, 1001);
    QCOMPARE(catalogueInMemory(), numberedTitles(1000));
}

void tst_Catalogue::countThatIsNotANumberFails_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("word") << QByteArray("three\r\nA\r\n");
    QTest::newRow("empty line") << QByteArray("\r\nA\r\n");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("negative") << QByteArray(" -1 \r\n");
    QTest::newRow("fraction") << QByteArray(" 2.5 \r\nA\r\nB\r\n");
    QTest::newRow("digits then letters") << QByteArray(" 2x \r\nA\r\nB\r\n");
    QTest::newRow("too large") << QByteArray(" 99999999999 \r\n");
    QTest::newRow("a worksheet instead") << QByteArray("Rivers 1\r\n \r\nWhat?\r\n");
}

void tst_Catalogue::countThatIsNotANumberFails()
{
    QFETCH(QByteArray, bytes);
    TempMediaRoot media;
    media.write(trackPath, bytes);
    trackcount = 7;
    tracklist[1] = QStringLiteral("kept");
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, readcatalogue());
    QCOMPARE(trackcount, 7);
    QCOMPARE(tracklist[1], QStringLiteral("kept"));
    QVERIFY(!FieldReader::anyFileOpen());
}

void tst_Catalogue::missingCatalogueFails()
{
    TempMediaRoot media;
    trackcount = 4;
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, readcatalogue());
    QCOMPARE(trackcount, 4);
    // Saving still writes the worksheet, but it cannot be catalogued.
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError,
                             saveworksheet(sampleWorksheet(QStringLiteral("New"))));
    QVERIFY(QFile::exists(media.multiple() + QStringLiteral("/New.txt")));
    QVERIFY(!QFile::exists(media.multiple() + QStringLiteral("/track.txt")));
}

void tst_Catalogue::addingAndDeletingRewriteTheCatalogue_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("add");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QByteArray>("after");
    const QByteArray two(" 2 \r\nRivers 1\r\nFloods\r\n");
    QTest::newRow("new title at the end")
        << QByteArray(" 1 \r\nRivers 1\r\n") << true << QStringLiteral("Floods") << two;
    QTest::newRow("first title") << QByteArray(" 0 \r\n") << true << QStringLiteral("First")
                                 << QByteArray(" 1 \r\nFirst\r\n");
    QTest::newRow("listed title stays once") << two << true << QStringLiteral("Floods") << two;
    QTest::newRow("title with a comma is quoted")
        << QByteArray(" 1 \r\nPlain\r\n") << true << QStringLiteral("Rivers, lakes")
        << QByteArray(" 2 \r\nPlain\r\n\"Rivers, lakes\"\r\n");
    QTest::newRow("title with leading spaces is quoted")
        << QByteArray(" 1 \r\nPlain\r\n") << true << QStringLiteral("  Indented")
        << QByteArray(" 2 \r\nPlain\r\n\"  Indented\"\r\n");
    QTest::newRow("deleting the only entry") << QByteArray(" 1 \r\nOnly\r\n") << false
                                             << QStringLiteral("Only") << QByteArray(" 0 \r\n");
    QTest::newRow("deleting takes the last of equal titles")
        << QByteArray(" 4 \r\nA\r\nB\r\nA\r\nC\r\n") << false << QStringLiteral("A")
        << QByteArray(" 3 \r\nA\r\nB\r\nC\r\n");
    QTest::newRow("deleting a quoted title")
        << QByteArray(" 2 \r\nPlain\r\n\"Rivers, lakes\"\r\n") << false
        << QStringLiteral("Rivers, lakes") << QByteArray(" 1 \r\nPlain\r\n");
    QTest::newRow("deleting an unlisted title") << two << false << QStringLiteral("Gone") << two;
    QTest::newRow("deleting a title differing in case")
        << two << false << QStringLiteral("floods") << two;
    QTest::newRow("deleting from an empty catalogue")
        << QByteArray(" 0 \r\n") << false << QStringLiteral("Anything") << QByteArray(" 0 \r\n");
}

void tst_Catalogue::addingAndDeletingRewriteTheCatalogue()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, add);
    QFETCH(QString, title);
    QFETCH(QByteArray, after);
    TempMediaRoot media;
    media.write(trackPath, before);
    if (add)
        trackworksheets(title);
    else
        QCOMPARE(delworksheet(title), before != after);
    QCOMPARE(media.read(trackPath), after);
    readcatalogue();
    QCOMPARE(catalogueInMemory().contains(title), add || after.contains(title.toLatin1() + '\r'));
}

void tst_Catalogue::savingAgainReplacesTheFileAndDeletingKeepsIt()
{
    TempMediaRoot media;
    media.write(trackPath, " 0 \r\n");
    saveworksheet(sampleWorksheet(QStringLiteral("Floods")));
    const QByteArray catalogue = media.read(trackPath);
    saveworksheet(sampleWorksheet(QStringLiteral("Floods"), QStringLiteral(" (second)")));
    QCOMPARE(media.read(trackPath), catalogue);
    QCOMPARE(
        media.read(QStringLiteral("multiple/Floods.txt")),
        worksheetBytes(sampleWorksheet(QStringLiteral("Floods"), QStringLiteral(" (second)"))));

    // A title differing in case is a new entry; file names match regardless of case, as on
    // the system the data was written for, so both entries open the worksheet saved last.
    saveworksheet(sampleWorksheet(QStringLiteral("FLOODS"), QStringLiteral(" in capitals")));
    QCOMPARE(media.read(trackPath), QByteArray(" 2 \r\nFloods\r\nFLOODS\r\n"));
    readworksheetfile(worksheetPath(QStringLiteral("Floods")));
    QVERIFY(questions[1].endsWith(QStringLiteral("in capitals?")));
    QCOMPARE(QDir(media.multiple()).entryList(QDir::Files).size(), 2);

    QVERIFY(delworksheet(QStringLiteral("FLOODS")));
    QVERIFY(delworksheet(QStringLiteral("Floods")));
    QCOMPARE(media.read(trackPath), QByteArray(" 0 \r\n"));
    QCOMPARE(trackcount, 0);
    QCOMPARE(QDir(media.multiple()).entryList(QDir::Files).size(), 2);

    // Saved again, a deleted title is listed at the end.
    saveworksheet(sampleWorksheet(QStringLiteral("Deltas")));
    saveworksheet(sampleWorksheet(QStringLiteral("Floods")));
    QCOMPARE(media.read(trackPath), QByteArray(" 2 \r\nDeltas\r\nFloods\r\n"));
}

void tst_Catalogue::deletionClosesTheGap()
{
    TempMediaRoot media;
    const QStringList titles = numberedTitles(30);
    media.write(trackPath, catalogueBytes(titles));
    QVERIFY(delworksheet(QStringLiteral("Worksheet 3")));
    QStringList expected = titles;
    expected.removeAt(2);
    QCOMPARE(media.read(trackPath), catalogueBytes(expected));
    QCOMPARE(catalogueInMemory(), expected);
    QCOMPARE(tracklist[30], QString());
}

void tst_Catalogue::thousandAndFirstEntryFailsAfterTheFileIsWritten()
{
    TempMediaRoot media;
    const QByteArray full = catalogueBytes(numberedTitles(1000));
    media.write(trackPath, full);
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError,
                             saveworksheet(sampleWorksheet(QStringLiteral("One too many"))));
    QCOMPARE(media.read(trackPath), full);
    QVERIFY(QFile::exists(media.multiple() + QStringLiteral("/One too many.txt")));
    QCOMPARE(trackcount, 1000);

    // A title already listed is still saved without complaint.
    saveworksheet(sampleWorksheet(QStringLiteral("Worksheet 1000")));
    QCOMPARE(media.read(trackPath), full);
}

void tst_Catalogue::damagedCatalogueIsNotRewritten()
{
    TempMediaRoot media;
    for (const QByteArray &damaged :
         { QByteArray(" 3 \r\nA\r\nB\r\n"), catalogueBytes(numberedTitles(1001)) }) {
        media.write(trackPath, damaged);
        QVERIFY_THROWS_EXCEPTION(WorksheetFileError, delworksheet(QStringLiteral("A")));
        QVERIFY_THROWS_EXCEPTION(WorksheetFileError, trackworksheets(QStringLiteral("C")));
        QCOMPARE(media.read(trackPath), damaged);
    }
}

QTEST_GUILESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
