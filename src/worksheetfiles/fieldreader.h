#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;

// The program's one read handle ("file number 1"): the caller opens a worksheet or the
// catalogue, hands the reader to readworksheet or readcatalogue, and closes it. Only one
// file may be open at a time; the destructor closes a file left open.
//
// Fields follow these rules:
// - spaces before a field are skipped;
// - a field that begins with a double quote runs to the next double quote (commas, spaces
//   and line ends inside belong to it); anything after the closing quote up to the next
//   comma or line end is dropped;
// - any other field runs up to the next comma or line end, which is consumed with it, and
//   loses its trailing spaces, so a line of spaces is one empty field;
// - CR LF, a bare LF and a bare CR all end a line; the last line needs no line end;
// - asking for a field when nothing at all is left throws WorksheetFileError.
class FieldReader final
{
public:
    FieldReader();
    ~FieldReader();
    FieldReader(const FieldReader &) = delete;
    FieldReader &operator=(const FieldReader &) = delete;

    // Opens a data path such as "multiple\track.txt" (see MediaPath::resolve). Throws
    // WorksheetFileError when the file cannot be opened or another file is already open.
    void open(const QString &relativePath);
    // Reads fields from bytes in memory instead of a file; does not count as an open file.
    void openBytes(const QByteArray &bytes);
    void close();
    bool isOpen() const { return m_open; }

    // The next field, decoded from Windows-1252. Throws WorksheetFileError at the end.
    QString readField();

    // Whether some reader has a file open (for checks that nothing is left open).
    static bool anyFileOpen();

private:
    bool fill();
    bool atEnd();
    char peek() const { return m_buffer.at(m_pos); }
    void consumeLineEnd();
    // Appends bytes to field up to the first one for which stop is true, or to the end.
    template<typename Stop> void takeUntil(QByteArray &field, Stop stop);

    std::unique_ptr<QFile> m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_open = false;
};
