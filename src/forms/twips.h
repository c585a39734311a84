#pragma once

#include <QPointF>
#include <QRect>
#include <cmath>

// Every position and size the screens name is in twips. This is the one place that turns them
// into the logical pixels Qt lays widgets out in; Qt's high-DPI scaling takes it from there.
namespace Twips {

inline constexpr double perPixel = 15.0;
// Points to twips: 1 pt is 1/72 inch, 1440 twips are an inch.
inline constexpr double perPoint = 20.0;

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / perPixel));
}

inline double fromPixels(double pixels)
{
    return pixels * perPixel;
}

inline QPointF fromPixels(const QPointF &pixels)
{
    return pixels * perPixel;
}

// The pixel rectangle for a twips rectangle; the far edges are rounded, not the size, so
// controls that touch in twips also touch on screen.
inline QRect toPixels(double left, double top, double width, double height)
{
    const int x = toPixels(left);
    const int y = toPixels(top);
    return QRect(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

} // namespace Twips
