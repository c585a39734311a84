#pragma once

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QString>

// One call made on a printer, with its arguments and the printer's state at that moment.
// The recording printer keeps a list of these for tests to assert on.
struct PrinterCall
{
    enum class Kind {
        ScaleWidth,
        ScaleHeight,
        SetFontName,
        SetFontSize,
        SetFontBold,
        SetForeColor,
        SetCurrentX,
        SetCurrentY,
        TextWidth,
        TextHeight,
        Print,
        SetDrawWidth,
        Line,
        PaintPicture,
        NewPage, // made by the printer itself when a printed line would pass the page's foot
        EndDoc,
    };

    Kind kind = Kind::Print;

    // Arguments. text: Print, TextWidth, SetFontName, and the picture's path for PaintPicture.
    // value: SetFontSize, SetFontBold (0 or 1), SetCurrentX/Y, SetDrawWidth.
    QString text;
    double value = 0;
    bool endLine = true;
    QLineF line; // Line
    QColor colour; // Line, SetForeColor
    QRectF target; // PaintPicture: top-left and natural size

    // State before the call.
    QString fontName;
    double fontSize = 0;
    bool fontBold = false;
    QColor foreColor;
    double x = 0;
    double y = 0;
    int drawWidth = 1;
    int page = 0; // 1 for the first page of a document, 0 before the document has started

    bool failed = false; // the call threw PrinterError

    // One readable line, e.g. `Print "Ondel" end | Times New Roman 36 #ff0000 at 4520,1110`.
    QString toString() const;
    static QString kindName(Kind kind);
};
