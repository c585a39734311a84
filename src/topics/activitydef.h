#pragma once

#include "twipsrect.h"

#include <QString>

#include <vector>

// The content of one drag-and-drop activity screen, as data: everything the activity screens
// differ in, as read from a topic's labelling.ini or ordering.ini. All positions and sizes are
// twips, single precision, exactly as written. Picture paths are media paths (see MediaPath).

struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// Who writes the title Label6: the screen's design, the screen's own load, or only the topic
// menu that opens it (the design leaves it empty).
enum class TitleSource { Design, Load, TopicMenu };

// Transparent boxes let the picture show through; opaque ones are filled blue.
enum class BoxStyle { Transparent, OpaqueBlue };

// An extra centred, transparent text: a lone label (index -1) or an element of an array.
struct TextDef
{
    QString name;
    int index = -1;
    QString caption;
    TwipsRect rect;
    QString fontName;
    float points = 0;
    Rgb colour;
};

struct PictureDef
{
    int index = 0;
    QString file;
    // Top-left corner and the size the picture is drawn for.
    TwipsRect rect;
};

struct LineDef
{
    QString name;
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
    QString word;
    float boxLeft = 0;
    float boxTop = 0;
    float wordLeft = 0;
    float wordTop = 0;
};

struct ActivityDef
{
    // The screen's name: the topic's folder name and "lab" or "ord" ("rivers1lab").
    QString screenName;
    QString title;
    TitleSource titleSource = TitleSource::Design;
    TwipsRect titleRect;
    TwipsRect instructionRect;
    std::vector<TextDef> texts;
    std::vector<PictureDef> pictures;
    std::vector<LineDef> lines;
    std::vector<BoxDef> boxes;
    // Width of every box, word and start slot of the activity; all are itemHeight high.
    float itemWidth = 0;
    BoxStyle boxStyle = BoxStyle::Transparent;
    // What the class record calls the activity: the topic menu entry that opens it.
    QString activityName;

    static constexpr float itemHeight = 375;

    int count() const { return static_cast<int>(boxes.size()); }
};
