#include "pdfprinter.h"

#include <QPageSize>
#include <QPrinter>

using namespace Qt::StringLiterals;

PdfPrinter::PdfPrinter(const QString &filePath)
    : m_filePath(filePath)
{ }

QPageLayout PdfPrinter::pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                       QPageLayout::Point);
}

std::unique_ptr<QPrinter> PdfPrinter::openPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(m_filePath);
    printer->setPageLayout(pageLayout());
    printer->setDocName(u"Ondel"_s);
    return printer;
}

void PdfPrinter::finishDocument()
{
    SystemPrinter::finishDocument();
    ++m_written;
}
