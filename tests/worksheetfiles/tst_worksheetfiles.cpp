#include "fieldreader.h"
#include "worksheetfileerror.h"
#include "worksheettestdata.h"
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
    void textsReadBackAfterSaving_data();
    void textsReadBackAfterSaving();
    void secondReadOverwritesEveryQuestionButNotElementZero();
    void shortOrMissingFileFailsAndKeepsWhatWasRead();
    void refusedDraftsWriteNothingAnywhere_data();
    void refusedDraftsWriteNothingAnywhere();
    void acceptedTitlesSaveAndCatalogue_data();
    void acceptedTitlesSaveAndCatalogue();
    void worksheetInMemoryOpensForEditing();
    void shippedWorksheetsAndCatalogueReadWhole();

private:
    std::unique_ptr<TempMediaRoot> m_media;
};

void tst_WorksheetFiles::init()
{
    m_media.reset();
    m_media = std::make_unique<TempMediaRoot>();
    m_media->write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
}

void tst_WorksheetFiles::writesTheSeventyTwoLineFormat()
{
    WorksheetDraft draft = sampleWorksheet(QStringLiteral("Rivers, streams"));
    saveworksheet(draft);
    QCOMPARE(m_media->read(QStringLiteral("multiple/Rivers, streams.txt")), worksheetBytes(draft));
    QCOMPARE(m_media->catalogueBytes(), " 1 \r\n\"Rivers, streams\"\r\n");

    // Windows-1252 characters are single bytes.
    draft.answers[1] = QStringLiteral(u"Fish & chips \u20ac");
    saveworksheet(draft);
    QVERIFY(m_media->read(QStringLiteral("multiple/Rivers, streams.txt"))
                .contains("\r\nFish & chips \x80\r\n"));
}

void tst_WorksheetFiles::textsReadBackAfterSaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("commas") << QStringLiteral("Rain, snow, hail")
                            << QStringLiteral("Rain, snow, hail");
    QTest::newRow("ampersand reads as comma")
        << QStringLiteral("Salt & fresh") << QStringLiteral("Salt , fresh");
    QTest::newRow("spaces only reads empty") << QStringLiteral("    ") << QString();
    QTest::newRow("leading spaces dropped")
        << QStringLiteral("  Where?") << QStringLiteral("Where?");
    QTest::newRow("inner spaces kept") << QStringLiteral("a  b") << QStringLiteral("a  b");
    QTest::newRow("windows-1252 characters")
        << QStringLiteral(u"\u201cDelta\u201d \u2013 5 \u20ac, na\u00efve \u2026 river\u2019s")
        << QStringLiteral(u"\u201cDelta\u201d \u2013 5 \u20ac, na\u00efve \u2026 river\u2019s");
}

void tst_WorksheetFiles::textsReadBackAfterSaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, readBack);
    WorksheetDraft draft = sampleWorksheet(QStringLiteral("Round trip"));
    draft.questions[2] = typed;
    draft.answers[4 * 4 + 2] = typed;
    draft.answers[39] = typed;
    saveworksheet(draft);

    // Found with either separator and any letter case.
    readworksheetfile(QStringLiteral("Multiple\\round TRIP.txt"));
    QCOMPARE(worktitle, QStringLiteral("Round trip"));
    QCOMPARE(questions[3], readBack);
    QCOMPARE(answerc[5], readBack);
    QCOMPARE(answerd[10], readBack);
    QCOMPARE(questions[4], draft.questions[3]);
    QCOMPARE(correct[5], QStringLiteral("1"));
    QVERIFY(!FieldReader::anyFileOpen());
}

void tst_WorksheetFiles::secondReadOverwritesEveryQuestionButNotElementZero()
{
    WorksheetDraft second = sampleWorksheet(QStringLiteral("Second"), QStringLiteral(" again"));
    for (int q = 0; q < 10; ++q) {
        std::fill_n(second.ticks.begin() + 4 * q, 4, false);
        second.ticks[4 * q + 3 - q % 4] = true;
    }
    saveworksheet(sampleWorksheet(QStringLiteral("First")));
    saveworksheet(second);

    questions[0] = correct[0] = QStringLiteral("untouched");
    readworksheetfile(worksheetPath(QStringLiteral("First")));
    readworksheetfile(worksheetPath(QStringLiteral("Second")));

    QCOMPARE(worktitle, QStringLiteral("Second"));
    for (int q = 1; q <= 10; ++q) {
        QCOMPARE(questions[q],
                 QStringLiteral("Where, on river walk %1, did we stop again?").arg(q));
        QCOMPARE(answerd[q], QStringLiteral("Bridge %1, stop D").arg(q));
        QCOMPARE(correct[q], QString::number(4 - (q - 1) % 4));
    }
    QCOMPARE(questions[0], QStringLiteral("untouched"));
    QCOMPARE(correct[0], QStringLiteral("untouched"));
}

void tst_WorksheetFiles::shortOrMissingFileFailsAndKeepsWhatWasRead()
{
    worktitle = QStringLiteral("kept");
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError,
                             readworksheetfile(worksheetPath(QStringLiteral("Nowhere"))));
    QCOMPARE(worktitle, QStringLiteral("kept"));

    for (int q = 1; q <= 10; ++q)
        questions[q] = QStringLiteral("before");
    // Title, ignored field, question 1 complete, question 2 up to answer B.
    m_media->write(QStringLiteral("multiple/short.txt"),
                   "Short\r\n \r\nQ one\r\nA\r\nB\r\nC\r\nD\r\n3\r\n \r\nQ two\r\nA2\r\nB2");
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError,
                             readworksheetfile(QStringLiteral("multiple\\short.txt")));
    QVERIFY(!FieldReader::anyFileOpen());
    QCOMPARE(worktitle, QStringLiteral("Short"));
    QCOMPARE(correct[1], QStringLiteral("3"));
    QCOMPARE(questions[2], QStringLiteral("Q two"));
    QCOMPARE(answerb[2], QStringLiteral("B2"));
    QCOMPARE(questions[3], QStringLiteral("before"));
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
             { "backslash", QStringLiteral("rivers\\lakes") },
             { "leaves the folder", QStringLiteral("../escaped") },
             { "leaves the folder backwards", QStringLiteral("..\\escaped") },
             { "dot", QStringLiteral(".") },
             { "dot dot", QStringLiteral("..") },
             { "colon", QStringLiteral("Time: 10") },
             { "star", QStringLiteral("Star*") },
             { "question mark", QStringLiteral("Why?") },
             { "double quote", QStringLiteral("\"Quoted\"") },
             { "less than", QStringLiteral("a<b") },
             { "greater than", QStringLiteral("a>b") },
             { "bar", QStringLiteral("a|b") },
             { "tab", QStringLiteral("a\tb") },
             { "newline", QStringLiteral("a\nb") },
             { "delete character", QStringLiteral(u"a\u007fb") },
             { "ends in a dot", QStringLiteral("Rivers.") },
             { "ends in a space", QStringLiteral("Rivers ") },
             { "only spaces", QStringLiteral("   ") },
             { "the catalogue's own name", QStringLiteral("TRACK") },
             { "device name", QStringLiteral("con") },
             { "device name with extension", QStringLiteral("LPT1.old") },
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

void tst_WorksheetFiles::acceptedTitlesSaveAndCatalogue_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << QStringLiteral("Rivers 1");
    QTest::newRow("commas and ampersand") << QStringLiteral("Rivers, lakes & seas");
    QTest::newRow("leading space") << QStringLiteral(" Floods");
    QTest::newRow("accents and euro") << QStringLiteral(u"Caf\u00e9 \u20ac");
    QTest::newRow("dot inside") << QStringLiteral("Year 4.2 rivers");
    QTest::newRow("starts like a reserved name") << QStringLiteral("Tracks");
    QTest::newRow("starts with a dot") << QStringLiteral(".hidden");
    QTest::newRow("twenty-five characters") << QStringLiteral("The Water Cycle Quiz No 1");
}

void tst_WorksheetFiles::acceptedTitlesSaveAndCatalogue()
{
    QFETCH(QString, title);
    m_media->write(QStringLiteral("multiple/track.txt"), " 1 \r\nFirst\r\n");
    QVERIFY2(WorksheetText::isValidTitle(title), qPrintable(WorksheetText::titleProblem(title)));
    saveworksheet(sampleWorksheet(title));

    readcatalogue();
    QCOMPARE(catalogueInMemory(), (QStringList { QStringLiteral("First"), title }));
    readworksheetfile(worksheetPath(tracklist[2]));
    QCOMPARE(questions[10], sampleWorksheet().questions[9]);
    QCOMPARE(QDir(m_media->multiple()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void tst_WorksheetFiles::worksheetInMemoryOpensForEditing()
{
    const WorksheetDraft saved = sampleWorksheet(QStringLiteral("Edit me"));
    saveworksheet(saved);
    readworksheetfile(worksheetPath(saved.title));
    const WorksheetDraft edited = draftFromMemory();
    QCOMPARE(edited.title, saved.title);
    QCOMPARE(edited.questions, saved.questions);
    QCOMPARE(edited.answers, saved.answers);
    QCOMPARE(edited.ticks, saved.ticks);

    for (const QString &bad : { QStringLiteral("5"), QStringLiteral("x") }) {
        correct[6] = bad;
        QVERIFY_THROWS_EXCEPTION(WorksheetFileError, draftFromMemory());
    }
}

void tst_WorksheetFiles::shippedWorksheetsAndCatalogueReadWhole()
{
    const QDir shipped(QStringLiteral(ONDEL_SHIPPED_WORKSHEETS));
    MediaPath::setRoot(QFileInfo(shipped.absolutePath()).absolutePath());
    MediaPath::setWorksheetsFolder(shipped.absolutePath());
    readcatalogue();
    for (const QString &name : { QStringLiteral("Rivers 1"), QStringLiteral("Rivers 2") }) {
        readworksheetfile(QStringLiteral("multiple\\") + name + QStringLiteral(".txt"));
        QVERIFY(worktitle.startsWith(name));
        for (int q = 1; q <= 10; ++q)
            QVERIFY(!questions[q].isEmpty() && !answerd[q].isEmpty());
        draftFromMemory();
    }
}

QTEST_GUILESS_MAIN(tst_WorksheetFiles)
#include "tst_worksheetfiles.moc"
