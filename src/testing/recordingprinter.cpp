#include "recordingprinter.h"

#include "pdfdocument.h"

RecordingPrinter::RecordingPrinter(QSizeF area)
    : m_area(area)
{
    install(this);
}

RecordingPrinter::~RecordingPrinter() = default;

QSizeF RecordingPrinter::defaultArea()
{
    return PdfDocument::pageLayout().paintRect(QPageLayout::Point).size() * 20.0;
}

QList<PrinterCall> RecordingPrinter::calls(PrinterCall::Kind kind) const
{
    QList<PrinterCall> result;
    for (const PrinterCall &call : m_calls) {
        if (call.kind == kind)
            result.append(call);
    }
    return result;
}

QStringList RecordingPrinter::printedTexts() const
{
    QStringList result;
    for (const PrinterCall &call : m_calls) {
        if (call.kind == PrinterCall::Kind::Print && !call.failed)
            result.append(call.text);
    }
    return result;
}

void RecordingPrinter::failFromCall(int index, const QString &message)
{
    m_failFrom = index;
    m_failMessage = message;
}

void RecordingPrinter::beforeCall(const PrinterCall &call)
{
    m_calls.append(call);
    if (m_failFrom >= 0 && m_calls.size() > m_failFrom) {
        m_calls.last().failed = true;
        throw PrinterError(m_failMessage.toStdString());
    }
}
