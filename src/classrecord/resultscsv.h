#pragma once

#include "recordedresult.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The class record's file format: CSV as spreadsheets read it (RFC 4180), UTF-8 with a byte
// order mark so that spreadsheets take names such as "Zoë" as typed, CR LF line ends, and a
// header line:
//     Pupil,Title,Activity,Score,Out of,Date and time,Wrong questions
//     Amira,Rivers 1,Multiple Choice,8,10,2024-05-14 10:32:05,"2, 5"
// A text that a spreadsheet would take for a formula (starting with =, +, -, @, a tab or a
// carriage return) is stored after a single quote, which reading takes off again; so is a
// text that starts with a quote itself, so every text reads back exactly as it was.
namespace ResultsCsv {

QStringList header();
// "yyyy-MM-dd HH:mm:ss", local time.
QString dateFormat();

// The fields of a result, as they are stored, and back; nullopt for fields that are not a
// result (a score that is not a number, a date that cannot be read, ...).
QStringList fields(const RecordedResult &result);
std::optional<RecordedResult> result(const QStringList &fields);

// A row of fields as one CSV line (without its line end), quoted where needed.
QString line(const QStringList &fields);
// Every row of a file, header included, with quoted line breaks inside their fields.
QList<QStringList> rows(const QByteArray &bytes);

// A whole file: the byte order mark (unless left out), the header, then one line per row.
QByteArray file(const QList<QStringList> &rows, bool byteOrderMark = true);
// The file of these results.
QByteArray file(const QList<RecordedResult> &results, bool byteOrderMark = true);

} // namespace ResultsCsv
