#include "certificateprintout.h"

#include "printer.h"
#include "printoutlines.h"
#include "screenparts.h"
#include "twips.h"

#include <QFontMetricsF>

#include <array>

namespace {

// The classic palette's 0 black, 1 blue (navy), 9 light blue (blue) and 12 light red (red).
using ScreenParts::black;
using ScreenParts::blue;
using ScreenParts::navy;
using ScreenParts::red;

struct Inset
{
    double a;
    double b;
    bool withBox;
};

// Five rectangles 45 twips apart; the first three each have a box inside.
constexpr std::array<Inset, 5> frameInsets { {
    { 45, 270, true },
    { 90, 315, true },
    { 135, 360, true },
    { 180, 405, false },
    { 225, 450, false },
} };

// Top, left, right and bottom sides.
void rectangle(Printer &printer, double left, double top, double right, double bottom)
{
    printer.line(QPointF(left, top), QPointF(right, top), black);
    printer.line(QPointF(left, top), QPointF(left, bottom), black);
    printer.line(QPointF(right, top), QPointF(right, bottom), black);
    printer.line(QPointF(left, bottom), QPointF(right, bottom), black);
}

} // namespace

namespace CertificatePrintout {

QString scoreSentence(int score, int outof)
{
    return QStringLiteral("You have scored %1 out of %2.").arg(score).arg(outof);
}

QString doubleStrip()
{
    const QString strip
        = QStringLiteral("   Well Done      Well Done     Well Done     Well Done    ");
    return strip + strip;
}

void print(Printer &printer, const Content &content, const QFont &headingFont)
{
    printer.setDocumentName(content.name.trimmed().isEmpty()
                                ? QStringLiteral("Ondel certificate")
                                : QStringLiteral("Ondel certificate - ") + content.name.trimmed());
    printer.setFontName(QStringLiteral("Times New Roman"));

    printer.setForeColor(blue);
    printer.setFontSize(25);
    printer.setCurrentX(printer.scaleWidth() / 8);
    PrintoutLines::blank(printer);

    // Runs past the right edge of the page, where the paper cuts it off.
    printer.print(doubleStrip(), false);
    PrintoutLines::blank(printer, 3);

    printer.setForeColor(red);
    printer.setFontSize(36);
    PrintoutLines::centred(printer, QStringLiteral("Ondel"));
    PrintoutLines::blank(printer);

    printer.setForeColor(blue);
    printer.setFontSize(36);
    const double headingWidth
        = QFontMetricsF(headingFont).horizontalAdvance(content.heading) * Twips::perPixel;
    if (headingWidth > printer.scaleWidth() / 4)
        printer.setFontSize(28);
    PrintoutLines::centred(printer, content.heading);
    printer.print();

    printer.setFontSize(36);
    PrintoutLines::blank(printer, 3);

    printer.setForeColor(navy);
    printer.setFontSize(28);
    PrintoutLines::centred(printer, QStringLiteral("Excellent Work"));
    PrintoutLines::blank(printer);

    PrintoutLines::centred(printer, content.name);
    printer.print();

    printer.setFontSize(28);
    PrintoutLines::centred(printer, scoreSentence(content.score, content.outof));
    PrintoutLines::blank(printer);

    printer.setFontSize(36);
    PrintoutLines::blank(printer, 2);

    printer.setForeColor(blue);
    printer.setFontSize(25);
    PrintoutLines::blank(printer);

    printer.setForeColor(black);
    printer.print(doubleStrip(), false);

    printer.setDrawWidth(2);
    for (const Inset &inset : frameInsets) {
        const double a = inset.a;
        const double b = inset.b;
        const double w = printer.scaleWidth();
        const double h = printer.scaleHeight();
        rectangle(printer, a, b, w - a, h - b);
        if (inset.withBox)
            rectangle(printer, a + 600, b + 7050, w - a - 600, h - b - 3750);
    }

    printer.endDoc();
}

} // namespace CertificatePrintout
