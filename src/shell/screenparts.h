#pragma once

#include "control.h"

#include <QColor>
#include <QString>
#include <QStringView>

class Label;

// The looks the screens share: label buttons and plain caption labels, positioned in twips.
namespace ScreenParts {

inline constexpr QColor yellow = QColor(255, 255, 0);
inline constexpr QStringView tahoma = u"Tahoma";
inline constexpr QStringView serif = u"Times New Roman";
inline constexpr Alignment centre = Alignment::Center;
inline constexpr Alignment flushLeft = Alignment::Left;

struct Rect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// A label button as designed: yellow bold Tahoma (15.75 pt unless a screen says otherwise),
// centred, on an opaque black box with a single-line border; it takes the focus and answers
// Enter and Space.
struct ButtonDesign
{
    int index = 0;
    QStringView caption;
    Rect rect;
};

void setupButton(Label &label, const QString &caption, const Rect &rect, double points = 15.75);

// A caption label with a transparent background.
struct LabelDesign
{
    QStringView font;
    double points = 0;
    bool bold = false;
    QColor colour;
    Alignment alignment = Alignment::Left;
    Rect rect;
};

void setupLabel(Label &label, const QString &caption, const LabelDesign &design);

} // namespace ScreenParts
