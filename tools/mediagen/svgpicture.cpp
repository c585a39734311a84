#include "svgpicture.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

QImage SvgPicture::render(const QString &svg, int width, int height, QString *error)
{
    QSvgRenderer renderer(svg.toUtf8());
    if (!renderer.isValid()) {
        *error = QStringLiteral("the SVG does not parse");
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, width, height));
    painter.end();
    return image;
}

bool SvgPicture::save(const QImage &image, const QString &path, QString *error)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    QImageWriter writer(&file, suffix == u"jpg" ? QByteArrayLiteral("jpeg") : suffix.toLatin1());
    if (suffix == u"jpg")
        writer.setQuality(90);
    const QImage out = suffix == u"bmp" ? image.convertToFormat(QImage::Format_RGB888) : image;
    if (!writer.write(out) || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, writer.errorString());
        return false;
    }
    return true;
}
