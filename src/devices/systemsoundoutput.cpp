#include "systemsoundoutput.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

// When a sound ends, the audio output is stopped as soon as its last bytes are handed over,
// which cuts off what is still buffered: up to a tenth of a second, most of a short click.
// Silence after the sound is what gets cut instead.
constexpr int paddingMilliseconds = 300;

struct Chunk
{
    QByteArrayView id;
    QByteArrayView body;
};

// The chunks of a RIFF WAVE file; empty when the bytes are not one.
QList<Chunk> waveChunks(QByteArrayView bytes)
{
    QList<Chunk> chunks;
    if (bytes.size() < 12 || bytes.first(4) != "RIFF" || bytes.sliced(8, 4) != "WAVE")
        return chunks;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const quint32 size = qFromLittleEndian<quint32>(bytes.data() + at + 4);
        const qsizetype length = qMin<qsizetype>(size, bytes.size() - at - 8);
        chunks.append({ bytes.sliced(at, 4), bytes.sliced(at + 8, length) });
        at += 8 + length + (length & 1);
    }
    return chunks;
}

// A PCM WAV with silence added after the sound; empty when the bytes are not a PCM WAV.
QByteArray withTrailingSilence(const QByteArray &wav)
{
    QByteArrayView format;
    QByteArrayView data;
    bool hasData = false;
    for (const Chunk &chunk : waveChunks(wav)) {
        if (chunk.id == "fmt " && format.isEmpty())
            format = chunk.body;
        else if (chunk.id == "data" && !hasData) {
            data = chunk.body;
            hasData = true;
        }
    }
    if (format.size() < 16 || !hasData)
        return QByteArray();
    const quint16 tag = qFromLittleEndian<quint16>(format.data());
    const quint32 rate = qFromLittleEndian<quint32>(format.data() + 4);
    const quint16 blockAlign = qFromLittleEndian<quint16>(format.data() + 12);
    const quint16 bits = qFromLittleEndian<quint16>(format.data() + 14);
    if ((tag != 1 && tag != 0xFFFE) || rate == 0 || blockAlign == 0 || rate > 384000)
        return QByteArray();

    const qsizetype sound = data.size() - data.size() % blockAlign;
    const qsizetype silence = qsizetype(rate) * paddingMilliseconds / 1000 * blockAlign;
    QByteArray out;
    out.reserve(44 + format.size() + sound + silence);
    const auto put32 = [&out](quint32 value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        out.append(bytes, 4);
    };
    out.append("RIFF");
    put32(quint32(4 + 8 + format.size() + (format.size() & 1) + 8 + sound + silence));
    out.append("WAVEfmt ");
    put32(quint32(format.size()));
    out.append(format.data(), format.size());
    if (format.size() & 1)
        out.append('\0');
    out.append("data");
    put32(quint32(sound + silence));
    out.append(data.data(), sound);
    // 8-bit samples are unsigned, silent at 128.
    out.append(silence, bits == 8 ? char(0x80) : '\0');
    return out;
}

} // namespace

SystemSoundOutput::SystemSoundOutput() = default;

SystemSoundOutput::~SystemSoundOutput() = default;

void SystemSoundOutput::play(const QString &filePath)
{
    QSoundEffect *effect = effectFor(filePath);
    if (!effect || effect->status() == QSoundEffect::Error)
        return;
    if (m_playing && m_playing != effect)
        m_playing->stop();
    // A sound still loading starts as soon as it is decoded; one playing starts over.
    effect->stop();
    effect->play();
    m_playing = effect;
}

QSoundEffect *SystemSoundOutput::effectFor(const QString &filePath)
{
    const auto known = m_effects.constFind(filePath);
    if (known != m_effects.constEnd())
        return known.value();
    QSoundEffect *effect = nullptr;
    const QString copy = paddedCopy(filePath);
    if (!copy.isEmpty()) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(copy));
    }
    m_effects.insert(filePath, effect);
    return effect;
}

QString SystemSoundOutput::paddedCopy(const QString &filePath)
{
    QFile file(filePath);
    if (!m_copies.isValid() || !file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray padded = withTrailingSilence(file.readAll());
    if (padded.isEmpty())
        return QString();
    const QString copy = m_copies.filePath(u"%1.wav"_s.arg(m_effects.size()));
    QFile out(copy);
    if (!out.open(QIODevice::WriteOnly) || out.write(padded) != padded.size())
        return QString();
    return copy;
}
