#pragma once

#include <QByteArray>
#include <QList>

// 16-bit PCM mono WAV encoding of samples in [-1, 1].
class WavFile
{
public:
    static QByteArray encode(const QList<float> &samples, int sampleRate);
};
