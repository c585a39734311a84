#pragma once

#include <QFont>
#include <QString>

class Printer;

// The certificate for full marks: the program's title, the quiz heading, the praise, the
// pupil's name and the score sentence between two "Well Done" strips, framed by five nested
// rectangles and three boxes.
namespace CertificatePrintout {

struct Content
{
    QString heading;
    QString name;
    int score = 0;
    int outof = 0;
};

// "You have scored 10 out of 10."
QString scoreSentence(int score, int outof);

// The strip joined to itself, as printed at the top and at the foot.
QString doubleStrip();

// Prints the certificate step by step and ends the document. headingFont is the screen font
// in which the heading is measured to choose its size: 36 pt, or 28 pt when it is wider than
// a quarter of the page. Throws PrinterError from the step that fails; the printer then drops
// the document.
void print(Printer &printer, const Content &content, const QFont &headingFont);

} // namespace CertificatePrintout
