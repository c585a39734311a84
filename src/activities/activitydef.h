#pragma once

#include "twipsrect.h"

#include <QStringView>
#include <span>

// The content of one drag-and-drop activity screen, as data: everything the four screens
// differ in. All positions and sizes are twips, single precision, exactly as designed.

struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;
};

// Who writes the title Label6: the screen's design, the screen's own load, or only the topic
// menu that opens it (the design leaves it empty).
enum class TitleSource { Design, Load, TopicMenu };

// Transparent boxes let the picture show through; opaque ones are filled blue.
enum class BoxStyle { Transparent, OpaqueBlue };

// An extra centred, transparent text: a lone label (index -1) or an element of an array.
struct TextDef
{
    QStringView name;
    int index = -1;
    QStringView caption;
    TwipsRect rect;
    QStringView fontName;
    float points = 0;
    Rgb colour;
};

struct PictureDef
{
    int index = 0;
    QStringView file;
    // Top-left corner and the size the picture is drawn for.
    TwipsRect rect;
};

struct LineDef
{
    QStringView name;
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    Rgb colour;
    int pixels = 1;
};

// Box i and its word: the word is the box's design caption and belongs in that box.
struct BoxDef
{
    QStringView word;
    float boxLeft = 0;
    float boxTop = 0;
    float wordLeft = 0;
    float wordTop = 0;
};

struct ActivityDef
{
    QStringView screenName;
    QStringView title;
    TitleSource titleSource = TitleSource::Design;
    TwipsRect titleRect;
    TwipsRect instructionRect;
    std::span<const TextDef> texts;
    std::span<const PictureDef> pictures;
    std::span<const LineDef> lines;
    std::span<const BoxDef> boxes;
    // Width of every box, word and start slot of the activity; all are itemHeight high.
    float itemWidth = 0;
    BoxStyle boxStyle = BoxStyle::Transparent;
    // What the class record calls the activity.
    QStringView activityName;

    static constexpr float itemHeight = 375;

    int count() const { return static_cast<int>(boxes.size()); }
};

namespace ActivityContent {

inline constexpr Rgb yellow { 255, 255, 0 };
inline constexpr Rgb green { 0, 255, 0 };

inline constexpr PictureDef rivers1labPictures[] = {
    { 0, u"Images\\drainage.jpg", { 2760, 840, 6300, 6000 } },
};

inline constexpr LineDef rivers1labLines[] = {
    { u"Line4", 2400, 2040, 3480, 2040, yellow, 3 },
    { u"Line3", 2400, 3960, 5400, 3960, yellow, 3 },
    { u"Line2", 7200, 3120, 9480, 3120, yellow, 3 },
    { u"Line1", 5400, 4800, 9480, 4800, yellow, 3 },
};

inline constexpr BoxDef rivers1labBoxes[] = {
    { u"confluence", 420, 3840, 1800, 7320 },
    { u"tributary", 9600, 4680, 3960, 7320 },
    { u"estuary", 9600, 3000, 6120, 7320 },
    { u"watershed", 420, 1920, 8280, 7320 },
};

inline constexpr TextDef rivers2labTexts[] = {
    { u"Label5",
      -1,
      u"Label the course of the river as it flows from the mountains to the sea.",
      { 120, 1200, 11835, 705 },
      u"Times New Roman",
      // 20.25 pt rather than 21.75: at 21.75 the sentence is wider than the label, wraps, and
      // its last word is cut off by the label's height.
      20.25f,
      yellow },
};

inline constexpr PictureDef rivers2labPictures[] = {
    { 0, u"Images\\crosssection2.jpg", { 0, 2160, 12000, 4275 } },
};

inline constexpr BoxDef rivers2labBoxes[] = {
    { u"upper course", 1200, 6120, 720, 7320 },   { u"lower course", 8880, 6120, 5040, 7320 },
    { u"middle course", 5040, 6120, 7200, 7320 }, { u"mouth", 9840, 4680, 9360, 7320 },
    { u"source", 360, 2160, 2880, 7320 },
};

inline constexpr TextDef rivers1ordTexts[] = {
    { u"Label8",
      -1,
      u"A river's journey",
      { 7560, 120, 4080, 705 },
      u"Times New Roman",
      24,
      green },
};

inline constexpr PictureDef rivers1ordPictures[] = {
    { 0, u"Images\\source.jpg", { 240, 960, 3600, 2400 } },
    { 1, u"Images\\stream.jpg", { 2880, 4080, 3600, 2520 } },
    { 2, u"Images\\river1.jpg", { 5400, 960, 3600, 2400 } },
    { 3, u"Images\\sea.jpg", { 8040, 4200, 3600, 2400 } },
};

inline constexpr BoxDef rivers1ordBoxes[] = {
    { u"River", 6000, 3480, 840, 7440 },
    { u"The Sea", 8640, 6720, 3480, 7440 },
    { u"Source", 720, 3480, 6120, 7440 },
    { u"Stream", 3480, 6720, 8760, 7440 },
};

inline constexpr TextDef rivers2ordTexts[] = {
    { u"Label5", 0, u"Upper Course", { 120, 720, 3585, 465 }, u"Times New Roman", 15.75f, yellow },
    { u"Label5",
      1,
      u"Middle Course",
      { 4170, 720, 3585, 465 },
      u"Times New Roman",
      15.75f,
      yellow },
    { u"Label5", 2, u"Lower Course", { 8220, 720, 3585, 465 }, u"Times New Roman", 15.75f, yellow },
};

inline constexpr PictureDef rivers2ordPictures[] = {
    { 0, u"Images\\floodplain.jpg", { 4170, 1080, 3600, 2400 } },
    { 1, u"Images\\source2.jpg", { 120, 1080, 3600, 2415 } },
    { 2, u"Images\\embankment.jpg", { 8220, 1080, 3600, 2400 } },
    { 3, u"Images\\meander.jpg", { 4170, 4260, 3600, 2400 } },
    { 4, u"Images\\estuary.jpg", { 8220, 4200, 3600, 2400 } },
    { 5, u"Images\\waterfall.jpg", { 120, 4200, 3600, 2400 } },
};

inline constexpr BoxDef rivers2ordBoxes[] = {
    { u"flood plain", 5010, 3690, 2160, 7440 }, { u"embankment", 9060, 3570, 6000, 7440 },
    { u"estuary", 9060, 6810, 9840, 7440 },     { u"source", 960, 3570, 7920, 7440 },
    { u"waterfall", 960, 6810, 4080, 7440 },    { u"meander", 5010, 6750, 240, 7440 },
};

} // namespace ActivityContent

inline constexpr ActivityDef rivers1labDef {
    u"rivers1lab",
    u"Rivers 1: Drainage Basins",
    TitleSource::Design,
    { 120, 120, 5115, 705 },
    { 6720, 120, 5025, 555 },
    {},
    ActivityContent::rivers1labPictures,
    ActivityContent::rivers1labLines,
    ActivityContent::rivers1labBoxes,
    1875,
    BoxStyle::Transparent,
    u"Labelling Activity",
};

inline constexpr ActivityDef rivers2labDef {
    u"rivers2lab",
    u"Rivers 2: Landforms",
    TitleSource::TopicMenu,
    { 120, 120, 4275, 705 },
    { 6720, 120, 5025, 555 },
    ActivityContent::rivers2labTexts,
    ActivityContent::rivers2labPictures,
    {},
    ActivityContent::rivers2labBoxes,
    1875,
    BoxStyle::OpaqueBlue,
    u"Labelling Activity",
};

inline constexpr ActivityDef rivers1ordDef {
    u"rivers1ord",
    u"Rivers 1: Drainage Basins",
    TitleSource::Load,
    { 120, 120, 7305, 825 },
    { 120, 7920, 2625, 555 },
    ActivityContent::rivers1ordTexts,
    ActivityContent::rivers1ordPictures,
    {},
    ActivityContent::rivers1ordBoxes,
    2355,
    BoxStyle::Transparent,
    u"Ordering Activity",
};

inline constexpr ActivityDef rivers2ordDef {
    u"rivers2ord",
    u"Rivers 2: Landforms",
    TitleSource::Load,
    { 120, 120, 8505, 705 },
    { 120, 7920, 2625, 555 },
    ActivityContent::rivers2ordTexts,
    ActivityContent::rivers2ordPictures,
    {},
    ActivityContent::rivers2ordBoxes,
    1875,
    BoxStyle::Transparent,
    u"Ordering Activity",
};
