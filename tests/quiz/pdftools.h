#pragma once

// Reading back what reached paper: the text of a PDF and a picture of its first page. The
// PDFs the cups-pdf printer writes are found with TestUtil::waitForCupsPdf.

#include "testutil.h"

namespace PdfTools {

inline QString text(const QString &pdf)
{
    return TestUtil::runTool(QStringLiteral("pdftotext"),
                             { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
}

// Renders page 1 as <screenshot folder>/<name>.png; returns the PNG's path or "".
inline QString renderFirstPage(const QString &pdf, const QString &name)
{
    const QString base = QDir(QStringLiteral(ONDEL_SCREENSHOT_DIR)).filePath(name);
    TestUtil::runTool(QStringLiteral("pdftoppm"),
                      { QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                        QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-singlefile"),
                        pdf, base });
    const QString png = base + QStringLiteral(".png");
    return QFile::exists(png) ? png : QString();
}

} // namespace PdfTools
