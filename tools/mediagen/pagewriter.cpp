#include "pagewriter.h"

#include "metafilewriter.h"

#include <QPainter>
#include <QSvgRenderer>

bool PageWriter::write(const QString &svg, QSizeF sizeTwips, const QString &path, QString *error)
{
    QSvgRenderer renderer(svg.toUtf8());
    if (!renderer.isValid()) {
        *error = QStringLiteral("the SVG does not parse");
        return false;
    }
    MetafileWriter writer(sizeTwips);
    QPainter painter(&writer);
    renderer.render(&painter, QRectF(QPointF(0, 0), sizeTwips));
    painter.end();
    if (!writer.save(path)) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}
