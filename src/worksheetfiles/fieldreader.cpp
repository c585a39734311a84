#include "fieldreader.h"

#include "folderaccess.h"
#include "mediapath.h"
#include "windows1252.h"
#include "worksheetfileerror.h"

#include <QFile>

#include <algorithm>

namespace {

bool g_fileOpen = false;

constexpr qint64 chunkSize = 64 * 1024;

bool isDelimiter(char c)
{
    return c == ',' || c == '\r' || c == '\n';
}

} // namespace

FieldReader::FieldReader() = default;

FieldReader::~FieldReader()
{
    close();
}

void FieldReader::open(const QString &relativePath)
{
    if (m_open || g_fileOpen)
        throw WorksheetFileError(QStringLiteral("A file is already open."));
    const QString path = MediaPath::resolve(relativePath);
    if (path.isEmpty())
        throw WorksheetFileError(QStringLiteral("%1 is not a data file.").arg(relativePath));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        throw FolderAccess::readError(path,
                                      QStringLiteral("%1 cannot be opened.").arg(relativePath));
    m_file = std::move(file);
    m_buffer.clear();
    m_pos = 0;
    m_open = true;
    g_fileOpen = true;
}

void FieldReader::openBytes(const QByteArray &bytes)
{
    if (m_open)
        throw WorksheetFileError(QStringLiteral("A file is already open."));
    m_buffer = bytes;
    m_pos = 0;
    m_open = true;
}

void FieldReader::close()
{
    if (m_file) {
        m_file.reset();
        g_fileOpen = false;
    }
    m_buffer.clear();
    m_pos = 0;
    m_open = false;
}

bool FieldReader::anyFileOpen()
{
    return g_fileOpen;
}

bool FieldReader::fill()
{
    if (!m_file)
        return false;
    const QByteArray more = m_file->read(chunkSize);
    if (more.isEmpty())
        return false;
    m_buffer = m_buffer.mid(m_pos) + more;
    m_pos = 0;
    return true;
}

bool FieldReader::atEnd()
{
    return m_pos >= m_buffer.size() && !fill();
}

template<typename Stop> void FieldReader::takeUntil(QByteArray &field, Stop stop)
{
    while (!atEnd()) {
        const char *begin = m_buffer.constData() + m_pos;
        const char *end = m_buffer.constData() + m_buffer.size();
        const char *found = std::find_if(begin, end, stop);
        field.append(begin, found - begin);
        m_pos += found - begin;
        if (found != end)
            return;
    }
}

void FieldReader::consumeLineEnd()
{
    if (atEnd())
        return;
    const char c = peek();
    ++m_pos;
    if (c == '\r' && !atEnd() && peek() == '\n')
        ++m_pos;
}

QString FieldReader::readField()
{
    if (!m_open)
        throw WorksheetFileError(QStringLiteral("No file is open."));
    if (atEnd())
        throw WorksheetFileError(QStringLiteral("The file ends too soon."));
    while (!atEnd() && peek() == ' ')
        ++m_pos;

    QByteArray field;
    if (!atEnd() && peek() == '"') {
        ++m_pos;
        takeUntil(field, [](char c) { return c == '"'; });
        if (!atEnd())
            ++m_pos;
        QByteArray dropped;
        takeUntil(dropped, isDelimiter);
    } else {
        takeUntil(field, isDelimiter);
        while (field.endsWith(' '))
            field.chop(1);
    }
    if (!atEnd()) {
        if (peek() == ',')
            ++m_pos;
        else
            consumeLineEnd();
    }
    return Windows1252::decode(field);
}
