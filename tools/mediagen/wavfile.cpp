#include "wavfile.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>
#include <cmath>

QByteArray WavFile::encode(const QList<float> &samples, int sampleRate)
{
    const quint32 dataBytes = quint32(samples.size()) * 2;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(sampleRate) << quint32(sampleRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (float s : samples)
        out << qint16(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
    return bytes;
}
