#include "mediapath.h"
#include "recordingsoundplayer.h"
#include "soundplayer.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <numbers>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int sampleRate = 44100;

// A 16-bit mono PCM WAV holding a sine tone.
QByteArray toneWav(double seconds, double frequency)
{
    const int samples = int(seconds * sampleRate);
    QByteArray pcm(samples * 2, Qt::Uninitialized);
    for (int i = 0; i < samples; ++i) {
        const double value = 0.5 * std::sin(2 * std::numbers::pi * frequency * i / sampleRate);
        qToLittleEndian<qint16>(qint16(value * 32767), pcm.data() + 2 * i);
    }
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + pcm.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(sampleRate) << quint32(sampleRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(pcm.size());
    out.writeRawData(pcm.constData(), pcm.size());
    return wav;
}

// Whether a PulseAudio server answers and has the null sink "ondel" to record from.
bool ondelSinkExists()
{
    QProcess pactl;
    pactl.start(u"pactl"_s, { u"list"_s, u"short"_s, u"sinks"_s });
    return pactl.waitForFinished(5000) && pactl.exitStatus() == QProcess::NormalExit
        && pactl.exitCode() == 0 && pactl.readAllStandardOutput().contains("ondel");
}

// Records what the "ondel" sink plays while it lives.
class SinkRecorder
{
public:
    SinkRecorder()
    {
        m_parec.start(u"parec"_s,
                      { u"-d"_s, u"ondel.monitor"_s, u"--format=s16le"_s, u"--channels=1"_s,
                        u"--rate=%1"_s.arg(sampleRate), u"--latency-msec=20"_s, u"--raw"_s });
        m_parec.waitForStarted(5000);
        // Wait until the stream runs, so the recording starts before the sound.
        QElapsedTimer timer;
        timer.start();
        while (m_parec.bytesAvailable() == 0 && timer.elapsed() < 5000)
            m_parec.waitForReadyRead(100);
        m_parec.readAll();
    }
    ~SinkRecorder()
    {
        if (m_parec.state() != QProcess::NotRunning) {
            m_parec.kill();
            m_parec.waitForFinished(2000);
        }
    }

    // Records for the given time, letting the event loop run, and returns the samples.
    QList<qint16> record(int milliseconds)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds) {
            QTest::qWait(20);
            m_data += m_parec.readAll();
        }
        m_data += m_parec.readAll();
        QList<qint16> samples(m_data.size() / 2);
        for (qsizetype i = 0; i < samples.size(); ++i)
            samples[i] = qFromLittleEndian<qint16>(m_data.constData() + 2 * i);
        return samples;
    }

private:
    QProcess m_parec;
    QByteArray m_data;
};

// Length in seconds from the first to the last 10 ms window that is clearly not silent.
double soundingSeconds(const QList<qint16> &samples)
{
    constexpr int window = sampleRate / 100;
    int first = -1;
    int last = -1;
    for (int w = 0; (w + 1) * window <= samples.size(); ++w) {
        double sum = 0;
        for (int i = w * window; i < (w + 1) * window; ++i)
            sum += double(samples[i]) * samples[i];
        if (std::sqrt(sum / window) > 1000) {
            if (first < 0)
                first = w;
            last = w;
        }
    }
    return first < 0 ? 0.0 : (last - first + 1) / 100.0;
}

} // namespace

class SoundPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fakeStandsInWhileItLives();
    void realPlayerPlaysAWavWholeIntoTheSink_data();
    void realPlayerPlaysAWavWholeIntoTheSink();
    void newRequestCutsThePlayingSound();
    void missingOrBrokenFileIsSilentAndReturnsAtOnce();

private:
    void requireSoundServer();

    QTemporaryDir m_media;
};

void SoundPlayerTest::initTestCase()
{
    QVERIFY(m_media.isValid());
    QDir(m_media.path()).mkpath(u"wav"_s);
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(m_media.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write(u"wav/tone.wav"_s, toneWav(0.8, 440)));
    QVERIFY(write(u"wav/long.wav"_s, toneWav(2.0, 330)));
    QVERIFY(write(u"wav/short.wav"_s, toneWav(0.3, 880)));
    QVERIFY(write(u"wav/click.wav"_s, toneWav(0.15, 1000)));
    QVERIFY(write(u"wav/broken.wav"_s, QByteArray("RIFF nonsense, not a wave file at all")));
    MediaPath::setRoot(m_media.path());
}

void SoundPlayerTest::fakeStandsInWhileItLives()
{
    SoundPlayer &real = SoundPlayer::current();
    {
        RecordingSoundPlayer player;
        SoundPlayer::current().play(u"wav\\click.wav"_s);
        SoundPlayer::current().play(u"wav/Thud3.WAV"_s);
        QCOMPARE(player.played(), QStringList({ u"wav\\click.wav"_s, u"wav/Thud3.WAV"_s }));
    }
    QCOMPARE(&SoundPlayer::current(), &real);
}

void SoundPlayerTest::requireSoundServer()
{
    if (!ondelSinkExists())
        QSKIP("No PulseAudio server with the null sink \"ondel\" answers (scripts/test starts "
              "one); the real sound path is not tested.");
}

void SoundPlayerTest::realPlayerPlaysAWavWholeIntoTheSink_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("shortest");
    QTest::addColumn<double>("longest");
    QTest::newRow("0.8 s tone") << u"wav\\TONE.wav"_s << 0.72 << 0.95;
    QTest::newRow("0.15 s click") << u"wav\\click.wav"_s << 0.13 << 0.3;
}

void SoundPlayerTest::realPlayerPlaysAWavWholeIntoTheSink()
{
    QFETCH(QString, file);
    QFETCH(double, shortest);
    QFETCH(double, longest);
    requireSoundServer();
    // The first request decodes the file, the second plays the kept copy.
    for (int i = 0; i < 2; ++i) {
        SinkRecorder recorder;
        QElapsedTimer timer;
        timer.start();
        SoundPlayer::current().play(file);
        QVERIFY2(timer.elapsed() < 200, "play() must not wait for the sound");
        const double seconds = soundingSeconds(recorder.record(int(longest * 1000) + 1000));
        qInfo("%s sounded for %.2f s", qPrintable(file), seconds);
        QVERIFY2(seconds >= shortest && seconds < longest,
                 qPrintable(u"%1 sounded for %2 s"_s.arg(file).arg(seconds)));
    }
}

void SoundPlayerTest::newRequestCutsThePlayingSound()
{
    requireSoundServer();
    SinkRecorder recorder;
    SoundPlayer::current().play(u"wav\\long.wav"_s);
    QTest::qWait(400);
    SoundPlayer::current().play(u"wav\\short.wav"_s);
    const double seconds = soundingSeconds(recorder.record(3000));
    qInfo("0.4 s of a 2 s sound, then a 0.3 s sound, sounded for %.2f s", seconds);
    // About 0.4 s of the long sound, then the 0.3 s one; never the whole 2 s.
    QVERIFY2(seconds > 0.4 && seconds < 1.3,
             qPrintable(u"the sounds lasted %1 s together"_s.arg(seconds)));
}

void SoundPlayerTest::missingOrBrokenFileIsSilentAndReturnsAtOnce()
{
    requireSoundServer();
    SinkRecorder recorder;
    QElapsedTimer timer;
    timer.start();
    SoundPlayer::current().play(u"wav\\no such sound.wav"_s);
    SoundPlayer::current().play(u"nowhere\\click.wav"_s);
    SoundPlayer::current().play(u"..\\..\\etc\\passwd"_s);
    SoundPlayer::current().play(QString());
    SoundPlayer::current().play(u"wav\\broken.wav"_s);
    QVERIFY2(timer.elapsed() < 200, "a missing or broken file must not hold up the caller");
    QCOMPARE(soundingSeconds(recorder.record(1200)), 0.0);
}

int main(int argc, char **argv)
{
    // The same private runtime folder as scripts/test, so the player finds its sound server.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR",
                QByteArray("/tmp/ondel-runtime-") + QByteArray::number(getuid()));
    QApplication app(argc, argv);
    SoundPlayerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soundplayer.moc"
