#include "printoutlines.h"

#include "printer.h"

namespace PrintoutLines {

void centred(Printer &printer, const QString &text)
{
    printer.setCurrentX((printer.scaleWidth() - printer.textWidth(text)) / 2);
    printer.print(text);
}

void blank(Printer &printer, int count)
{
    for (int i = 0; i < count; ++i)
        printer.print(QStringLiteral(" "));
}

} // namespace PrintoutLines
