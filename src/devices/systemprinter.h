#pragma once

#include "printer.h"

#include <memory>

class QPainter;
class QPrinter;

// The system's default printer (CUPS), through QPrinter and a QPainter scaled so that one
// unit is one twip. The default printer is looked up afresh for every document.
class SystemPrinter : public Printer
{
public:
    SystemPrinter();
    ~SystemPrinter() override;

protected:
    // A printer ready for a new document; throws PrinterError when none can be had.
    virtual std::unique_ptr<QPrinter> openPrinter();

    void beforeCall(const PrinterCall &call) override;
    QSizeF drawingArea() override;
    double resolution() override;
    void beginDocument() override;
    void drawText(const QPointF &topLeft, const QString &text, const QFont &font,
                  const QColor &colour) override;
    void drawLine(const QLineF &line, const QColor &colour, double widthTwips) override;
    void drawPicture(const Picture &picture, const QRectF &target) override;
    void startNewPage() override;
    void finishDocument() override;
    void abandonDocument() noexcept override;

private:
    QPrinter &printer();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
};
