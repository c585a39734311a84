#include "textfilewriter.h"
#include "worksheetdata.h"
#include "worksheetfileerror.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include <csignal>

using namespace WorksheetFiles;

// Started as "tst_safesaving --child <media root> crash <file name> <title>", the test program
// saves <title> and is killed once the new contents of <file name> are written but before
// they replace the old file.
namespace {

int runChild(const QStringList &args)
{
    if (args.size() < 6)
        return 2;
    QStandardPaths::setTestModeEnabled(true);
    MediaPath::setRoot(args[2]);
    MediaPath::setWorksheetsFolder(args[2] + QStringLiteral("/multiple"));
    try {
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
