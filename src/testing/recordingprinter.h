#pragma once

#include "printer.h"

#include <QList>
#include <QStringList>

// A printer for tests: draws nothing and records every call with its arguments and the state
// at that moment. Text metrics are real (the same fonts as on paper). A test can make a chosen
// call fail to act out a printer error. Installs itself while it lives.
class RecordingPrinter final : public Printer
{
public:
    // The drawing area defaults to the PDF printer's: A4 portrait inside quarter-inch margins.
    explicit RecordingPrinter(QSizeF area = defaultArea());
    ~RecordingPrinter() override;

    static QSizeF defaultArea();

    const QList<PrinterCall> &calls() const { return m_calls; }
    QList<PrinterCall> calls(PrinterCall::Kind kind) const;
    // The texts printed, in order (empty prints included).
    QStringList printedTexts() const;
    // Documents ended with something drawn.
    int documentsEnded() const { return m_ended; }
    void clear() { m_calls.clear(); }

    // From the call with this index on (counting from 0 the calls recorded since construction
    // or the last clear()), every call throws PrinterError with this message. A negative index
    // stops failing.
    void failFromCall(int index,
                      const QString &message = QStringLiteral("The printer is not responding."));

protected:
    void beforeCall(const PrinterCall &call) override;
    QSizeF drawingArea() override { return m_area; }
    double resolution() override { return 1200; }
    void beginDocument() override { }
    void drawText(const QPointF &, const QString &, const QFont &, const QColor &) override { }
    void drawLine(const QLineF &, const QColor &, double) override { }
    void drawPicture(const Picture &, const QRectF &) override { }
    void startNewPage() override { }
    void finishDocument() override { ++m_ended; }
    void abandonDocument() noexcept override { }

private:
    QSizeF m_area;
    QList<PrinterCall> m_calls;
    int m_ended = 0;
    int m_failFrom = -1;
    QString m_failMessage;
};
