#include "fieldreader.h"
#include "worksheetfileerror.h"
#include "worksheettestdata.h"

#include <QTest>

using namespace WorksheetFiles;

namespace {

const QString trackPath = QStringLiteral("multiple/track.txt");

QStringList numberedTitles(int count)
{
    QStringList titles;
    for (int i = 1; i <= count; ++i)
        titles += QStringLiteral("Worksheet %1").arg(i);
    return titles;
}

} // namespace

class tst_Catalogue : public QObject
{
    Q_OBJECT

private slots:
    void readsCountThenTitles();
    void countAboveTitlesKeepsWhatWasRead();
    void countThatIsNotANumberFails_data();
    void countThatIsNotANumberFails();
    void countAboveCapacityReadsThousandTitlesThenFails();
    void missingCatalogueFails();
    void newTitleIsAddedAtTheEnd();
    void sameTitleReplacesFileAndLeavesCatalogue();
    void titleDifferingInCaseIsANewEntry();
    void thousandAndFirstEntryFailsAfterTheFileIsWritten();
    void deletingTheOnlyEntryLeavesAZeroCount();
    void deletionClosesTheGapAndKeepsTheFile();
    void deletionTakesTheLastOfEqualTitles();
    void deletingAnUnlistedTitleChangesNothing();
    void deletedTitleSavedAgainIsListedAtTheEnd();
    void damagedCatalogueIsNotRewritten();
    void titlesTheReaderWouldAlterAreQuoted();
};

void tst_Catalogue::readsCountThenTitles()
{
    TempMediaRoot media;
    media.write(trackPath, " 2 \r\nRivers 1\r\nMy rivers quiz\r\n");
    readcatalogue();
    QCOMPARE(trackcount, 2);
    QCOMPARE(catalogueInMemory(),
             (QStringList { QStringLiteral("Rivers 1"), QStringLiteral("My rivers quiz") }));
    QVERIFY(!FieldReader::anyFileOpen());
}

void tst_Catalogue::countAboveTitlesKeepsWhatWasRead()
{
    TempMediaRoot media;
    media.write(trackPath, " 3 \r\nA\r\nB\r\n");
    tracklist[3] = QStringLiteral("from before");
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, readcatalogue());
    QVERIFY(!FieldReader::anyFileOpen());
    QCOMPARE(trackcount, 3);
    QCOMPARE(tracklist[1], QStringLiteral("A"));
    QCOMPARE(tracklist[2], QStringLiteral("B"));
    QCOMPARE(tracklist[3], QStringLiteral("from before"));
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

void tst_Catalogue::countAboveCapacityReadsThousandTitlesThenFails()
{
    TempMediaRoot media;
    media.write(trackPath, catalogueBytes(numberedTitles(1001)));
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, readcatalogue());
    QCOMPARE(trackcount, 1001);
    QCOMPARE(tracklist[1000], QStringLiteral("Worksheet 1000"));
    QCOMPARE(catalogueInMemory(), numberedTitles(1000));
}

void tst_Catalogue::missingCatalogueFails()
{
    TempMediaRoot media;
    trackcount = 4;
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, readcatalogue());
    QCOMPARE(trackcount, 4);
    // Saving still writes the worksheet, but it cannot be catalogued.
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, saveworksheet(sampleDraft(QStringLiteral("New"))));
    QVERIFY(QFile::exists(media.multiple() + QStringLiteral("/New.txt")));
    QVERIFY(!QFile::exists(media.multiple() + QStringLiteral("/track.txt")));
}

void tst_Catalogue::newTitleIsAddedAtTheEnd()
{
    TempMediaRoot media;
    media.write(trackPath, " 1 \r\nRivers 1\r\n");
    trackworksheets(QStringLiteral("Floods"));
    QCOMPARE(media.read(trackPath), QByteArray(" 2 \r\nRivers 1\r\nFloods\r\n"));
    QCOMPARE(trackcount, 1);
    QCOMPARE(tracklist[2], QStringLiteral("Floods"));

    media.write(trackPath, " 0 \r\n");
    trackworksheets(QStringLiteral("First"));
    QCOMPARE(media.read(trackPath), QByteArray(" 1 \r\nFirst\r\n"));
}

void tst_Catalogue::sameTitleReplacesFileAndLeavesCatalogue()
{
    TempMediaRoot media;
    media.write(trackPath, " 0 \r\n");
    saveworksheet(sampleDraft(QStringLiteral("Floods")));
    const QByteArray catalogue = media.read(trackPath);
    const QByteArray firstFile = media.read(QStringLiteral("multiple/Floods.txt"));

    saveworksheet(sampleDraft(QStringLiteral("Floods"), QStringLiteral(" (second)")));
    QCOMPARE(media.read(trackPath), catalogue);
    const QByteArray secondFile = media.read(QStringLiteral("multiple/Floods.txt"));
    QVERIFY(secondFile != firstFile);
    QVERIFY(secondFile.contains("Question 1 about rivers (second)?"));
    QCOMPARE(QDir(media.multiple()).entryList(QDir::Files).size(), 2);
}

void tst_Catalogue::titleDifferingInCaseIsANewEntry()
{
    TempMediaRoot media;
    media.write(trackPath, " 0 \r\n");
    saveworksheet(sampleDraft(QStringLiteral("Floods")));
    saveworksheet(sampleDraft(QStringLiteral("FLOODS"), QStringLiteral(" in capitals")));
    QCOMPARE(media.read(trackPath), QByteArray(" 2 \r\nFloods\r\nFLOODS\r\n"));
    // File names match regardless of case, as on the system the data was written for: both
    // entries open the worksheet saved last.
    readworksheetfile(worksheetPath(QStringLiteral("Floods")));
    QCOMPARE(questions[1], QStringLiteral("Question 1 about rivers in capitals?"));
}

void tst_Catalogue::thousandAndFirstEntryFailsAfterTheFileIsWritten()
{
    TempMediaRoot media;
    const QByteArray full = catalogueBytes(numberedTitles(1000));
    media.write(trackPath, full);
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError,
                             saveworksheet(sampleDraft(QStringLiteral("One too many"))));
    QCOMPARE(media.read(trackPath), full);
    QVERIFY(QFile::exists(media.multiple() + QStringLiteral("/One too many.txt")));
    QCOMPARE(trackcount, 1000);

    // A title already listed is still saved without complaint.
    saveworksheet(sampleDraft(QStringLiteral("Worksheet 1000")));
    QCOMPARE(media.read(trackPath), full);
}

void tst_Catalogue::deletingTheOnlyEntryLeavesAZeroCount()
{
    TempMediaRoot media;
    media.write(trackPath, " 0 \r\n");
    saveworksheet(sampleDraft(QStringLiteral("Only")));
    QVERIFY(delworksheet(QStringLiteral("Only")));
    QCOMPARE(media.read(trackPath), QByteArray(" 0 \r\n"));
    QCOMPARE(trackcount, 0);
    QVERIFY(QFile::exists(media.multiple() + QStringLiteral("/Only.txt")));
}

void tst_Catalogue::deletionClosesTheGapAndKeepsTheFile()
{
    TempMediaRoot media;
    const QStringList titles = numberedTitles(30);
    media.write(trackPath, catalogueBytes(titles));
    QVERIFY(delworksheet(QStringLiteral("Worksheet 3")));

    QStringList expected = titles;
    expected.removeAt(2);
    QCOMPARE(media.read(trackPath), catalogueBytes(expected));
    QCOMPARE(trackcount, 29);
    QCOMPARE(catalogueInMemory(), expected);
    QCOMPARE(tracklist[24], QStringLiteral("Worksheet 25"));
    QCOMPARE(tracklist[30], QString());
}

void tst_Catalogue::deletionTakesTheLastOfEqualTitles()
{
    TempMediaRoot media;
    media.write(trackPath, " 4 \r\nA\r\nB\r\nA\r\nC\r\n");
    QVERIFY(delworksheet(QStringLiteral("A")));
    QCOMPARE(media.read(trackPath), QByteArray(" 3 \r\nA\r\nB\r\nC\r\n"));
}

void tst_Catalogue::deletingAnUnlistedTitleChangesNothing()
{
    TempMediaRoot media;
    const QByteArray bytes(" 2 \r\nRivers 1\r\nFloods\r\n");
    media.write(trackPath, bytes);
    QVERIFY(!delworksheet(QStringLiteral("Gone already")));
    QVERIFY(!delworksheet(QStringLiteral("floods")));
    QCOMPARE(media.read(trackPath), bytes);
    QCOMPARE(trackcount, 2);
    QCOMPARE(tracklist[2], QStringLiteral("Floods"));

    media.write(trackPath, " 0 \r\n");
    QVERIFY(!delworksheet(QStringLiteral("Anything")));
    QCOMPARE(media.read(trackPath), QByteArray(" 0 \r\n"));
    QCOMPARE(trackcount, 0);
}

void tst_Catalogue::deletedTitleSavedAgainIsListedAtTheEnd()
{
    TempMediaRoot media;
    media.write(trackPath, " 0 \r\n");
    saveworksheet(sampleDraft(QStringLiteral("Floods")));
    saveworksheet(sampleDraft(QStringLiteral("Deltas")));
    QVERIFY(delworksheet(QStringLiteral("Floods")));
    saveworksheet(sampleDraft(QStringLiteral("Floods"), QStringLiteral(" anew")));
    QCOMPARE(media.read(trackPath), QByteArray(" 2 \r\nDeltas\r\nFloods\r\n"));
    readworksheetfile(worksheetPath(QStringLiteral("Floods")));
    QCOMPARE(questions[2], QStringLiteral("Question 2 about rivers anew?"));
}

void tst_Catalogue::damagedCatalogueIsNotRewritten()
{
    TempMediaRoot media;
    const QByteArray damaged(" 3 \r\nA\r\nB\r\n");
    media.write(trackPath, damaged);
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, delworksheet(QStringLiteral("A")));
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, trackworksheets(QStringLiteral("C")));
    QCOMPARE(media.read(trackPath), damaged);

    const QByteArray tooLong = catalogueBytes(numberedTitles(1001));
    media.write(trackPath, tooLong);
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, delworksheet(QStringLiteral("Worksheet 1")));
    QCOMPARE(media.read(trackPath), tooLong);
}

void tst_Catalogue::titlesTheReaderWouldAlterAreQuoted()
{
    TempMediaRoot media;
    media.write(trackPath, " 1 \r\nPlain\r\n");
    const QStringList titles { QStringLiteral("Plain"), QStringLiteral("Rivers, lakes"),
                               QStringLiteral("  Indented") };
    trackworksheets(titles[1]);
    trackworksheets(titles[2]);
    QCOMPARE(media.read(trackPath),
             QByteArray(" 3 \r\nPlain\r\n\"Rivers, lakes\"\r\n\"  Indented\"\r\n"));
    readcatalogue();
    QCOMPARE(catalogueInMemory(), titles);

    trackworksheets(titles[1]);
    QCOMPARE(trackcount, 3);
    QVERIFY(delworksheet(titles[1]));
    QCOMPARE(media.read(trackPath), QByteArray(" 2 \r\nPlain\r\n\"  Indented\"\r\n"));
}

QTEST_GUILESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
