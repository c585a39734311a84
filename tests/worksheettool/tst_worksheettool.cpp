#include "classrecord.h"
#include "media.h"
#include "resultscsv.h"
#include "teacherpassword.h"
#include "worksheetdata.h"
#include "worksheetimport.h"

#include <QProcess>
#include <QSet>
#include <QSettings>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString walk = u"Our River Walk"_s;

// Starts the tool on the media's folder with input and a school's topics home.
QProcess *start(const TemporaryMedia &media, const QStringList &arguments,
                const QByteArray &input = {}, const QString &dataHome = {})
{
    auto *tool = new QProcess;
    tool->setWorkingDirectory(media.root());
    if (!dataHome.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_DATA_HOME"_s, dataHome);
        tool->setProcessEnvironment(environment);
    }
    tool->start(QCoreApplication::applicationDirPath() + u"/ondel-worksheets"_s,
                QStringList { u"--worksheets"_s, media.multiple() } + arguments);
    tool->write(input);
    tool->closeWriteChannel();
    return tool;
}

struct Finished
{
    int status = -1;
    QStringList lines; // standard output
    QString errors;
};

Finished finish(QProcess *tool)
{
    std::unique_ptr<QProcess> owned(tool);
    if (!tool->waitForFinished(30000))
        return { -1, {}, u"ondel-worksheets did not finish: "_s + tool->errorString() };
    return { tool->exitCode(),
             QString::fromUtf8(tool->readAllStandardOutput())
                 .remove(u'\r')
                 .split(u'\n', Qt::SkipEmptyParts),
             QString::fromUtf8(tool->readAllStandardError()) };
}

QStringList catalogue()
{
    WorksheetFiles::readcatalogue();
    return catalogueInMemory();
}

} // namespace

class WorksheetToolTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_media.emplace(TemporaryMedia::Built::Media);
        setCatalogueWithFiles(*m_media, { walk });
        m_media->write(u"bank11.gift"_s, giftBank(11));
        m_media->write(u"bank3.gift"_s, giftBank(3));
        m_media->write(u"broken.gift"_s, "Q1?{=a ~b ~c ~d}\n\nQ2?{=a ~b\n~c ~d\n");
        m_media->write(u"salt.gift"_s,
                       "$CATEGORY: Salt\n\nR&B?{=Salt & pepper ~a ~b ~c}\n\n" + giftBank(9));
        m_media->write(u"full/track.txt"_s, catalogueBytes(numberedTitles(998)));
    }

    // lines: standard output's first lines; errors: stderr's start; written: exported file.
    void commandsPrintLinesAndExitStatuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("errors");
        QTest::addColumn<QStringList>("catalogue");
        QTest::addColumn<QString>("written");
        const QString me = u"ondel-worksheets: "_s;
        const QStringList alone { walk };
        const QStringList withQuiz { walk, u"Rivers quiz 1"_s };
        // clang-format off
        QTest::newRow("list") << QStringList { u"list"_s } << 0 << alone << QString() << alone << QString();
        QTest::newRow("show") << QStringList { u"show"_s, walk } << 0 << QStringList { u"worksheet\tOur River Walk\t10"_s, u"question\t1\tWhere, on river walk 1, did we stop?"_s, u"correct\tA\tBridge 1, stop A"_s, u"answer\tB\tBridge 1, stop B"_s } << QString() << alone << QString();
        QTest::newRow("show built-in") << QStringList { u"show"_s, u"Rivers 2"_s } << 0 << QStringList { u"worksheet\tRivers 2\t10"_s } << QString() << alone << QString();
        QTest::newRow("show unknown") << QStringList { u"show"_s, u"Floods"_s } << 1 << QStringList() << me + u"there is no worksheet \"Floods\""_s << alone << QString();
        QTest::newRow("check") << QStringList { u"check"_s } << 0 << QStringList() << QString() << alone << QString();
        QTest::newRow("import") << QStringList { u"import"_s, u"bank11.gift"_s } << 0 << QStringList { u"saved\tRivers quiz 1\t10"_s, u"leftover\tRivers quiz 2\t1"_s, u"skipped\t5\tTrue?\ta true/false question"_s } << QString() << withQuiz << QString();
        QTest::newRow("import onto built-ins") << QStringList { u"import"_s, u"bank11.gift"_s, u"--title"_s, u"Rivers"_s } << 0 << QStringList { u"renamed\tRivers 1\tRivers 1 (2)"_s, u"renamed\tRivers 2\tRivers 2 (2)"_s, u"saved\tRivers 1 (2)\t10"_s, u"leftover\tRivers 2 (2)\t1"_s } << QString() << QStringList { walk, u"Rivers 1 (2)"_s } << QString();
        QTest::newRow("dry run") << QStringList { u"import"_s, u"--dry-run"_s, u"bank11.gift"_s } << 0 << QStringList { u"worksheet\tRivers quiz 1\t10"_s, u"question\t1\tQuestion 1?"_s, u"correct\tA\tright"_s, u"answer\tB\twrong"_s } << QString() << alone << QString();
        QTest::newRow("dry run shows and for &") << QStringList { u"import"_s, u"--dry-run"_s, u"salt.gift"_s } << 0 << QStringList { u"worksheet\tSalt\t10"_s, u"question\t1\tR and B?"_s, u"correct\tA\tSalt and pepper"_s } << QString() << alone << QString();
        QTest::newRow("the catalogue's last places") << QStringList { u"--worksheets"_s, u"full"_s, u"import"_s, u"bank11.gift"_s } << 0 << QStringList { u"saved\tRivers quiz 1\t10"_s } << QString() << alone << QString();
        QTest::newRow("fewer than ten") << QStringList { u"import"_s, u"bank3.gift"_s } << 1 << QStringList { u"leftover\tRivers quiz\t3"_s } << me + u"bank3.gift gives fewer than ten questions"_s << alone << QString();
        QTest::newRow("malformed") << QStringList { u"import"_s, u"broken.gift"_s } << 1 << QStringList() << me + u"broken.gift cannot be imported: Line 3: "_s << alone << QString();
        QTest::newRow("export gift") << QStringList { u"export"_s, walk, u"--format"_s, u"gift"_s } << 0 << QStringList { u"// Ondel worksheet \"Our River Walk\""_s } << QString() << alone << QString();
        QTest::newRow("export xml to a file") << QStringList { u"export"_s, walk, u"--format"_s, u"xml"_s, u"-o"_s, u"walk.xml"_s } << 0 << QStringList() << QString() << alone << u"walk.xml"_s;
        QTest::newRow("missing folder") << QStringList { u"--worksheets"_s, u"nowhere"_s, u"list"_s } << 1 << QStringList() << me + u"the worksheets folder "_s << alone << QString();
        for (const QStringList &usage : { QStringList(), { u"lst"_s }, { u"list"_s, u"extra"_s }, { u"list"_s, u"--dry-run"_s }, { u"--bogus"_s, u"check"_s }, { u"export"_s, walk }, { u"export"_s, walk, u"--format"_s, u"pdf"_s } })
            QTest::newRow(qPrintable(u"usage: "_s + usage.join(u' '))) << usage << 2 << QStringList() << me << alone << QString();
        // clang-format on
    }

    void commandsPrintLinesAndExitStatuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, lines);
        QFETCH(QString, errors);
        QFETCH(QString, written);
        const Finished run = finish(start(*m_media, arguments));
        QTEST(run.status, "status");
        QCOMPARE(run.lines.mid(0, lines.size()), lines);
        QCOMPARE(run.lines.isEmpty(), lines.isEmpty());
        QVERIFY2(run.errors.startsWith(errors) && run.errors.count(u'\n') == !errors.isEmpty(),
                 qPrintable(run.errors));
        QTEST(catalogue(), "catalogue");
        if (!written.isEmpty()) {
            const ImportResult back = WorksheetImport::importFile(m_media->path(written));
            QCOMPARE(back.worksheets.value(0).draft, sampleWorksheet());
        }
    }

    // A file that Delete kept is told apart from one never catalogued, and is no problem.
    void checkReportsEachProblemOnALine()
    {
        QVERIFY(WorksheetFiles::delworksheet(walk));
        Finished run = finish(start(*m_media, { u"check"_s }));
        QCOMPARE(run.status, 0);
        QCOMPARE(run.lines, QStringList { u"kept\tOur River Walk"_s });

        setCatalogue(*m_media, { u"Floods"_s, u"bad/title"_s, u"floods"_s });
        m_media->write(u"multiple/Old Quiz.txt"_s, sampleWorksheetBytes(u"Old Quiz"_s));
        m_media->write(u"multiple/Storms.txt"_s, sampleWorksheetBytes(u"Storms"_s).first(200));
        // A school's own copy of Rivers 2 that says it has five words where it has six.
        const QString dataHome = m_media->base() + u"/share"_s;
        const QString school = dataHome + u"/ondel/topics/rivers2"_s;
        QDir().mkpath(school);
        const QDir builtIn(TemporaryMedia::builtMedia() + u"/topics/rivers2"_s);
        for (const QString &file : builtIn.entryList(QDir::Files))
            QFile::copy(builtIn.filePath(file), school + u'/' + file);
        QFile ordering(school + u"/ordering.ini"_s);
        QVERIFY(ordering.open(QIODevice::ReadOnly));
        const QByteArray text = ordering.readAll().replace("words = 6", "words = 5");
        ordering.close();
        QVERIFY(ordering.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ordering.write(text);
        ordering.close();

        run = finish(start(*m_media, { u"check"_s }, {}, dataHome));
        QCOMPARE(run.status, 1);
        QCOMPARE(run.lines.mid(0, 7),
                 QStringList({ u"missing\tFloods"_s,
                               u"bad-title\tbad/title\tA title cannot hold the character /."_s,
                               u"duplicate\tfloods"_s, u"uncatalogued\tOld Quiz"_s,
                               u"kept\tOur River Walk"_s, u"uncatalogued\tStorms"_s,
                               u"damaged\tStorms\tThe file ends too soon."_s }));
        const QString line = ordering.fileName()
            + u": line %1, [activity] words: it says 5 words but the file has 6 [box] sections"_s
                  .arg(text.left(text.indexOf("words = ")).count('\n') + 1);
        QCOMPARE(run.lines.mid(7), QStringList { u"topic\trivers2\t"_s + line });
        QCOMPARE(run.errors, u"ondel-worksheets: 7 problems in %1\n"_s.arg(m_media->multiple()));
    }

    // Three programs importing at once catalogue each of nine worksheets once.
    void importsAtOnceCatalogueEveryWorksheetOnce()
    {
        m_media->write(u"bank30.gift"_s, giftBank(30));
        QList<QProcess *> tools;
        for (int i = 0; i < 3; ++i)
            tools += start(*m_media, { u"import"_s, u"bank30.gift"_s });
        QSet<QString> saved;
        for (QProcess *tool : tools) {
            const Finished run = finish(tool);
            QCOMPARE(run.status, 0);
            for (const QString &line : run.lines.filter(QRegularExpression(u"^saved\t"_s)))
                saved += line.section(u'\t', 1, 1);
        }
        QCOMPARE(saved.size(), 9);
        const QStringList titles = catalogue();
        QCOMPARE(QSet<QString>(titles.begin(), titles.end()), saved + QSet { walk });
        QCOMPARE(titles.size(), 10);
        QCOMPARE(finish(start(*m_media, { u"check"_s })).status, 0);
    }

    // results, forget-pupil, and the teacher password's hash in the system settings.
    void classRecordAndTeacherPasswordCommands()
    {
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime today(now.date(), QTime(9, 30));
        const QList<RecordedResult> record {
            { u"Amira"_s, u"Rivers 1"_s, u"Multiple Choice"_s, 8, 10, today.addDays(-2), { 2, 5 } },
            { u"Ben"_s, u"Rivers 1"_s, u"Ordering Activity"_s, 4, 4, today, {} },
            { u"Amira"_s, u"Rivers 1"_s, u"Multiple Choice"_s, 10, 10, today, {} },
        };
        m_media->write(u"multiple/results.csv"_s, ResultsCsv::file(record));
        const auto line = [](const RecordedResult &result) {
            return (QStringList { u"result"_s } + ResultsCsv::fields(result)).join(u'\t');
        };
        const QString since = today.date().toString(Qt::ISODate);
        QCOMPARE(finish(start(*m_media, { u"results"_s })).lines,
                 QStringList({ line(record[0]), line(record[1]), line(record[2]) }));
        QCOMPARE(finish(start(*m_media, { u"results"_s, u"--pupil"_s, u"Ben"_s })).lines,
                 QStringList { line(record[1]) });
        QCOMPARE(finish(start(*m_media, { u"results"_s, u"--since"_s, since })).lines,
                 QStringList({ line(record[1]), line(record[2]) }));
        QCOMPARE(finish(start(*m_media, { u"results"_s, u"--since"_s, u"9/12/2026"_s })).status, 2);

        const Finished forgotten = finish(start(*m_media, { u"forget-pupil"_s, u"Amira"_s }));
        QCOMPARE(forgotten.lines, QStringList { u"forgotten\tAmira\t2"_s });
        QCOMPARE(ClassRecord::read().results, QList { record[1] });
        const Finished again = finish(start(*m_media, { u"forget-pupil"_s, u"Amira"_s }));
        QCOMPARE(again.status, 1);
        QCOMPARE(again.errors,
                 u"ondel-worksheets: the class record holds no result of \"Amira\"\n"_s);

        QTemporaryDir system;
        const QString conf = system.filePath(u"ondel/ondel.conf"_s);
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(system.path()));
        const auto restore = qScopeGuard([] { qunsetenv("XDG_CONFIG_DIRS"); });
        const auto password = [this](const QString &command, const QByteArray &typed) {
            return finish(start(*m_media, { command }, typed));
        };
        QCOMPARE(password(u"set-teacher-password"_s, "short\n").status, 1);
        QCOMPARE(password(u"set-teacher-password"_s, "Kingfisher 7\n").lines,
                 QStringList { u"teacher-password\tset\t"_s + conf });
        QSettings stored(conf, QSettings::IniFormat);
        QVERIFY(TeacherPassword::verify(stored.value(u"teacherPassword"_s).toString(),
                                        u"Kingfisher 7"_s));
        QCOMPARE(password(u"clear-teacher-password"_s, {}).lines,
                 QStringList { u"teacher-password\tcleared\t"_s + conf });
        stored.sync();
        QVERIFY(!stored.contains(u"teacherPassword"_s));
    }

private:
    std::optional<TemporaryMedia> m_media;
};

QTEST_GUILESS_MAIN(WorksheetToolTest)
#include "tst_worksheettool.moc"
