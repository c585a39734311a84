#pragma once

#include <QtGlobal>
#include <cstdint>

// Record functions, object styles and modes of the Windows metafile format, shared by the
// player and the writer.
namespace MetafileRecords {

inline constexpr quint32 PlaceableKey = 0x9AC6CDD7u;
inline constexpr int PlaceableHeaderBytes = 22;
inline constexpr int StandardHeaderBytes = 18;

enum Function : quint16 {
    Eof = 0x0000,
    RealizePalette = 0x0035,
    SetPalEntries = 0x0037,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetRelAbs = 0x0105,
    SetPolyFillMode = 0x0106,
    SetStretchBltMode = 0x0107,
    SetTextCharExtra = 0x0108,
    RestoreDc = 0x0127,
    ResizePalette = 0x0139,
    DibCreatePatternBrush = 0x0142,
    SetLayout = 0x0149,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    OffsetViewportOrg = 0x0211,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    OffsetClipRgn = 0x0220,
    SelectPalette = 0x0234,
    Polygon = 0x0324,
    Polyline = 0x0325,
    SetTextJustification = 0x020A,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    OffsetWindowOrg = 0x020F,
    ScaleWindowExt = 0x0410,
    ScaleViewportExt = 0x0412,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    SaveDc = 0x001E,
    Escape = 0x0626,
    Pie = 0x081A,
    Arc = 0x0817,
    Chord = 0x0830,
    SelectClipRegion = 0x012C,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    ExtTextOut = 0x0A32,
    SetDibToDev = 0x0D33,
    DibBitBlt = 0x0940,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
    DeleteObject = 0x01F0,
    CreatePalette = 0x00F7,
    CreatePatternBrush = 0x01F9,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    CreateRegion = 0x06FF,
};

enum MapMode : quint16 {
    MmText = 1,
    MmLoMetric = 2,
    MmHiMetric = 3,
    MmLoEnglish = 4,
    MmHiEnglish = 5,
    MmTwips = 6,
    MmIsotropic = 7,
    MmAnisotropic = 8,
};

enum BkMode : quint16 { Transparent = 1, Opaque = 2 };
enum PolyFillMode : quint16 { Alternate = 1, Winding = 2 };

enum TextAlign : quint16 {
    TaUpdateCp = 0x0001,
    TaRight = 0x0002,
    TaCenter = 0x0006,
    TaHorizontalMask = 0x0006,
    TaBottom = 0x0008,
    TaBaseline = 0x0018,
    TaVerticalMask = 0x0018,
};

enum ExtTextOutOption : quint16 { EtoOpaque = 0x0002, EtoClipped = 0x0004 };

enum PenStyle : quint16 {
    PsSolid = 0,
    PsDash = 1,
    PsDot = 2,
    PsDashDot = 3,
    PsDashDotDot = 4,
    PsNull = 5,
    PsInsideFrame = 6,
    PsStyleMask = 0x000F,
    PsEndCapSquare = 0x0100,
    PsEndCapFlat = 0x0200,
    PsEndCapMask = 0x0F00,
    PsJoinBevel = 0x1000,
    PsJoinMiter = 0x2000,
    PsJoinMask = 0xF000,
};

enum BrushStyle : quint16 {
    BsSolid = 0,
    BsNull = 1,
    BsHatched = 2,
    BsPattern = 3,
    BsDibPattern = 5,
    BsDibPatternPt = 6,
};

enum HatchStyle : quint16 {
    HsHorizontal = 0,
    HsVertical = 1,
    HsFDiagonal = 2,
    HsBDiagonal = 3,
    HsCross = 4,
    HsDiagCross = 5,
};

enum ColorUsage : quint16 { DibRgbColors = 0, DibPalColors = 1 };

enum RasterOp : quint32 {
    Blackness = 0x00000042,
    NotSrcErase = 0x001100A6,
    NotSrcCopy = 0x00330008,
    SrcErase = 0x00440328,
    DstInvert = 0x00550009,
    PatInvert = 0x005A0049,
    SrcInvert = 0x00660046,
    SrcAnd = 0x008800C6,
    MergePaint = 0x00BB0226,
    MergeCopy = 0x00C000CA,
    SrcCopy = 0x00CC0020,
    SrcPaint = 0x00EE0086,
    PatCopy = 0x00F00021,
    Whiteness = 0x00FF0062,
};

enum Rop2 : quint16 { R2Black = 1, R2Not = 6, R2Xor = 7, R2Nop = 11, R2CopyPen = 13, R2White = 16 };

enum DibCompression : quint32 {
    BiRgb = 0,
    BiRle8 = 1,
    BiRle4 = 2,
    BiBitfields = 3,
    BiJpeg = 4,
    BiPng = 5
};

inline constexpr int FontFaceBytes = 32;

// Windows-1252 bytes 0x80 to 0x9F; the other bytes are the same as Latin-1. Unassigned
// bytes map to themselves.
inline constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char16_t cp1252ToUnicode(quint8 byte)
{
    return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char16_t(byte);
}

// The Windows-1252 byte for a character, or -1 when it has none.
constexpr int unicodeToCp1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (Cp1252High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

} // namespace MetafileRecords
