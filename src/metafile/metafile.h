#pragma once

#include <QByteArray>
#include <QSizeF>
#include <memory>

class QPainter;
class QRectF;
class QString;

struct MetafileData;

// A Windows metafile (with or without the placeable header), parsed once into records that
// can be played onto any QPainter: the screen at any device pixel ratio, or a printer.
// Bad input never crashes: it gives an invalid Metafile, which draws nothing.
class Metafile
{
public:
    Metafile();
    ~Metafile();
    Metafile(const Metafile &);
    Metafile &operator=(const Metafile &);

    static Metafile fromData(const QByteArray &data);
    static Metafile fromFile(const QString &path);

    bool isValid() const;

    // Natural size in twips: the placeable header's bounding box over its units per inch
    // (times 1440); for a file without that header, taken from its window extent.
    QSizeF naturalSizeTwips() const;

    // Records read from the file (up to its end-of-file record or the first broken one).
    int recordCount() const;

    // Plays every record so that the picture's bounding box fills target, given in the
    // painter's current coordinates. The painter's state is restored afterwards.
    void play(QPainter &painter, const QRectF &target) const;

private:
    std::shared_ptr<const MetafileData> d;
};
