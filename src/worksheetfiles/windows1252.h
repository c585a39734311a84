#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The single-byte Windows-1252 code page in which worksheet files and track.txt are stored.
// Unlike Latin-1, bytes 0x80 to 0x9F hold the euro sign, typographic quotes and dashes. The
// five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the C1
// control characters of the same value and write back to the same byte, so any file reads
// and writes back unchanged.
class Windows1252 final
{
public:
    static QChar toUnicode(uchar byte);
    // The byte that stores c, or nothing when the code page has no such character.
    static std::optional<uchar> fromUnicode(QChar c);

    static QString decode(const QByteArray &bytes);
    // Nothing when any character of text cannot be stored.
    static std::optional<QByteArray> encode(const QString &text);
    static bool canEncode(const QString &text);
    // The first character of text that cannot be stored, or -1.
    static qsizetype firstUnencodable(const QString &text);
};
