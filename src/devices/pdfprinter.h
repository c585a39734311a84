#pragma once

#include "systemprinter.h"

#include <QPageLayout>

// A printer that writes each document to a PDF file, for looking at print-outs in tests.
// Each document replaces the file. Unlike the recording fakes it does not install itself.
class PdfPrinter final : public SystemPrinter
{
public:
    explicit PdfPrinter(const QString &filePath);

    QString filePath() const { return m_filePath; }
    void setFilePath(const QString &filePath) { m_filePath = filePath; }
    // How many documents were written.
    int documentsWritten() const { return m_written; }

    // A4 portrait with quarter-inch margins; the recording printer uses the same drawing area.
    static QPageLayout pageLayout();

protected:
    std::unique_ptr<QPrinter> openPrinter() override;
    void finishDocument() override;

private:
    QString m_filePath;
    int m_written = 0;
};
