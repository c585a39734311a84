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
    void writesTheSeventyTwoLineFormat();
    void textsReadBackAfterSaving_data();
    void textsReadBackAfterSaving();
    void savedWorksheetIsFoundWithAnyCaseAndSeparator();
    void secondReadOverwritesEveryQuestionButNotElementZero();
    void shortFileFailsAndKeepsWhatWasRead();
    void missingWorksheetFails();
    void unstorableTextFailsBeforeAnythingIsWritten_data();
    void unstorableTextFailsBeforeAnythingIsWritten();
    void questionNeedsExactlyOneTick();
    void refusedTitlesWriteNothingAnywhere_data();
    void refusedTitlesWriteNothingAnywhere();
    void acceptedTitlesSaveAndCatalogue_data();
    void acceptedTitlesSaveAndCatalogue();
    void worksheetInMemoryOpensForEditing();
    void shippedWorksheetsAndCatalogueReadWhole();
};

void tst_WorksheetFiles::writesTheSeventyTwoLineFormat()
{
    TempMediaRoot media;
    media.write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
    WorksheetDraft draft = sampleDraft(QStringLiteral("Rivers, streams"));
    draft.questions[0] = QStringLiteral("Where, and why?");
    draft.answers[1] = QStringLiteral(u"Fish & chips \u20ac");
    saveworksheet(draft);

    const QByteArray bytes = media.read(QStringLiteral("multiple/Rivers, streams.txt"));
    QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());
    QCOMPARE(lines.size(), 72);
    for (const QByteArray &line : lines)
        QVERIFY2(line.indexOf('\r') == line.size() - 1, line.constData());
    QCOMPARE(lines[0], "Rivers& streams\r");
    QCOMPARE(lines[1], " \r");
    QCOMPARE(lines[2], "Where& and why?\r");
    QCOMPARE(lines[3], "Answer 1A\r");
    QCOMPARE(lines[4], "Fish & chips \x80\r");
    QCOMPARE(lines[7], "1\r");
    QCOMPARE(lines[8], " \r");
    QCOMPARE(lines[2 + 7 * 9], "Question 10 about rivers?\r");
    QCOMPARE(lines[7 + 7 * 9], "2\r");
    QCOMPARE(lines[71], " \r");
    QCOMPARE(media.read(QStringLiteral("multiple/track.txt")), " 1 \r\n\"Rivers, streams\"\r\n");
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
        << QStringLiteral(u"\u201cDelta\u201d \u2013 5 \u20ac, na\u00efve \u2026")
        << QStringLiteral(u"\u201cDelta\u201d \u2013 5 \u20ac, na\u00efve \u2026");
    QTest::newRow("apostrophes") << QStringLiteral(u"The river\u2019s mouth isn't dry")
                                 << QStringLiteral(u"The river\u2019s mouth isn't dry");
}

void tst_WorksheetFiles::textsReadBackAfterSaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, readBack);
    TempMediaRoot media;
    media.write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
    WorksheetDraft draft = sampleDraft(QStringLiteral("Round trip"));
    draft.questions[2] = typed;
    draft.answers[4 * 4 + 2] = typed;
    draft.answers[39] = typed;
    saveworksheet(draft);

    readworksheetfile(worksheetPath(QStringLiteral("Round trip")));
    QCOMPARE(worktitle, QStringLiteral("Round trip"));
    QCOMPARE(questions[3], readBack);
    QCOMPARE(answerc[5], readBack);
    QCOMPARE(answerd[10], readBack);
    QCOMPARE(questions[4], draft.questions[3]);
    QCOMPARE(correct[5], QStringLiteral("1"));
    QVERIFY(!FieldReader::anyFileOpen());
}

void tst_WorksheetFiles::savedWorksheetIsFoundWithAnyCaseAndSeparator()
{
    TempMediaRoot media;
    media.write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
    saveworksheet(sampleDraft(QStringLiteral("Rivers 1")));
    QVERIFY(QFile::exists(media.multiple() + QStringLiteral("/Rivers 1.txt")));

    worktitle.clear();
    readworksheetfile(QStringLiteral("Multiple\\rivers 1.txt"));
    QCOMPARE(worktitle, QStringLiteral("Rivers 1"));
    readcatalogue();
    QCOMPARE(catalogueInMemory(), QStringList { QStringLiteral("Rivers 1") });
}

void tst_WorksheetFiles::secondReadOverwritesEveryQuestionButNotElementZero()
{
    TempMediaRoot media;
    media.write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
    WorksheetDraft second = sampleDraft(QStringLiteral("Second"), QStringLiteral(" again"));
    for (int q = 0; q < 10; ++q) {
        std::fill_n(second.ticks.begin() + 4 * q, 4, false);
        second.ticks[4 * q + 3 - q % 4] = true;
    }
    saveworksheet(sampleDraft(QStringLiteral("First")));
    saveworksheet(second);

    for (auto *array : { &questions, &answera, &answerb, &answerc, &answerd, &correct })
        (*array)[0] = QStringLiteral("untouched");
    readworksheetfile(worksheetPath(QStringLiteral("First")));
    readworksheetfile(worksheetPath(QStringLiteral("Second")));

    QCOMPARE(worktitle, QStringLiteral("Second"));
    for (int q = 1; q <= 10; ++q) {
        QCOMPARE(questions[q], QStringLiteral("Question %1 about rivers again?").arg(q));
        QCOMPARE(answera[q], QStringLiteral("Answer %1A").arg(q));
        QCOMPARE(answerd[q], QStringLiteral("Answer %1D").arg(q));
        QCOMPARE(correct[q], QString::number(4 - (q - 1) % 4));
    }
    for (auto *array : { &questions, &answera, &answerb, &answerc, &answerd, &correct })
        QCOMPARE((*array)[0], QStringLiteral("untouched"));
}

void tst_WorksheetFiles::shortFileFailsAndKeepsWhatWasRead()
{
    TempMediaRoot media;
    for (int q = 1; q <= 10; ++q)
        questions[q] = QStringLiteral("before");
    // Title, ignored field, question 1 complete, question 2 up to answer B.
    media.write(QStringLiteral("multiple/short.txt"),
                "Short\r\n \r\nQ one\r\nA\r\nB\r\nC\r\nD\r\n3\r\n \r\nQ two\r\nA2\r\nB2");
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError,
                             readworksheetfile(QStringLiteral("multiple\\short.txt")));
    QVERIFY(!FieldReader::anyFileOpen());
    QCOMPARE(worktitle, QStringLiteral("Short"));
    QCOMPARE(questions[1], QStringLiteral("Q one"));
    QCOMPARE(correct[1], QStringLiteral("3"));
    QCOMPARE(questions[2], QStringLiteral("Q two"));
    QCOMPARE(answerb[2], QStringLiteral("B2"));
    QCOMPARE(questions[3], QStringLiteral("before"));
}

void tst_WorksheetFiles::missingWorksheetFails()
{
    TempMediaRoot media;
    worktitle = QStringLiteral("kept");
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError,
                             readworksheetfile(worksheetPath(QStringLiteral("Nowhere"))));
    QCOMPARE(worktitle, QStringLiteral("kept"));
    QVERIFY(!FieldReader::anyFileOpen());
}

void tst_WorksheetFiles::unstorableTextFailsBeforeAnythingIsWritten_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("Greek letter") << QStringLiteral(u"Area = \u03c0r\u00b2");
    QTest::newRow("emoji") << QStringLiteral(u"Waves \U0001F30A");
    QTest::newRow("line break") << QStringLiteral("two\nlines");
    QTest::newRow("carriage return") << QStringLiteral("two\rlines");
}

void tst_WorksheetFiles::unstorableTextFailsBeforeAnythingIsWritten()
{
    QFETCH(QString, text);
    TempMediaRoot media;
    media.write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
    WorksheetDraft draft = sampleDraft(QStringLiteral("Unstorable"));
    draft.answers[17] = text;
    QVERIFY(!WorksheetText::isStorable(text));
    const auto before = snapshot(media.base());
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, saveworksheet(draft));
    QCOMPARE(snapshot(media.base()), before);
}

void tst_WorksheetFiles::questionNeedsExactlyOneTick()
{
    TempMediaRoot media;
    media.write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
    WorksheetDraft none = sampleDraft(QStringLiteral("Ticks"));
    none.ticks[4 * 6 + 2] = false;
    WorksheetDraft two = sampleDraft(QStringLiteral("Ticks"));
    two.ticks[4 * 6 + 3] = true;
    const auto before = snapshot(media.base());
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, saveworksheet(none));
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, saveworksheet(two));
    QCOMPARE(snapshot(media.base()), before);
}

void tst_WorksheetFiles::refusedTitlesWriteNothingAnywhere_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("empty") << QString();
    QTest::newRow("slash") << QStringLiteral("rivers/lakes");
    QTest::newRow("backslash") << QStringLiteral("rivers\\lakes");
    QTest::newRow("leaves the folder") << QStringLiteral("../escaped");
    QTest::newRow("leaves the folder backwards") << QStringLiteral("..\\escaped");
    QTest::newRow("dot") << QStringLiteral(".");
    QTest::newRow("dot dot") << QStringLiteral("..");
    QTest::newRow("colon") << QStringLiteral("Time: 10");
    QTest::newRow("star") << QStringLiteral("Star*");
    QTest::newRow("question mark") << QStringLiteral("Why?");
    QTest::newRow("double quote") << QStringLiteral("\"Quoted\"");
    QTest::newRow("less than") << QStringLiteral("a<b");
    QTest::newRow("greater than") << QStringLiteral("a>b");
    QTest::newRow("bar") << QStringLiteral("a|b");
    QTest::newRow("tab") << QStringLiteral("a\tb");
    QTest::newRow("newline") << QStringLiteral("a\nb");
    QTest::newRow("delete character") << QStringLiteral(u"a\u007fb");
    QTest::newRow("ends in a dot") << QStringLiteral("Rivers.");
    QTest::newRow("ends in a space") << QStringLiteral("Rivers ");
    QTest::newRow("only spaces") << QStringLiteral("   ");
    QTest::newRow("the catalogue's own name") << QStringLiteral("track");
    QTest::newRow("the catalogue's name in capitals") << QStringLiteral("TRACK");
    QTest::newRow("device name") << QStringLiteral("con");
    QTest::newRow("device name with extension") << QStringLiteral("LPT1.old");
    QTest::newRow("not in the code page") << QStringLiteral(u"\u0420\u0435\u043a\u0430");
}

void tst_WorksheetFiles::refusedTitlesWriteNothingAnywhere()
{
    QFETCH(QString, title);
    TempMediaRoot media;
    media.write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
    QVERIFY(!WorksheetText::isValidTitle(title));
    QVERIFY(!WorksheetText::titleProblem(title).isEmpty());

    const auto before = snapshot(media.base());
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, saveworksheet(sampleDraft(title)));
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, trackworksheets(title));
    QCOMPARE(snapshot(media.base()), before);
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
    TempMediaRoot media;
    media.write(QStringLiteral("multiple/track.txt"), " 1 \r\nFirst\r\n");
    QVERIFY2(WorksheetText::isValidTitle(title), qPrintable(WorksheetText::titleProblem(title)));
    saveworksheet(sampleDraft(title));

    readcatalogue();
    QCOMPARE(catalogueInMemory(), (QStringList { QStringLiteral("First"), title }));
    readworksheetfile(worksheetPath(tracklist[2]));
    QCOMPARE(questions[10], QStringLiteral("Question 10 about rivers?"));
    QCOMPARE(QDir(media.multiple()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void tst_WorksheetFiles::worksheetInMemoryOpensForEditing()
{
    TempMediaRoot media;
    media.write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
    const WorksheetDraft saved = sampleDraft(QStringLiteral("Edit me"));
    saveworksheet(saved);
    readworksheetfile(worksheetPath(saved.title));
    const WorksheetDraft edited = draftFromMemory();
    QCOMPARE(edited.title, saved.title);
    QCOMPARE(edited.questions, saved.questions);
    QCOMPARE(edited.answers, saved.answers);
    QCOMPARE(edited.ticks, saved.ticks);

    correct[6] = QStringLiteral("5");
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, draftFromMemory());
    correct[6] = QStringLiteral("x");
    QVERIFY_THROWS_EXCEPTION(WorksheetFileError, draftFromMemory());
}

void tst_WorksheetFiles::shippedWorksheetsAndCatalogueReadWhole()
{
    const QDir shipped(QStringLiteral(ONDEL_SHIPPED_WORKSHEETS));
    QVERIFY(shipped.exists(QStringLiteral("track.txt")));
    MediaPath::setRoot(QFileInfo(shipped.absolutePath()).absolutePath());
    MediaPath::setWorksheetsFolder(shipped.absolutePath());

    readcatalogue();
    for (const QString &name : { QStringLiteral("Rivers 1"), QStringLiteral("Rivers 2") }) {
        readworksheetfile(QStringLiteral("multiple\\") + name + QStringLiteral(".txt"));
        QVERIFY(worktitle.startsWith(name));
        for (int q = 1; q <= 10; ++q) {
            QVERIFY(!questions[q].isEmpty());
            QVERIFY(!answerd[q].isEmpty());
        }
        draftFromMemory();
    }
    MediaPath::setRoot(QString());
    MediaPath::setWorksheetsFolder(QString());
}

QTEST_GUILESS_MAIN(tst_WorksheetFiles)
#include "tst_worksheetfiles.moc"
