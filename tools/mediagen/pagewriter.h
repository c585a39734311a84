#pragma once

#include <QSizeF>
#include <QString>

// Draws expanded SVG text into a Windows metafile of the given size in twips, so the
// program's page viewers can show and print it at any resolution.
class PageWriter
{
public:
    static bool write(const QString &svg, QSizeF sizeTwips, const QString &path, QString *error);
};
