#pragma once

#include "printer.h"

#include <memory>

class PdfDocument;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

// The system's default printer (CUPS), through QPrinter and a QPainter scaled so that one
// unit is one twip. The default printer is looked up afresh for every document. On a machine
// with no print destination at all (or no reachable print server) each document becomes a
// PDF file in the user's Documents folder instead, named after the document.
class SystemPrinter : public Printer
{
public:
    SystemPrinter();
    ~SystemPrinter() override;

    // Where documents go when there is no printer: the user's Documents folder.
    static QString pdfFolder();

protected:
    // A printer ready for a new document, or none when no print destination is installed.
    // Throws PrinterError when the default printer cannot be used.
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
    QPagedPaintDevice &device();
    [[noreturn]] void fail(const std::string &what) const;

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<PdfDocument> m_pdf;
    std::unique_ptr<QPainter> m_painter;
};
