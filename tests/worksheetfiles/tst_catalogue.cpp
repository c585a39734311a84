#include "fieldreader.h"
#include "worksheetdata.h"
#include "worksheetfileerror.h"

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
    void addingAndDeletingRewriteTheCatalogue_data();
    void addingAndDeletingRewriteTheCatalogue();
    void thousandAndFirstEntryFailsAfterTheFileIsWritten();
    void damagedCatalogueIsNotRewritten();
};

void tst_Catalogue::readsCountThenTitlesAndKeepsWhatWasRead()
{
    TemporaryMedia media;
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
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("digits then letters") << QByteArray(" 2x \r\nA\r\nB\r\n");
    QTest::newRow("a worksheet instead") << QByteArray("Rivers 1\r\n \r\nWhat?\r\n");
}

void tst_Catalogue::countThatIsNotANumberFails()
{
    QFETCH(QByteArray, bytes);
    TemporaryMedia media;
    media.write(trackPath, bytes);
    trackcount = 7;
    tracklist[1] = QStringLiteral("kept");
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, readcatalogue());
    QCOMPARE(trackcount, 7);
    QCOMPARE(tracklist[1], QStringLiteral("kept"));
    QVERIFY(!FieldReader::anyFileOpen());
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
    QTest::newRow("deleting the only entry") << QByteArray(" 1 \r\nOnly\r\n") << false
                                             << QStringLiteral("Only") << QByteArray(" 0 \r\n");
    QTest::newRow("deleting takes the last of equal titles")
        << QByteArray(" 4 \r\nA\r\nB\r\nA\r\nC\r\n") << false << QStringLiteral("A")
        << QByteArray(" 3 \r\nA\r\nB\r\nC\r\n");
    QTest::newRow("deleting an unlisted title") << two << false << QStringLiteral("Gone") << two;
    QTest::newRow("deleting a title differing in case")
        << two << false << QStringLiteral("floods") << two;
}

void tst_Catalogue::addingAndDeletingRewriteTheCatalogue()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, add);
    QFETCH(QString, title);
    QFETCH(QByteArray, after);
    TemporaryMedia media;
    media.write(trackPath, before);
    if (add)
        trackworksheets(title);
    else
        QCOMPARE(delworksheet(title), before != after);
    QCOMPARE(media.read(trackPath), after);
    readcatalogue();
    QCOMPARE(catalogueInMemory().contains(title), add || after.contains(title.toLatin1() + '\r'));
}

void tst_Catalogue::thousandAndFirstEntryFailsAfterTheFileIsWritten()
{
    TemporaryMedia media;
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
    TemporaryMedia media;
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
