#pragma once

// A rectangle in twips as the design gives it: Left, Top, Width and Height from the top-left
// corner of the screen's client area. Single precision, because the drag-and-drop rules
// compare positions exactly as single-precision values; every designed position is a whole
// number of twips, which single precision holds exactly.
struct TwipsRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    friend constexpr bool operator==(const TwipsRect &, const TwipsRect &) = default;
};
