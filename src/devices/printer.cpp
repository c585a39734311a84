#include "printer.h"

#include "devicemodule.h"
#include "picture.h"

#include <QDir>
#include <QFontMetricsF>

namespace {

// Stands in for the system's printer when the printer module cannot be loaded: every call
// fails, so each print-out gives its usual failure message.
class UnavailablePrinter final : public Printer
{
protected:
    void beforeCall(const PrinterCall &) override
    {
        throw PrinterError("The printer module could not be loaded.");
    }
    QSizeF drawingArea() override { return {}; }
    double resolution() override { return 1440; }
    void beginDocument() override { }
    void drawText(const QPointF &, const QString &, const QFont &, const QColor &) override { }
    void drawLine(const QLineF &, const QColor &, double) override { }
    void drawPicture(const Picture &, const QRectF &) override { }
    void startNewPage() override { }
    void finishDocument() override { }
    void abandonDocument() noexcept override { }
};

} // namespace

Printer &Printer::current()
{
    if (Printer *device = installed())
        return *device;
    // Made on first use from the printer module (Qt PrintSupport and CUPS), and never
    // destroyed: a printer left open must not be closed after the application is gone.
    static Printer *real = [] {
        std::unique_ptr<Printer> system = DeviceModule::create<Printer>("printer");
        return system ? system.release() : new UnavailablePrinter;
    }();
    return *real;
}

void Printer::beforeCall(const PrinterCall &) { }

PrinterCall Printer::callOf(PrinterCall::Kind kind) const
{
    PrinterCall call;
    call.kind = kind;
    call.fontName = m_fontName;
    call.fontSize = m_fontSize;
    call.fontBold = m_fontBold;
    call.foreColor = m_foreColor;
    call.x = m_x;
    call.y = m_y;
    call.drawWidth = m_drawWidth;
    call.page = m_page;
    return call;
}

// Runs one public call: lets the implementation see it first, and on any failure drops the
// document so that the next print-out starts clean.
template<typename Body> auto Printer::guarded(const PrinterCall &call, Body body)
{
    try {
        beforeCall(call);
        return body();
    } catch (const PrinterError &) {
        m_savedFile.clear();
        abandonDocument();
        resetState();
        throw;
    }
}

void Printer::resetState()
{
    m_documentName = QStringLiteral("Ondel");
    m_fontName = QStringLiteral("Arial");
    m_fontSize = 10;
    m_fontBold = false;
    m_foreColor = QColor(Qt::black);
    m_x = 0;
    m_y = 0;
    m_drawWidth = 1;
    m_page = 0;
}

void Printer::ensureDocument()
{
    if (m_page > 0)
        return;
    m_savedFile.clear();
    beginDocument();
    m_page = 1;
}

double Printer::scaleWidth()
{
    return guarded(callOf(PrinterCall::Kind::ScaleWidth), [&] { return drawingArea().width(); });
}

double Printer::scaleHeight()
{
    return guarded(callOf(PrinterCall::Kind::ScaleHeight), [&] { return drawingArea().height(); });
}

void Printer::setFontName(const QString &name)
{
    PrinterCall call = callOf(PrinterCall::Kind::SetFontName);
    call.text = name;
    guarded(call, [&] { m_fontName = name; });
}

void Printer::setFontSize(double points)
{
    PrinterCall call = callOf(PrinterCall::Kind::SetFontSize);
    call.value = points;
    guarded(call, [&] { m_fontSize = points; });
}

void Printer::setFontBold(bool bold)
{
    PrinterCall call = callOf(PrinterCall::Kind::SetFontBold);
    call.value = bold ? 1 : 0;
    guarded(call, [&] { m_fontBold = bold; });
}

void Printer::setForeColor(const QColor &colour)
{
    PrinterCall call = callOf(PrinterCall::Kind::SetForeColor);
    call.colour = colour;
    guarded(call, [&] { m_foreColor = colour; });
}

QFont Printer::font() const
{
    QFont font(m_fontName);
    font.setPixelSize(qMax(1, qRound(m_fontSize * 20)));
    font.setBold(m_fontBold);
    // Unhinted outlines so that widths scale exactly between measuring and the page.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

void Printer::setCurrentX(double x)
{
    PrinterCall call = callOf(PrinterCall::Kind::SetCurrentX);
    call.value = x;
    guarded(call, [&] { m_x = x; });
}

void Printer::setCurrentY(double y)
{
    PrinterCall call = callOf(PrinterCall::Kind::SetCurrentY);
    call.value = y;
    guarded(call, [&] { m_y = y; });
}

double Printer::textWidth(const QString &text)
{
    PrinterCall call = callOf(PrinterCall::Kind::TextWidth);
    call.text = text;
    return guarded(call, [&] { return QFontMetricsF(font()).horizontalAdvance(text); });
}

double Printer::textHeight()
{
    return guarded(callOf(PrinterCall::Kind::TextHeight),
                   [&] { return QFontMetricsF(font()).height(); });
}

void Printer::print(const QString &text, bool endLine)
{
    PrinterCall call = callOf(PrinterCall::Kind::Print);
    call.text = text;
    call.endLine = endLine;
    guarded(call, [&] {
        ensureDocument();
        const QFontMetricsF metrics(font());
        const double height = metrics.height();
        if (m_y > 0 && m_y + height > drawingArea().height()) {
            beforeCall(callOf(PrinterCall::Kind::NewPage));
            startNewPage();
            ++m_page;
            m_y = 0;
        }
        if (!text.isEmpty())
            drawText(QPointF(m_x, m_y), text, font(), m_foreColor);
        if (endLine) {
            m_x = 0;
            m_y += height;
        } else {
            m_x += metrics.horizontalAdvance(text);
        }
    });
}

void Printer::setDrawWidth(int dots)
{
    PrinterCall call = callOf(PrinterCall::Kind::SetDrawWidth);
    call.value = dots;
    guarded(call, [&] { m_drawWidth = qMax(1, dots); });
}

void Printer::line(QPointF a, QPointF b, const QColor &colour)
{
    PrinterCall call = callOf(PrinterCall::Kind::Line);
    call.line = QLineF(a, b);
    call.colour = colour;
    guarded(call, [&] {
        ensureDocument();
        drawLine(QLineF(a, b), colour, m_drawWidth * 1440.0 / resolution());
        m_x = b.x();
        m_y = b.y();
    });
}

void Printer::paintPicture(const Picture &picture, double x, double y)
{
    PrinterCall call = callOf(PrinterCall::Kind::PaintPicture);
    call.text = picture.sourcePath();
    call.target = QRectF(QPointF(x, y), picture.isNull() ? QSizeF(0, 0) : picture.sizeTwips());
    guarded(call, [&] {
        ensureDocument();
        if (!picture.isNull())
            drawPicture(picture, call.target);
    });
}

void Printer::endDoc()
{
    guarded(callOf(PrinterCall::Kind::EndDoc), [&] {
        if (m_page > 0)
            finishDocument();
        else
            abandonDocument();
        resetState();
    });
}

QString Printer::savedFileNote(const QString &subject) const
{
    if (m_savedFile.isEmpty())
        return QString();
    return QStringLiteral("There is no printer, so %1 has been saved as a PDF file:\n%2")
        .arg(subject, QDir::toNativeSeparators(m_savedFile));
}
