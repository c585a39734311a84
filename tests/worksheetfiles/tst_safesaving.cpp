#include "textfilewriter.h"
#include "worksheetdata.h"
#include "worksheetfileerror.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTest>

#include <csignal>

using namespace WorksheetFiles;

// The test program doubles as the second program in these tests: started as
//   tst_safesaving --child <media root> save <prefix> <count>
//   tst_safesaving --child <media root> crash <file name> <title>
// it saves <count> worksheets titled "<prefix> n", or saves <title> and is killed once the
// new contents of <file name> are written but before they replace the old file.
namespace {

int runChild(const QStringList &args)
{
    if (args.size() < 6)
        return 2;
    QStandardPaths::setTestModeEnabled(true);
    MediaPath::setRoot(args[2]);
    MediaPath::setWorksheetsFolder(args[2] + QStringLiteral("/multiple"));
    try {
        if (args[3] == QLatin1String("save")) {
            const int count = args[5].toInt();
            for (int i = 1; i <= count; ++i)
                saveworksheet(sampleWorksheet(QStringLiteral("%1 %2").arg(args[4]).arg(i)));
            return 0;
        }
        if (args[3] == QLatin1String("crash")) {
            const QString victim = args[4];
            TextFileWriter::setBeforeReplaceHook([victim](const QString &path) {
                if (QFileInfo(path).fileName() == victim)
                    std::raise(SIGKILL);
            });
            saveworksheet(sampleWorksheet(args[5], QStringLiteral(" (never saved)")));
            return 3;
        }
    } catch (const WorksheetFileError &error) {
        qWarning("%s", error.what());
        return 1;
    }
    return 2;
}

QProcess *startChild(const TemporaryMedia &media, const QStringList &args)
{
    auto *process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QCoreApplication::applicationFilePath(),
                   QStringList { QStringLiteral("--child"), media.root() } + args);
    return process;
}

} // namespace

class tst_SafeSaving : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void crashBeforeReplacingLeavesTheOldWorksheet();
    void fourProgramsSavingAtOnceLoseNoEntry();
};

void tst_SafeSaving::cleanup()
{
    TextFileWriter::setBeforeReplaceHook({});
}

void tst_SafeSaving::crashBeforeReplacingLeavesTheOldWorksheet()
{
    TemporaryMedia media;
    media.write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
    saveworksheet(sampleWorksheet(QStringLiteral("Floods")));
    const QByteArray worksheet = media.read(QStringLiteral("multiple/Floods.txt"));
    const QByteArray catalogue = media.read(QStringLiteral("multiple/track.txt"));

    std::unique_ptr<QProcess> child(startChild(
        media,
        { QStringLiteral("crash"), QStringLiteral("Floods.txt"), QStringLiteral("Floods") }));
    QVERIFY(child->waitForFinished(30000));
    QCOMPARE(child->exitStatus(), QProcess::CrashExit);

    QCOMPARE(media.read(QStringLiteral("multiple/Floods.txt")), worksheet);
    QCOMPARE(media.read(QStringLiteral("multiple/track.txt")), catalogue);
    readworksheetfile(worksheetPath(QStringLiteral("Floods")));
    QCOMPARE(questions[10], sampleWorksheet().questions[9]);
}

void tst_SafeSaving::fourProgramsSavingAtOnceLoseNoEntry()
{
    TemporaryMedia media;
    media.write(QStringLiteral("multiple/track.txt"), " 0 \r\n");
    constexpr int programs = 4;
    constexpr int savesEach = 50;

    std::vector<std::unique_ptr<QProcess>> children;
    QSet<QString> expected;
    for (int p = 1; p <= programs; ++p) {
        const QString prefix = QStringLiteral("Class %1 quiz").arg(p);
        children.emplace_back(
            startChild(media, { QStringLiteral("save"), prefix, QString::number(savesEach) }));
        for (int i = 1; i <= savesEach; ++i)
            expected.insert(QStringLiteral("%1 %2").arg(prefix).arg(i));
    }
    for (const auto &child : children) {
        QVERIFY(child->waitForFinished(120000));
        QCOMPARE(child->exitStatus(), QProcess::NormalExit);
        QCOMPARE(child->exitCode(), 0);
    }

    readcatalogue();
    QCOMPARE(trackcount, programs * savesEach);
    const QStringList titles = catalogueInMemory();
    QCOMPARE(QSet<QString>(titles.begin(), titles.end()), expected);
    QVERIFY(media.read(QStringLiteral("multiple/track.txt")).startsWith(" 200 \r\n"));
    for (const QString &title : titles)
        QVERIFY(QFile::exists(media.multiple() + u'/' + title + QStringLiteral(".txt")));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1 && args[1] == QLatin1String("--child"))
        return runChild(args);
    tst_SafeSaving test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_safesaving.moc"
