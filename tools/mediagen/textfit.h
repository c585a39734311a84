#pragma once

#include <QString>
#include <QStringList>

// Lays out every text and textArea of an expanded SVG as Qt's SVG renderer lays them out
// (the same fonts, wrapping and line spacing) and reports the text a reader would not see
// whole: a textArea line that the renderer leaves out because the area is too small for it,
// text that runs outside the box drawn round it, or text off the picture. The box of a text
// is the last rect before it in the drawing that holds the point where the text starts.
class TextFit
{
public:
    // One line per problem, empty when every text fits. Sets *error (and returns nothing)
    // when the SVG does not parse.
    static QStringList check(const QString &svg, QString *error);
};
