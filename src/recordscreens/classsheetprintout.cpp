#include "classsheetprintout.h"

#include "printer.h"
#include "printoutlines.h"

namespace ClassSheetPrintout {

QString activityLine(const ClassSummary &summary, int pupil, int column)
{
    const ClassSummary::Cell &cell = summary.cell(pupil, column);
    const ClassSummary::Column &activity = summary.columns()[column];
    return QStringLiteral("%1, %2: latest %3 out of %5, best %4 out of %5, %6 %7")
        .arg(activity.title, activity.activity)
        .arg(cell.latest)
        .arg(cell.best)
        .arg(activity.outof)
        .arg(cell.attempts.size())
        .arg(cell.attempts.size() == 1 ? QStringLiteral("attempt") : QStringLiteral("attempts"));
}

QString wrongLine(const ClassSummary &summary, int pupil, int column)
{
    const ClassSummary::Cell &cell = summary.cell(pupil, column);
    QStringList numbers;
    for (int question : summary.results()[cell.attempts.constLast()].wrong)
        numbers += QString::number(question);
    return numbers.isEmpty()
        ? QString()
        : QStringLiteral("Wrong last time: ") + numbers.join(QStringLiteral(", "));
}

void print(Printer &printer, const ClassSummary &summary, const QString &shown)
{
    printer.setDocumentName(QStringLiteral("Ondel class results"));
    printer.setFontName(QStringLiteral("Times New Roman"));
    printer.setFontSize(24);
    printer.setFontBold(true);
    PrintoutLines::centred(printer, QStringLiteral("Class Results"));
    printer.setFontSize(12);
    printer.setFontBold(false);
    PrintoutLines::centred(printer, shown);
    PrintoutLines::blank(printer);
    if (summary.pupils().isEmpty())
        PrintoutLines::centred(printer, QStringLiteral("No results have been kept."));

    const double indent = printer.scaleWidth() / 16;
    for (int pupil = 0; pupil < summary.pupils().size(); ++pupil) {
        printer.setFontSize(14);
        printer.setFontBold(true);
        printer.print(summary.pupils()[pupil]);
        printer.setFontSize(11);
        printer.setFontBold(false);
        for (int column = 0; column < summary.columns().size(); ++column) {
            if (summary.cell(pupil, column).attempts.isEmpty())
                continue;
            printer.setCurrentX(indent);
            printer.print(activityLine(summary, pupil, column));
            if (const QString wrong = wrongLine(summary, pupil, column); !wrong.isEmpty()) {
                printer.setCurrentX(2 * indent);
                printer.print(wrong);
            }
        }
        PrintoutLines::blank(printer);
    }
    printer.endDoc();
}

} // namespace ClassSheetPrintout
