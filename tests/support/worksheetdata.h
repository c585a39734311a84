#pragma once

// A sample worksheet, the bytes the file format gives it, and catalogue files.

#include "media.h"
#include "worksheetdraft.h"
#include "worksheetfiles.h"
#include "worksheetglobals.h"

#include <QStringList>

inline QByteArray crlfLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// Catalogue file bytes: the count line, then one title per line.
inline QByteArray catalogueBytes(const QStringList &titles)
{
    return crlfLines(QStringList { QStringLiteral(" %1 ").arg(titles.size()) } + titles);
}

inline QStringList numberedTitles(int count, int from = 1)
{
    QStringList titles;
    for (int i = from; i < from + count; ++i)
        titles += QStringLiteral("Worksheet %1").arg(i);
    return titles;
}

// A whole worksheet with commas in its texts; question q's correct answer is A, B, C, D, A, ...
inline WorksheetDraft sampleWorksheet(const QString &title = QStringLiteral("Our River Walk"),
                                      const QString &variant = {})
{
    WorksheetDraft draft;
    draft.title = title;
    for (int q = 1; q <= 10; ++q) {
        draft.questions[q - 1]
            = QStringLiteral("Where, on river walk %1, did we stop%2?").arg(q).arg(variant);
        for (int k = 0; k < 4; ++k)
            draft.answers[4 * (q - 1) + k]
                = QStringLiteral("Bridge %1, stop %2").arg(q).arg(QChar(u'A' + k));
        draft.ticks[4 * (q - 1) + (q - 1) % 4] = true;
    }
    return draft;
}

// The 72 lines of sampleWorksheet()'s file, commas stored as "&".
inline QByteArray sampleWorksheetBytes(const QString &title, const QString &variant = {})
{
    QStringList lines { QString(title).replace(u',', u'&'), QStringLiteral(" ") };
    for (int q = 1; q <= 10; ++q) {
        lines += QStringLiteral("Where& on river walk %1& did we stop%2?").arg(q).arg(variant);
        for (QChar k : { u'A', u'B', u'C', u'D' })
            lines += QStringLiteral("Bridge %1& stop %2").arg(q).arg(k);
        lines += QString::number((q - 1) % 4 + 1);
        lines += QStringLiteral(" ");
    }
    return crlfLines(lines);
}

inline QStringList catalogueInMemory()
{
    QStringList titles;
    for (int i = 1; i <= trackcount && i <= catalogueCapacity; ++i)
        titles += tracklist[i];
    return titles;
}

inline bool sameDraft(const WorksheetDraft &a, const WorksheetDraft &b)
{
    return a.title == b.title && a.questions == b.questions && a.answers == b.answers
        && a.ticks == b.ticks;
}

inline void setCatalogue(const TemporaryMedia &media, const QStringList &titles)
{
    media.write(QStringLiteral("multiple/track.txt"), catalogueBytes(titles));
}

// A catalogue of these titles, each with the sample worksheet's file.
inline void setCatalogueWithFiles(const TemporaryMedia &media, const QStringList &titles)
{
    setCatalogue(media, titles);
    for (const QString &title : titles)
        media.write(QStringLiteral("multiple/%1.txt").arg(title), sampleWorksheetBytes(title));
}

// A GIFT bank: count questions, each followed by a true/false one an import skips.
inline QByteArray giftBank(int count, const QString &category = QStringLiteral("Rivers quiz"))
{
    QString bank = QStringLiteral("$CATEGORY: $course$/top/%1\n\n").arg(category);
    for (int q = 1; q <= count; ++q)
        bank += QStringLiteral("Question %1?{=right ~wrong ~wrong ~wrong}\n\nTrue?{T}\n\n").arg(q);
    return bank.toUtf8();
}
