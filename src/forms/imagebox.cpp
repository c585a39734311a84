#include "imagebox.h"

#include <QPainter>

ImageBox::ImageBox(QWidget *parent, const QString &name)
    : Control<QWidget>(parent, name)
{ }

ImageBox::~ImageBox() = default;

void ImageBox::setPicture(const Picture &picture)
{
    m_picture = picture;
    if (!m_picture.isNull()) {
        const QSizeF size = m_picture.sizeTwips();
        move(left(), top(), size.width(), size.height());
    }
    update();
}

void ImageBox::loadPicture(const QString &relativePath)
{
    setPicture(Picture::load(relativePath));
}

void ImageBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    m_picture.paint(painter, QRectF(QPointF(0, 0), QSizeF(m_picture.sizePixels())));
}
