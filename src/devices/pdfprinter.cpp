#include "pdfprinter.h"

#include "pdfdocument.h"

#include <QPrinter>

using namespace Qt::StringLiterals;

PdfPrinter::PdfPrinter(const QString &filePath)
    : m_filePath(filePath)
{ }

QPageLayout PdfPrinter::pageLayout()
{
    return PdfDocument::pageLayout();
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
