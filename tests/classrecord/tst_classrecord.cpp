#include "classrecord.h"
#include "media.h"
#include "passwordtries.h"
#include "resultscsv.h"
#include "teacherpassword.h"
#include "worksheetfileerror.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// Wednesday morning; that week's Monday is 2026-12-07.
const QDateTime wednesday(QDate(2026, 12, 9), QTime(10, 0));

RecordedResult result(const QString &pupil, int score, const QDateTime &when,
                      const QString &title = u"Rivers 1"_s, const QList<int> &wrong = {})
{
    return { pupil, title, u"Multiple Choice"_s, score, 10, when, wrong };
}

// "--keep DIR NAME COUNT": keep COUNT results of NAME in DIR (0: until killed).
int runChild(const QStringList &args)
{
    MediaPath::setWorksheetsFolder(args[2]);
    const int count = args[4].toInt();
    for (int i = 1; count == 0 || i <= count; ++i) {
        const QDateTime now = QDateTime::currentDateTime();
        try {
            ClassRecord::keep(result(args[3], i % 11, now.addMSecs(-now.time().msec())), now);
        } catch (const WorksheetFileError &error) {
            qWarning("%s", error.what());
            return 1;
        }
    }
    return 0;
}

QProcess *startKeeping(const QString &folder, const QString &name, int count)
{
    auto *program = new QProcess;
    program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program->start(QCoreApplication::applicationFilePath(),
                   { u"--keep"_s, folder, name, QString::number(count) });
    return program;
}

void setSetting(const TemporaryMedia &media, const QString &scope, const QString &key,
                const QVariant &value)
{
    QSettings(media.path(scope + u"/ondel/ondel.conf"_s), QSettings::IniFormat)
        .setValue(key, value);
}

} // namespace

class ClassRecordTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_media.path(u"user"_s));
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, m_media.path(u"sys"_s));
    }

    void init() { QFile::remove(ClassRecord::path()); }

    // stored: the field as the file holds it.
    void everyTextReadsBackAndFormulasStayText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain") << u"Amira"_s << u"Amira"_s;
        QTest::newRow("accents") << u"Zoë O'Neill"_s << u"Zoë O'Neill"_s;
        QTest::newRow("comma") << u"Smith, Jo"_s << u"\"Smith, Jo\""_s;
        QTest::newRow("quotes") << u"Jo \"JJ\""_s << u"\"Jo \"\"JJ\"\"\""_s;
        QTest::newRow("line break") << u"two\nlines"_s << u"\"two\nlines\""_s;
        QTest::newRow("formula") << u"=SUM(A1:A9)"_s << u"'=SUM(A1:A9)"_s;
        QTest::newRow("minus") << u"-1"_s << u"'-1"_s;
        QTest::newRow("quote first") << u"'Sam"_s << u"''Sam"_s;
    }

    void everyTextReadsBackAndFormulasStayText()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        const RecordedResult kept = result(text, 8, wednesday, text, { 2, 5 });
        const QByteArray bytes = ResultsCsv::file(QList { kept });
        QCOMPARE(bytes,
                 (u"\uFEFFPupil,Title,Activity,Score,Out of,Date and time,Wrong questions\r\n"_s
                  + stored + u',' + stored
                  + u",Multiple Choice,8,10,2026-12-09 10:00:00,\"2, 5\"\r\n"_s)
                     .toUtf8());
        QCOMPARE(ResultsCsv::result(ResultsCsv::rows(bytes).value(1)), kept);
    }

    // Old results drop, unreadable rows stay, forgetting takes every row of a pupil.
    void changesDropOldResultsKeepOddRowsAndForgetAPupil()
    {
        QVERIFY(!ClassRecord::isOn());
        setSetting(m_media, u"sys"_s, u"classRecord"_s, u"true"_s);
        QVERIFY(ClassRecord::isOn());
        setSetting(m_media, u"user"_s, u"classRecord"_s, u"false"_s);
        QVERIFY(!ClassRecord::isOn());
        setSetting(m_media, u"user"_s, u"keepResultsDays"_s, 0);
        QCOMPARE(ClassRecord::keepDays(), 365);
        setSetting(m_media, u"sys"_s, u"keepResultsDays"_s, 7);
        setSetting(m_media, u"user"_s, u"keepResultsDays"_s, 30);

        const RecordedResult old = result(u"Old"_s, 5, wednesday.addDays(-31));
        const RecordedResult amira = result(u"Amira"_s, 7, wednesday.addDays(-29));
        const RecordedResult ben = result(u"Ben"_s, 9, wednesday);
        m_media.write(
            u"multiple/results.csv"_s,
            ResultsCsv::file(
                { ResultsCsv::fields(old), { u"Amira"_s, u"odd"_s }, ResultsCsv::fields(amira) }));
        ClassRecord::keep(ben, wednesday);
        auto record = ClassRecord::read();
        QCOMPARE(record.results, QList({ amira, ben }));
        QCOMPARE(record.unreadableRows, 1);

        QCOMPARE(ClassRecord::forget(u"Amira"_s, wednesday), 2);
        record = ClassRecord::read();
        QCOMPARE(record.results, QList { ben });
        QCOMPARE(record.unreadableRows, 0);
        QCOMPARE(ClassRecord::forget(u"Amira"_s, wednesday), 0);
    }

    void thirtyProgramsKeepingAtOnceLoseNothing()
    {
        QList<QProcess *> programs;
        for (int p = 1; p <= 30; ++p)
            programs += startKeeping(m_media.multiple(), u"Pupil %1"_s.arg(p), 1);
        for (QProcess *program : std::as_const(programs)) {
            QVERIFY(program->waitForFinished(60000));
            QCOMPARE(program->exitCode(), 0);
            delete program;
        }
        QSet<QString> pupils;
        for (const RecordedResult &kept : ClassRecord::read().results)
            pupils += kept.pupil;
        QCOMPARE(pupils.size(), 30);
        QCOMPARE(ClassRecord::read().results.size(), 30);
    }

    // A program killed at random leaves a whole, growing record and a lock to take over.
    void aKillAtAnyMomentLeavesARecordThatReads()
    {
        qsizetype kept = 0;
        for (int round = 0; round < 12; ++round) {
            std::unique_ptr<QProcess> program(startKeeping(m_media.multiple(), u"Kim"_s, 0));
            QVERIFY(program->waitForStarted());
            QTRY_VERIFY(QFile::exists(ClassRecord::path()));
            QTest::qWait(QRandomGenerator::global()->bounded(5, 150));
            ::kill(pid_t(program->processId()), SIGKILL);
            QVERIFY(program->waitForFinished());
            const auto record = ClassRecord::read();
            QCOMPARE(record.unreadableRows, 0);
            QVERIFY(record.results.size() >= kept);
            kept = record.results.size();
        }
        ClassRecord::keep(result(u"Ben"_s, 10, wednesday), wednesday);
        QCOMPARE(ClassRecord::read().results.size(), kept + 1);
    }

    void wrongTriesWaitFromTheFifthOn()
    {
        PasswordTries tries;
        QDateTime now = wednesday;
        QList<int> waits;
        for (int i = 1; i <= 9; ++i) {
            QCOMPARE(tries.secondsToWait(now), 0);
            tries.wrong(now);
            waits += tries.secondsToWait(now);
            now = now.addSecs(waits.last());
        }
        QCOMPARE(waits, QList({ 0, 0, 0, 0, 5, 10, 20, 40, 60 }));
        tries.wrong(now);
        QCOMPARE(tries.secondsToWait(now.addMSecs(59001)), 1);
        tries.right();
        QCOMPARE(tries.secondsToWait(now), 0);
    }

    void thePasswordIsStoredOnlyAsASaltedHash()
    {
        QVERIFY(!TeacherPassword::isSet());
        QCOMPARE(TeacherPassword::set(u"short"_s),
                 u"a teacher password needs at least 6 characters"_s);
        QCOMPARE(TeacherPassword::set(u"Kingfisher 7"_s), QString());
        QVERIFY(TeacherPassword::isSet());
        QVERIFY(TeacherPassword::matches(u"Kingfisher 7"_s));
        QVERIFY(!TeacherPassword::matches(u"kingfisher 7"_s));
        QFile stored(TeacherPassword::settingsFile());
        QVERIFY(stored.open(QIODevice::ReadOnly));
        const QByteArray text = stored.readAll();
        QVERIFY2(text.contains("teacherPassword=\"$argon2id$") && !text.contains("Kingfisher"),
                 text.constData());
        QVERIFY(TeacherPassword::hash(u"Kingfisher 7"_s)
                != TeacherPassword::hash(u"Kingfisher 7"_s));
        QCOMPARE(TeacherPassword::clear(), QString());
        QVERIFY(!TeacherPassword::isSet());
    }

private:
    TemporaryMedia m_media;
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == u"--keep"_s)
        return runChild(app.arguments());
    ClassRecordTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_classrecord.moc"
