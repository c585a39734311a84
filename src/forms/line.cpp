#include "line.h"

#include "twips.h"

#include <QPainter>
#include <algorithm>

Line::Line(QWidget *parent, const QString &name)
    : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

Line::~Line() = default;

void Line::setPoints(double x1, double y1, double x2, double y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    applyGeometry();
}

void Line::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void Line::setBorderWidth(int pixels)
{
    m_borderWidth = std::max(1, pixels);
    applyGeometry();
}

void Line::applyGeometry()
{
    // The widget covers both end points with room for the pen on every side.
    const int margin = m_borderWidth;
    const int left = std::min(Twips::toPixels(m_x1), Twips::toPixels(m_x2));
    const int top = std::min(Twips::toPixels(m_y1), Twips::toPixels(m_y2));
    const int right = std::max(Twips::toPixels(m_x1), Twips::toPixels(m_x2));
    const int bottom = std::max(Twips::toPixels(m_y1), Twips::toPixels(m_y2));
    setGeometry(left - margin, top - margin, right - left + 2 * margin + 1,
                bottom - top + 2 * margin + 1);
    update();
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(m_color, m_borderWidth, Qt::SolidLine, Qt::RoundCap));
    const QPoint origin = geometry().topLeft();
    const QPoint from(Twips::toPixels(m_x1), Twips::toPixels(m_y1));
    const QPoint to(Twips::toPixels(m_x2), Twips::toPixels(m_y2));
    painter.drawLine(from - origin, to - origin);
}
