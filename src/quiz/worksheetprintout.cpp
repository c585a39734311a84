#include "worksheetprintout.h"

#include "printer.h"
#include "printoutlines.h"
#include "worksheetglobals.h"

namespace {

// Two answers side by side: the first at a third of the width, the second at two thirds.
void answerPair(Printer &printer, const QString &first, const QString &second)
{
    printer.setCurrentX(printer.scaleWidth() * 2 / 6);
    printer.print(first, false);
    printer.setCurrentX(printer.scaleWidth() * 4 / 6);
    printer.print(second);
}

} // namespace

namespace WorksheetPrintout {

QString header()
{
    return QStringLiteral("Ondel") + QString(57, QLatin1Char(' '))
        + QStringLiteral("Corvane Publishing Ltd");
}

void print(Printer &printer, const QString &heading, const QString &title)
{
    printer.setDocumentName(QStringLiteral("Ondel worksheet - ") + title);
    printer.setFontName(QStringLiteral("Times New Roman"));

    printer.setFontSize(16);
    printer.setCurrentX(printer.scaleWidth() / 8);
    PrintoutLines::blank(printer);

    printer.setCurrentX(printer.scaleWidth() / 16);
    printer.print(header(), false);
    PrintoutLines::blank(printer, 2);

    printer.setFontSize(32);
    PrintoutLines::centred(printer, heading);
    PrintoutLines::centred(printer, title);
    PrintoutLines::blank(printer);

    printer.setFontSize(12);
    for (int i = 1; i <= worksheetQuestionCount; ++i) {
        printer.setCurrentX(printer.scaleWidth() / 16);
        printer.print(QStringLiteral("Question %1    ").arg(i) + questions[i]);
        answerPair(printer, QStringLiteral("A. ") + answera[i], QStringLiteral("B. ") + answerb[i]);
        answerPair(printer, QStringLiteral("C. ") + answerc[i], QStringLiteral("D. ") + answerd[i]);
        PrintoutLines::blank(printer);
    }

    printer.endDoc();
}

} // namespace WorksheetPrintout
