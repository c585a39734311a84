#include "systemprinter.h"

#include "pdfdocument.h"
#include "picture.h"

#include <QDir>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

SystemPrinter::SystemPrinter() = default;

SystemPrinter::~SystemPrinter()
{
    abandonDocument();
}

QString SystemPrinter::pdfFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

std::unique_ptr<QPrinter> SystemPrinter::openPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        // Printers without a default one are a setting to fix, not a machine without printers.
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            return nullptr;
        throw PrinterError("There is no default printer.");
    }
    if (info.state() == QPrinter::Error)
        throw PrinterError("The printer " + info.printerName().toStdString()
                           + " reports an error.");
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid())
        throw PrinterError("The printer " + info.printerName().toStdString() + " cannot be used.");
    return printer;
}

QPagedPaintDevice &SystemPrinter::device()
{
    if (!m_printer && !m_pdf) {
        m_printer = openPrinter();
        if (!m_printer)
            m_pdf = std::make_unique<PdfDocument>(pdfFolder());
    }
    if (m_printer)
        return *m_printer;
    return m_pdf->writer();
}

void SystemPrinter::fail(const std::string &what) const
{
    if (m_pdf)
        throw PrinterError("The PDF file could not be written: " + what, true);
    throw PrinterError("The printer " + m_printer->printerName().toStdString() + " " + what);
}

// Every call needs a printer, as it did on paper: without one even setting the font fails.
void SystemPrinter::beforeCall(const PrinterCall &)
{
    device();
}

QSizeF SystemPrinter::drawingArea()
{
    return device().pageLayout().paintRect(QPageLayout::Point).size() * 20.0;
}

double SystemPrinter::resolution()
{
    return device().logicalDpiY();
}

void SystemPrinter::beginDocument()
{
    QPagedPaintDevice &target = device();
    if (m_printer)
        m_printer->setDocName(documentName());
    else
        m_pdf->writer().setTitle(documentName());
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&target))
        fail("could not start the page.");
    const double scale = target.logicalDpiY() / 1440.0;
    painter->scale(scale, scale);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter = std::move(painter);
}

void SystemPrinter::drawText(const QPointF &topLeft, const QString &text, const QFont &font,
                             const QColor &colour)
{
    m_painter->setFont(font);
    m_painter->setPen(colour);
    const QFontMetricsF metrics(font);
    m_painter->drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

void SystemPrinter::drawLine(const QLineF &line, const QColor &colour, double widthTwips)
{
    QPen pen(colour, widthTwips);
    pen.setCapStyle(Qt::SquareCap);
    m_painter->setPen(pen);
    m_painter->drawLine(line);
}

void SystemPrinter::drawPicture(const Picture &picture, const QRectF &target)
{
    picture.paint(*m_painter, target);
}

void SystemPrinter::startNewPage()
{
    if (!device().newPage())
        fail("could not start a new page.");
}

void SystemPrinter::finishDocument()
{
    const bool ended = m_painter->end();
    m_painter.reset();
    if (m_pdf) {
        const std::unique_ptr<PdfDocument> pdf = std::move(m_pdf);
        if (!ended)
            throw PrinterError("The PDF file could not be finished.", true);
        setSavedFile(pdf->save(documentName()));
        return;
    }
    const bool failed = !ended || m_printer->printerState() == QPrinter::Error;
    const std::unique_ptr<QPrinter> printer = std::move(m_printer);
    if (failed)
        throw PrinterError("The printer " + printer->printerName().toStdString()
                           + " could not take the document.");
}

void SystemPrinter::abandonDocument() noexcept
{
    if (m_painter && m_painter->isActive()) {
        if (m_printer)
            m_printer->abort();
        m_painter->end();
    }
    m_painter.reset();
    m_printer.reset();
    m_pdf.reset();
}
