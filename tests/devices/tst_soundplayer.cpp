#include "mediapath.h"
#include "soundplayer.h"
#include "speechengine.h"

#include <QApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <numbers>

#include <unistd.h>

using namespace Qt::StringLiterals;

// Sounds and speech play into the PulseAudio null sink "ondel", recorded by parec.

namespace {

constexpr int rate = 44100;

// A 16-bit mono PCM WAV holding a sine tone.
QByteArray toneWav(double seconds, double frequency)
{
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 bytes = 2 * quint32(seconds * rate);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + bytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << bytes;
    for (quint32 i = 0; i < bytes / 2; ++i)
        out << qint16(16000 * std::sin(2 * std::numbers::pi * frequency * i / rate));
    return wav;
}

// How long the sink sounded while the request played, in 10 ms windows.
double soundingSeconds(const std::function<void()> &request, int recordMs)
{
    QProcess parec;
    parec.start(u"parec"_s,
                { u"-d"_s, u"ondel.monitor"_s, u"--format=s16le"_s, u"--channels=1"_s,
                  u"--rate=%1"_s.arg(rate), u"--latency-msec=20"_s, u"--raw"_s });
    // The recording runs before the sound starts.
    if (!parec.waitForStarted(5000) || !parec.waitForReadyRead(5000))
        return -1;
    parec.readAll();
    QElapsedTimer timer;
    timer.start();
    request();
    QByteArray data;
    while (timer.elapsed() < recordMs) {
        QTest::qWait(20);
        data += parec.readAll();
    }
    parec.kill();
    parec.waitForFinished(2000);
    constexpr int window = rate / 100;
    int first = -1, last = -1;
    for (int w = 0; (w + 1) * window * 2 <= data.size(); ++w) {
        double sum = 0;
        for (int i = w * window; i < (w + 1) * window; ++i) {
            const double v = qFromLittleEndian<qint16>(data.constData() + 2 * i);
            sum += v * v;
        }
        if (std::sqrt(sum / window) > 1000) {
            first = first < 0 ? w : first;
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
    void initTestCase()
    {
        QProcess pactl;
        pactl.start(u"pactl"_s, { u"list"_s, u"short"_s, u"sinks"_s });
        if (!pactl.waitForFinished(5000) || !pactl.readAllStandardOutput().contains("ondel"))
            QSKIP("No PulseAudio server with the null sink \"ondel\" answers (scripts/test "
                  "starts one); the real sound path is not tested.");
        QVERIFY(m_media.isValid());
        QDir(m_media.path()).mkpath(u"wav"_s);
        const auto write = [&](const QString &name, const QByteArray &bytes) {
            QFile file(m_media.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QVERIFY(write(u"wav/tone.wav"_s, toneWav(0.8, 440)));
        QVERIFY(write(u"wav/long.wav"_s, toneWav(2.0, 330)));
        QVERIFY(write(u"wav/click.wav"_s, toneWav(0.15, 1000)));
        QVERIFY(write(u"wav/broken.wav"_s, "RIFF nonsense, not a wave file at all"));
        MediaPath::setRoot(m_media.path());
        // As the program starts: the module may still be loading at the first sounds.
        SoundPlayer::current().prepare();
    }

    void playsWholeInTheBackground_data()
    {
        QTest::addColumn<QStringList>("requests"); // "wait" lets 0.4 s pass
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        QTest::newRow("0.8 s tone, any case") << QStringList { u"wav\\TONE.wav"_s } << 0.72 << 0.95;
        QTest::newRow("0.15 s click") << QStringList { u"wav\\click.wav"_s } << 0.13 << 0.3;
        QTest::newRow("the click again, from the kept copy")
            << QStringList { u"wav\\click.wav"_s } << 0.13 << 0.3;
        QTest::newRow("a new request cuts the sound playing")
            << QStringList { u"wav\\long.wav"_s, u"wait"_s, u"wav\\click.wav"_s } << 0.4 << 1.0;
        QTest::newRow("missing or broken files are silent")
            << QStringList { u"wav\\no such sound.wav"_s, u"..\\..\\etc\\passwd"_s, QString(),
                             u"wav\\broken.wav"_s }
            << 0.0 << 0.01;
    }

    void playsWholeInTheBackground()
    {
        QFETCH(QStringList, requests);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        const double seconds = soundingSeconds(
            [&] {
                for (const QString &request : requests) {
                    QElapsedTimer call;
                    call.start();
                    if (request == u"wait")
                        QTest::qWait(400);
                    else
                        SoundPlayer::current().play(request);
                    // A request returns at once; the sound plays in the background.
                    QVERIFY(request == u"wait" || call.elapsed() < 200);
                }
            },
            int(longest * 1000) + 1500);
        QVERIFY2(seconds >= shortest && seconds < longest,
                 qPrintable(u"sounded for %1 s"_s.arg(seconds)));
    }

    // The real speech engine, from its module, flite where installed, reads aloud into the sink.
    void readsAloud()
    {
        SpeechEngine &engine = SpeechEngine::current();
        if (!engine.available())
            QSKIP("No Qt speech engine is installed (scripts/test installs the flite one).");
        const double seconds
            = soundingSeconds([&] { engine.say(u"Where does a river begin?"_s); }, 5000);
        QVERIFY2(seconds > 0.5, qPrintable(u"spoke for %1 s"_s.arg(seconds)));
    }

private:
    QTemporaryDir m_media;
};

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
