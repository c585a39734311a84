#include "windows1252.h"

#include <array>

namespace {

// Bytes 0x80 to 0x9F; the undefined ones keep their own value.
constexpr std::array<char16_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

} // namespace

QChar Windows1252::toUnicode(uchar byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(highControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

std::optional<uchar> Windows1252::fromUnicode(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<uchar>(u);
    for (std::size_t i = 0; i < highControls.size(); ++i) {
        if (highControls[i] == u)
            return static_cast<uchar>(0x80 + i);
    }
    return std::nullopt;
}

QString Windows1252::decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = toUnicode(static_cast<uchar>(byte));
    return text;
}

std::optional<QByteArray> Windows1252::encode(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        const std::optional<uchar> byte = fromUnicode(c);
        if (!byte)
            return std::nullopt;
        *out++ = static_cast<char>(*byte);
    }
    return bytes;
}

bool Windows1252::canEncode(const QString &text)
{
    return firstUnencodable(text) < 0;
}

qsizetype Windows1252::firstUnencodable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!fromUnicode(text.at(i)))
            return i;
    }
    return -1;
}
