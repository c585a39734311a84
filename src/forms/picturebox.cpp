#include "picturebox.h"

#include "sunkenedge.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent, const QString &name)
    : Control<QWidget>(parent, name)
{
    colorsChanged();
}

PictureBox::~PictureBox() = default;

void PictureBox::setPicture(const Picture &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::loadPicture(const QString &relativePath)
{
    setPicture(Picture::load(relativePath));
}

void PictureBox::setBorderStyle(BorderStyle style)
{
    m_borderStyle = style;
    update();
}

void PictureBox::colorsChanged()
{
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int inset = m_borderStyle == BorderStyle::FixedSingle ? 2 : 0;
    const QRect inside = rect().adjusted(inset, inset, -inset, -inset);
    painter.fillRect(inside, backColor());
    if (!m_picture.isNull()) {
        painter.save();
        painter.setClipRect(inside);
        m_picture.paint(painter, QRectF(QPointF(inside.topLeft()), QSizeF(m_picture.sizePixels())));
        painter.restore();
    }
    if (inset == 0)
        return;
    drawSunkenEdge(painter, rect());
}
