#include "frame.h"

#include <QPainter>

Frame::Frame(QWidget *parent, const QString &name)
    : Control<QWidget>(parent, name)
{
    setAutoFillBackground(true);
    colorsChanged();
}

Frame::~Frame() = default;

void Frame::colorsChanged()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, backColor());
    setPalette(palette);
    update();
}

void Frame::paintEvent(QPaintEvent *)
{
    // An etched groove: grey line, white line beside it. The top runs half a line of the
    // frame's font below the top edge, where a caption would sit.
    QPainter painter(this);
    const int top = fontMetrics().height() / 2;
    const QRect r = rect().adjusted(0, top, -2, -2);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(r);
    painter.setPen(QColor(255, 255, 255));
    painter.drawRect(r.translated(1, 1));
}
