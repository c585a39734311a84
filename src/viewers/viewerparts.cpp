#include "viewerparts.h"

#include "label.h"
#include "picture.h"
#include "printer.h"
#include "screenparts.h"

namespace ViewerParts {

using namespace ScreenParts;

namespace {

// In design order, which is also the Tab order.
constexpr ButtonDesign buttons[] = {
    { 0, u"Print", { 10680, 120, 1125, 495 } },
    { 1, u"Exit", { 10680, 7920, 1125, 495 } },
    { 2, u"Next Page", { 6720, 7920, 2685, 495 } },
    { 3, u"Previous Page", { 1320, 7920, 2685, 495 } },
};

} // namespace

void createButtons(ControlArray<Label> &label3, QWidget *parent)
{
    for (const ButtonDesign &design : buttons)
        createButton(label3, design, parent);
    label3[3]->setEnabled(false);
}

void setupPageLabel(Label &label)
{
    label.move(4200, 7920, 2295, 495);
    label.setFont(tahoma.toString(), 15.75, true);
    label.setForeColor(black);
    label.setBackColor(white);
    label.setAlignment(Alignment::Center);
}

QString pageCaption(int page, int total)
{
    return QStringLiteral("Page") + u' ' + QString::number(page) + QStringLiteral(" of") + u' '
        + QString::number(total);
}

namespace {

// "key rivers 1" for "wmf2\\key rivers 1.wmf".
QString pageName(const Picture &page)
{
    QString name = page.sourcePath();
    name = name.mid(qMax(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/')) + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

} // namespace

void printPage(const Picture &printCopy)
{
    if (printCopy.isNull())
        return;
    Printer &printer = Printer::current();
    try {
        printer.setDocumentName(QStringLiteral("Ondel page - ") + pageName(printCopy));
        printer.print();
        printer.paintPicture(printCopy, 1000, 1000);
        printer.endDoc();
    } catch (const PrinterError &error) {
        // A printer drops the job and nothing is said. Without a printer the teacher waits
        // for a file, so a PDF that could not be written is reported.
        if (error.savingPdf())
            ScreenParts::message(QStringLiteral("There was a problem printing to your printer."));
        return;
    }
    const QString note = printer.savedFileNote(QStringLiteral("the page"));
    if (!note.isEmpty())
        ScreenParts::message(note);
}

} // namespace ViewerParts
