#include "systemprinter.h"

#include "picture.h"

#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>

SystemPrinter::SystemPrinter() = default;

SystemPrinter::~SystemPrinter()
{
    abandonDocument();
}

std::unique_ptr<QPrinter> SystemPrinter::openPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrinterError("There is no default printer.");
    if (info.state() == QPrinter::Error)
        throw PrinterError("The printer " + info.printerName().toStdString()
                           + " reports an error.");
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid())
        throw PrinterError("The printer " + info.printerName().toStdString() + " cannot be used.");
    return printer;
}

QPrinter &SystemPrinter::printer()
{
    if (!m_printer)
        m_printer = openPrinter();
    return *m_printer;
}

// Every call needs a printer, as it did on paper: without one even setting the font fails.
void SystemPrinter::beforeCall(const PrinterCall &)
{
    printer();
}

QSizeF SystemPrinter::drawingArea()
{
    return printer().pageLayout().paintRect(QPageLayout::Point).size() * 20.0;
}

double SystemPrinter::resolution()
{
    return printer().resolution();
}

void SystemPrinter::beginDocument()
{
    QPrinter &device = printer();
    device.setDocName(documentName());
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&device))
        throw PrinterError("The printer " + device.printerName().toStdString()
                           + " could not start the page.");
    const double scale = device.resolution() / 1440.0;
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
    if (!m_printer->newPage())
        throw PrinterError("The printer " + m_printer->printerName().toStdString()
                           + " could not start a new page.");
}

void SystemPrinter::finishDocument()
{
    const bool ended = m_painter->end();
    m_painter.reset();
    const bool failed = !ended || m_printer->printerState() == QPrinter::Error;
    const std::string name = m_printer->printerName().toStdString();
    m_printer.reset();
    if (failed)
        throw PrinterError("The printer " + name + " could not take the document.");
}

void SystemPrinter::abandonDocument() noexcept
{
    if (m_painter && m_painter->isActive()) {
        m_printer->abort();
        m_painter->end();
    }
    m_painter.reset();
    m_printer.reset();
}
