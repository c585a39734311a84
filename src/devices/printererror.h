#pragma once

#include <stdexcept>
#include <string>

// A printing step failed: no default printer, the printer reports an error, the page could
// not be started, or (on a machine without printers) the PDF file could not be written. The
// message says which, in plain words.
class PrinterError : public std::runtime_error
{
public:
    explicit PrinterError(const std::string &what, bool savingPdf = false)
        : std::runtime_error(what)
        , m_savingPdf(savingPdf)
    { }

    // Whether the document was to become a PDF file because there is no printer.
    bool savingPdf() const { return m_savingPdf; }

private:
    bool m_savingPdf = false;
};
