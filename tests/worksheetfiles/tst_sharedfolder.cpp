#include "media.h"
#include "textfilewriter.h"
#include "worksheetdata.h"
#include "worksheetfileerror.h"
#include "worksheetslocation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QSet>
#include <QSettings>
#include <QTest>

#include <functional>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using namespace WorksheetFiles;
using namespace Qt::StringLiterals;
using Source = WorksheetsLocation::Source;
using Cause = WorksheetFileError::Cause;

namespace {

// The folder a program of Ondel takes for these arguments.
WorksheetsLocation::Choice choose(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption(WorksheetsLocation::option());
    parser.parse(QStringList { u"ondel"_s } + arguments);
    return WorksheetsLocation::choose(parser);
}

// "--worksheets DIR MEDIA PREFIX COUNT [GONE]": saves COUNT worksheets, deletes GONE.
int runChild(const QStringList &args)
{
    MediaPath::setRoot(args[3]);
    if (!WorksheetsLocation::use(choose(args.mid(1, 2))).isEmpty())
        return 3;
    try {
        for (int i = 1; i <= args.value(5).toInt(); ++i)
            saveworksheet(sampleWorksheet(u"%1 %2"_s.arg(args[4]).arg(i)));
        if (args.size() > 6 && !delworksheet(args[6]))
            return 2;
    } catch (const WorksheetFileError &error) {
        qWarning("%s", error.what());
        return 1;
    }
    return 0;
}

} // namespace

class tst_SharedFolder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_media.path(u"user"_s));
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, m_media.path(u"sys"_s));
        // The other teachers' programs read the shipped worksheets here.
        QFile::setPermissions(m_media.base(), QFile::permissions(m_media.base()) | QFile::ExeOther);
        m_media.write(u"multiple/Rivers 1.txt"_s, sampleWorksheetBytes(u"Rivers 1"_s));
        m_media.write(u"multiple/track.txt"_s, " 1 \r\nFloods\r\n");
    }

    void optionThenUserThenSystemSettingsChoose_data()
    {
        QTest::addColumn<QStringList>("choices"); // the option's, the user's, the system's
        QTest::addColumn<QString>("folder");
        QTest::addColumn<Source>("source");
        QTest::newRow("option") << QStringList { u"class/5"_s, u"/srv/a"_s, u"/srv/b"_s }
                                << QDir::current().absoluteFilePath(u"class/5"_s) << Source::Option;
        QTest::newRow("user") << QStringList { {}, u"~/class5"_s, u"/srv/b"_s }
                              << QDir::homePath() + u"/class5"_s << Source::UserSettings;
        QTest::newRow("system") << QStringList { {}, {}, u"/srv/b/"_s } << u"/srv/b"_s
                                << Source::SystemSettings;
        QTest::newRow("default") << QStringList { {}, {}, {} }
                                 << QStandardPaths::writableLocation(
                                        QStandardPaths::GenericDataLocation)
                + u"/ondel/multiple"_s
                                 << Source::Default;
    }

    void optionThenUserThenSystemSettingsChoose()
    {
        QFETCH(QStringList, choices);
        for (const QString &scope : { u"user"_s, u"sys"_s })
            QSettings(m_media.path(scope + u"/ondel/ondel.conf"_s), QSettings::IniFormat)
                .setValue(u"worksheets"_s, choices[scope == u"user"_s ? 1 : 2]);
        const auto choice = choose(
            choices[0].isEmpty() ? QStringList() : QStringList { u"--worksheets"_s, choices[0] });
        QTEST(choice.folder, "folder");
        QTEST(choice.source, "source");
    }

    // An empty default folder is seeded once; a missing worksheet comes from the shipped one.
    void emptyFolderIsSeededOnce()
    {
        const QString shared = m_media.base() + u"/shared"_s;
        QCOMPARE(WorksheetsLocation::use({ shared, Source::Default }), QString());
        QCOMPARE(m_media.read(u"../shared/Rivers 1.txt"_s),
                 m_media.read(u"multiple/Rivers 1.txt"_s));
        QCOMPARE(m_media.read(u"../shared/track.txt"_s), " 0 \r\n");

        QFile::remove(shared + u"/Rivers 1.txt"_s);
        QCOMPARE(WorksheetsLocation::use({ shared, Source::Option }), QString());
        QVERIFY(!QFile::exists(shared + u"/Rivers 1.txt"_s));
        QFile::remove(shared + u"/track.txt"_s);
        QCOMPARE(MediaPath::resolve(u"multiple\\rivers 1.txt"_s),
                 m_media.path(u"multiple/Rivers 1.txt"_s));
        QCOMPARE(MediaPath::resolve(u"Multiple/track.txt"_s), shared + u"/track.txt"_s);
    }

    // Saving and deleting fail with the folder's or the file's own reason.
    void unusableFolderStillRunsTheBuiltInQuizzes_data()
    {
        QTest::addColumn<QFile::Permissions>("permissions"); // none: the folder is missing
        QTest::addColumn<QString>("reason"); // of the line at the start; none for no line
        QTest::addColumn<QString>("why");
        QTest::addColumn<Cause>("cause");
        const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        QTest::newRow("missing") << QFile::Permissions() << u"does not exist"_s
                                 << u"cannot be found"_s << Cause::Unreachable;
        QTest::newRow("unreadable")
            << QFile::Permissions(QFile::WriteOwner) << u"cannot be read"_s
            << u"may not open the worksheets folder"_s << Cause::Unreachable;
        QTest::newRow("read-only")
            << (QFile::ReadOwner | QFile::ExeOwner) << u"cannot be written to"_s
            << u"may not change the worksheets folder"_s << Cause::NotWritable;
        QTest::newRow("catalogue read-only")
            << (all | QFile::ReadUser) << QString() << u"may not change the file track.txt"_s
            << Cause::NotWritable;
    }

    void unusableFolderStillRunsTheBuiltInQuizzes()
    {
        QFETCH(QFile::Permissions, permissions);
        QFETCH(QString, reason);
        QFETCH(QString, why);
        QFETCH(Cause, cause);
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        if (permissions && geteuid() == 0) {
            // Permissions do not bind root: the row runs again as an ordinary user.
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(u"setpriv"_s,
                        { u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s,
                          QCoreApplication::applicationFilePath(),
                          QString::fromLatin1(QTest::currentTestFunction()) + u':' + tag });
            QVERIFY2(child.waitForFinished(60000) && child.exitCode() == 0, "the row as nobody");
            return;
        }
        const QString shared = m_media.base() + u'/' + tag;
        if (permissions) {
            m_media.write(u"../%1/track.txt"_s.arg(tag), " 1 \r\nFloods\r\n");
            QFile::setPermissions(shared + u"/track.txt"_s, QFile::ReadOwner);
            QFile::setPermissions(shared, permissions);
        }
        const QString line = WorksheetsLocation::use({ shared, Source::SystemSettings });
        QVERIFY2(reason.isEmpty() ? line.isEmpty() : line.contains(shared) && line.contains(reason),
                 qPrintable(line));
        readworksheetfile(u"multiple\\Rivers 1.txt"_s);
        QCOMPARE(worktitle, u"Rivers 1"_s);
        const std::function<void()> actions[] = {
            [] { saveworksheet(sampleWorksheet(u"Deltas"_s)); },
            [] { delworksheet(u"Floods"_s); },
        };
        for (const auto &action : actions) {
            try {
                action();
                QFAIL("it did not fail");
            } catch (const WorksheetFileError &error) {
                QVERIFY2(error.message().contains(why)
                             && error.message().contains(QDir::toNativeSeparators(shared)),
                         qPrintable(error.message()));
                QCOMPARE(error.cause(), cause);
            }
        }
        QFile::setPermissions(shared, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(permissions || !QFileInfo::exists(shared), "a missing folder was made");
    }

    // In a setgid group folder every file made is the group's; elsewhere nothing changes.
    void groupFolderFilesAreTheGroups()
    {
        const mode_t umaskBefore = ::umask(022);
        const auto restore = qScopeGuard([&] { ::umask(umaskBefore); });
        QTemporaryDir base;
        for (const bool shared : { true, false }) {
            const QString folder = base.filePath(shared ? u"class"_s : u"own"_s);
            QVERIFY(QDir().mkdir(folder));
            QVERIFY(::chmod(QFile::encodeName(folder).constData(), shared ? 02775 : 0755) == 0);
            QCOMPARE(WorksheetsLocation::use({ folder, Source::Option }), QString());
            // The lock is there while the catalogue is replaced.
            std::optional<QFile::Permissions> lock;
            TextFileWriter::setBeforeReplaceHook([&](const QString &path) {
                if (path.endsWith(u"/track.txt"_s))
                    lock = QFile::permissions(folder + u"/track.txt.lock"_s);
            });
            saveworksheet(sampleWorksheet(u"Deltas"_s));
            TextFileWriter::setBeforeReplaceHook({});
            QVERIFY(lock && (*lock & QFile::ReadOwner));
            QCOMPARE(bool(*lock & QFile::WriteGroup), shared);
            for (const QString &file : { u"track.txt"_s, u"Deltas.txt"_s, u"Rivers 1.txt"_s })
                QCOMPARE(bool(QFile::permissions(folder + u'/' + file) & QFile::WriteGroup),
                         shared);
        }
    }

    // A second account of the group saves and deletes there.
    void secondAccountSavesAndDeletes()
    {
        if (geteuid() != 0)
            QSKIP("only root can run the two teachers' programs under accounts of their own; "
                  "groupFolderFilesAreTheGroups tests the umask alone");
        constexpr uint group = 61000;
        QTemporaryDir base;
        QFile::setPermissions(base.path(), QFile::permissions(base.path()) | QFile::ExeOther);
        const QString folder = base.filePath(u"class"_s);
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(::chown(QFile::encodeName(folder).constData(), 0, group) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 02775) == 0);
        const mode_t umaskBefore = ::umask(022);
        const auto restore = qScopeGuard([&] { ::umask(umaskBefore); });
        const std::pair<int, QStringList> teachers[] = {
            { 61001, { u"Teacher A"_s, u"2"_s } },
            { 61002, { u"Teacher B"_s, u"2"_s, u"Teacher A 1"_s } },
        };
        for (const auto &[uid, work] : teachers) {
            QProcess teacher;
            teacher.setProcessChannelMode(QProcess::ForwardedChannels);
            teacher.start(u"setpriv"_s,
                          QStringList { u"--reuid=%1"_s.arg(uid), u"--regid=%1"_s.arg(uid),
                                        u"--groups=%1"_s.arg(group),
                                        QCoreApplication::applicationFilePath(), u"--worksheets"_s,
                                        folder, m_media.root() }
                              + work);
            QVERIFY2(teacher.waitForFinished(60000) && teacher.exitCode() == 0,
                     qPrintable(work.first()));
        }
        MediaPath::setWorksheetsFolder(folder);
        readcatalogue();
        QCOMPARE(catalogueInMemory(),
                 QStringList({ u"Teacher A 2"_s, u"Teacher B 1"_s, u"Teacher B 2"_s }));
        for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
            QCOMPARE(file.groupId(), group);
            QVERIFY2(file.permissions() & QFile::WriteGroup, qPrintable(file.fileName()));
        }
    }

    void twoProgramsSavingIntoOneFolderLoseNothing()
    {
        QTemporaryDir shared;
        QProcess programs[2];
        QSet<QString> expected;
        for (int p = 0; p < 2; ++p) {
            const QString prefix = u"Class %1 quiz"_s.arg(p + 1);
            programs[p].setProcessChannelMode(QProcess::ForwardedErrorChannel);
            programs[p].start(
                QCoreApplication::applicationFilePath(),
                { u"--worksheets"_s, shared.path(), m_media.root(), prefix, u"60"_s });
            for (int i = 1; i <= 60; ++i)
                expected.insert(u"%1 %2"_s.arg(prefix).arg(i));
        }
        for (QProcess &program : programs)
            QVERIFY(program.waitForFinished(120000) && program.exitCode() == 0);

        // Seeded by whichever came first, then every title in the catalogue exactly once.
        QVERIFY(QFile::exists(shared.filePath(u"Rivers 1.txt"_s)));
        MediaPath::setWorksheetsFolder(shared.path());
        readcatalogue();
        const QStringList titles = catalogueInMemory();
        QCOMPARE(titles.size(), expected.size());
        QCOMPARE(QSet<QString>(titles.begin(), titles.end()), expected);
    }

private:
    TemporaryMedia m_media;
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == u"--worksheets"_s)
        return runChild(app.arguments());
    tst_SharedFolder test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sharedfolder.moc"
