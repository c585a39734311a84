#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

// The two-pixel sunken edge the form toolkit drew round bordered labels and picture boxes:
// grey and white outside, black and light grey inside.
inline void drawSunkenEdge(QPainter &painter, const QRect &rect)
{
    const QRect outer = rect;
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    const auto edge = [&painter](const QRect &r, const QColor &topLeft, const QColor &bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    edge(outer, QColor(128, 128, 128), QColor(255, 255, 255));
    edge(inner, QColor(0, 0, 0), QColor(223, 223, 223));
}
