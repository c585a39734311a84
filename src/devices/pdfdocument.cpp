#include "pdfdocument.h"

#include "printererror.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

std::string local(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

PdfDocument::PdfDocument(const QString &folder)
    : m_folder(folder)
    , m_file(QDir(folder).filePath(u".ondel-XXXXXX.pdf.part"_s))
{
    if (!QDir().mkpath(folder) || !m_file.open())
        throw PrinterError("A PDF file cannot be written in " + local(folder) + ".", true);
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setPageLayout(pageLayout());
    m_writer->setResolution(1200);
    m_writer->setCreator(u"Ondel"_s);
}

PdfDocument::~PdfDocument() = default;

QPageLayout PdfDocument::pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                       QPageLayout::Point);
}

QString PdfDocument::fileName(const QString &documentName)
{
    QString name = documentName;
    for (QChar &c : name) {
        if (c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c))
            c = u' ';
    }
    name = name.simplified();
    while (name.endsWith(u'.'))
        name.chop(1);
    return name.isEmpty() ? u"Ondel"_s : name;
}

QString PdfDocument::save(const QString &documentName)
{
    const QString temporary = m_file.fileName();
    const bool written = m_file.flush() && m_file.error() == QFileDevice::NoError;
    m_file.close();
    if (!written)
        throw PrinterError("The PDF file could not be written in " + local(m_folder) + ".", true);
    const QString stem = QDir(m_folder).filePath(fileName(documentName));
    // QFile::rename never replaces an existing file, so two copies of the program saving the
    // same name at once still end up with two files.
    for (int copy = 1; copy < 1000; ++copy) {
        const QString target = copy == 1 ? stem + u".pdf"_s : u"%1 (%2).pdf"_s.arg(stem).arg(copy);
        if (QFile::exists(target))
            continue;
        if (QFile::rename(temporary, target))
            return target;
        if (!QFile::exists(target))
            break;
    }
    throw PrinterError("The PDF file could not be named in " + local(m_folder) + ".", true);
}
