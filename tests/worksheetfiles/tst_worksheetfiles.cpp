#include "fieldreader.h"
#include "worksheetdata.h"
#include "worksheetfileerror.h"
#include "worksheettext.h"

#include <QTest>

using namespace WorksheetFiles;

class tst_WorksheetFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_media.reset(); }
    void writesTheSeventyTwoLineFormat();
    void refusedDraftsWriteNothingAnywhere_data();
    void refusedDraftsWriteNothingAnywhere();

private:
    std::unique_ptr<TemporaryMedia> m_media;
};

void tst_WorksheetFiles::init()
{
    m_media.reset();
    m_media = std::make_unique<TemporaryMedia>();
    m_media->write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
}

void tst_WorksheetFiles::writesTheSeventyTwoLineFormat()
{
    WorksheetDraft draft = sampleWorksheet(QStringLiteral("Rivers, streams"));
    saveworksheet(draft);
    QCOMPARE(m_media->read(QStringLiteral("multiple/Rivers, streams.txt")),
             sampleWorksheetBytes(draft.title));
    QCOMPARE(m_media->catalogue(), " 1 \r\n\"Rivers, streams\"\r\n");

    // Windows-1252 characters are single bytes.
    draft.answers[1] = QStringLiteral(u"Fish & chips \u20ac");
    saveworksheet(draft);
    QVERIFY(m_media->read(QStringLiteral("multiple/Rivers, streams.txt"))
                .contains("\r\nFish & chips \x80\r\n"));
}

// A refused title, a text Windows-1252 cannot store, or a question without exactly one tick.
void tst_WorksheetFiles::refusedDraftsWriteNothingAnywhere_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("extraTick");
    const QString ok = QStringLiteral("Refused");
    const QString plain = QStringLiteral("Plain");
    for (const auto &[name, title] : std::initializer_list<std::pair<const char *, QString>> {
             { "empty", QString() },
             { "slash", QStringLiteral("rivers/lakes") },
             { "leaves the folder", QStringLiteral("../escaped") },
             { "question mark", QStringLiteral("Why?") },
             { "double quote", QStringLiteral("\"Quoted\"") },
             { "ends in a dot", QStringLiteral("Rivers.") },
             { "ends in a space", QStringLiteral("Rivers ") },
             { "the catalogue's own name", QStringLiteral("TRACK") },
             { "title not in the code page", QStringLiteral(u"\u0420\u0435\u043a\u0430") } })
        QTest::newRow(name) << title << plain << -1;
    QTest::newRow("Greek answer") << ok << QStringLiteral(u"Area = \u03c0r\u00b2") << -1;
    QTest::newRow("emoji answer") << ok << QStringLiteral(u"Waves \U0001F30A") << -1;
    QTest::newRow("line break in answer") << ok << QStringLiteral("two\nlines") << -1;
    QTest::newRow("carriage return in answer") << ok << QStringLiteral("two\rlines") << -1;
    QTest::newRow("no tick") << ok << plain << 4 * 6 + 2;
    QTest::newRow("two ticks") << ok << plain << 4 * 6 + 3;
}

void tst_WorksheetFiles::refusedDraftsWriteNothingAnywhere()
{
    QFETCH(QString, title);
    QFETCH(QString, answer);
    QFETCH(int, extraTick);
    WorksheetDraft draft = sampleWorksheet(title);
    draft.answers[17] = answer;
    if (extraTick >= 0)
        draft.ticks[extraTick] = !draft.ticks[extraTick];
    const bool badTitle = answer == QStringLiteral("Plain") && extraTick < 0;
    if (badTitle) {
        QVERIFY(!WorksheetText::isValidTitle(title));
        QVERIFY(!WorksheetText::titleProblem(title).isEmpty());
    }
    QCOMPARE(WorksheetText::isStorable(answer), answer == QStringLiteral("Plain"));

    const auto before = snapshot(m_media->base());
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, saveworksheet(draft));
    if (badTitle)
        QVERIFY_THROWS_EXCEPTION(WorksheetFileError, trackworksheets(title));
    QCOMPARE(snapshot(m_media->base()), before);
}

QTEST_GUILESS_MAIN(tst_WorksheetFiles)
#include "tst_worksheetfiles.moc"
