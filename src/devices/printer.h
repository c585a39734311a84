#pragma once

#include "installeddevice.h"

#include "printercall.h"
#include "printererror.h"

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class Picture;

// The default printer as a print object working in twips (1440 per inch), origin at the
// top-left of the drawing area. Text goes at the current position: print() draws there with
// the text's top at currentY, then either moves to x = 0 one line height further down
// (endLine) or stays just after the text. A line that would pass the foot of the page starts
// a new page at y = 0.
//
// The document starts with the first call that draws (print, line, paintPicture) and is sent
// by endDoc(), which also resets font, colour, position and line width for the next one: a
// fresh document prints in Arial 10 pt, black, lines 1 dot wide, from (0, 0).
// Every failure throws PrinterError; the document is then dropped, never sent, and the printer
// starts afresh with the next call. All calls are for the user-interface thread.
class Printer : public InstalledDevice<Printer>
{
public:
    // The printer in use: the installed one, else the system's default printer.
    static Printer &current();

    // Size of the drawing area in twips.
    double scaleWidth();
    double scaleHeight();

    // The name the print queue shows for the document ("Ondel certificate - Ada Lovelace"),
    // also the name of the file a PDF printer makes; back to "Ondel" after endDoc().
    void setDocumentName(const QString &name) { m_documentName = name; }
    QString documentName() const { return m_documentName; }

    // Font by the names the program uses ("Times New Roman", "Tahoma", "Arial").
    void setFontName(const QString &name);
    QString fontName() const { return m_fontName; }
    void setFontSize(double points);
    double fontSize() const { return m_fontSize; }
    void setFontBold(bool bold);
    bool fontBold() const { return m_fontBold; }
    void setForeColor(const QColor &colour);
    QColor foreColor() const { return m_foreColor; }
    // The printer font sized in twips (pixel size = points x 20), for measuring and drawing.
    QFont font() const;

    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double x);
    void setCurrentY(double y);

    // Width of text and height of one line in the printer font, in twips.
    double textWidth(const QString &text);
    double textHeight();

    // Prints text at the current position; an empty text with endLine only moves down a line.
    void print(const QString &text = QString(), bool endLine = true);

    // Width of the lines drawn from now on, in printer dots.
    void setDrawWidth(int dots);
    int drawWidth() const { return m_drawWidth; }
    // Draws a straight line from a to b and leaves the current position at b.
    void line(QPointF a, QPointF b, const QColor &colour = QColor(Qt::black));

    // Draws a picture at its natural size with its top-left corner at (x, y) twips.
    void paintPicture(const Picture &picture, double x, double y);

    // Sends the document to the printer. Without anything drawn it sends nothing.
    void endDoc();

    // The PDF file that the last document ended became because no printer is installed (a
    // full path), or empty when it went to a printer.
    QString savedFile() const { return m_savedFile; }
    // What a message about the last document says of that file: "There is no printer, so "
    // + subject + " has been saved as a PDF file:" and its path on the next line. Empty when
    // the document went to a printer.
    QString savedFileNote(const QString &subject) const;

    // Whether a document has been started and not yet ended.
    bool inDocument() const { return m_page > 0; }
    // Page of the current document, 1 for the first; 0 outside a document.
    int page() const { return m_page; }

protected:
    Printer() = default;

    // Called first by every public call that is recorded (all but the plain getters), before
    // the call has any effect; may throw PrinterError to make that call fail.
    virtual void beforeCall(const PrinterCall &call);

    // The drawing area in twips.
    virtual QSizeF drawingArea() = 0;
    // Printer dots per inch, for line widths.
    virtual double resolution() = 0;
    virtual void beginDocument() = 0;
    virtual void drawText(const QPointF &topLeft, const QString &text, const QFont &font,
                          const QColor &colour)
        = 0;
    virtual void drawLine(const QLineF &line, const QColor &colour, double widthTwips) = 0;
    virtual void drawPicture(const Picture &picture, const QRectF &target) = 0;
    virtual void startNewPage() = 0;
    virtual void finishDocument() = 0;
    // Drops a document after a failure, or one ended with nothing drawn; must not throw. Also
    // called outside a document.
    virtual void abandonDocument() noexcept = 0;
    // Called by finishDocument() when the document became a file rather than paper.
    void setSavedFile(const QString &path) { m_savedFile = path; }

private:
    PrinterCall callOf(PrinterCall::Kind kind) const;
    template<typename Body> auto guarded(const PrinterCall &call, Body body);
    void ensureDocument();
    void resetState();

    QString m_documentName = QStringLiteral("Ondel");
    QString m_fontName = QStringLiteral("Arial");
    double m_fontSize = 10;
    bool m_fontBold = false;
    QColor m_foreColor = QColor(Qt::black);
    double m_x = 0;
    double m_y = 0;
    int m_drawWidth = 1;
    int m_page = 0;
    QString m_savedFile;
};
