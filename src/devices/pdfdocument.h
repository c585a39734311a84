#pragma once

#include <QPageLayout>
#include <QPdfWriter>
#include <QString>
#include <QTemporaryFile>

#include <memory>

// One document written as a PDF file into a folder. While it is being drawn it is a hidden
// temporary file in that folder; save() gives the complete file its name without replacing
// any file ("<name>.pdf", else "<name> (2).pdf", "<name> (3).pdf", ...). A document that is
// dropped, or fails, leaves nothing behind under any name.
class PdfDocument final
{
public:
    // Makes the folder when it is missing. Throws PrinterError when nothing can be written
    // there.
    explicit PdfDocument(const QString &folder);
    ~PdfDocument();
    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;

    QPdfWriter &writer() { return *m_writer; }

    // Call once the painter on writer() has ended. Names the file after documentName and
    // returns its full path; throws PrinterError when the file could not be completed.
    QString save(const QString &documentName);

    // A4 portrait with quarter-inch margins, for every PDF the program makes.
    static QPageLayout pageLayout();
    // documentName fit for a file name on every system a Documents folder may be shared
    // with: characters a file name cannot hold become spaces ("Rivers 1: Drainage Basins"
    // gives "Rivers 1 Drainage Basins"), runs of spaces one, no dot at the end.
    static QString fileName(const QString &documentName);

private:
    QString m_folder;
    QTemporaryFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
};
