#pragma once

#include <QtGlobal>

#include <array>

namespace platform::xl {

// XlBordersIndex
enum class BordersIndex : qint32 {
    EdgeLeft = 7,
    EdgeTop = 8,
    EdgeBottom = 9,
    EdgeRight = 10,
    InsideVertical = 11,
    InsideHorizontal = 12,
};

// XlLineStyle, as far as the model supports it.
enum class LineStyle : qint32 { None = -4142, Continuous = 1, Dot = -4118 };

// XlVAlign, as far as the model supports it.
enum class VerticalAlignment : qint32 { Top = -4160, Center = -4108, Bottom = -4107 };

// XlColorIndex special values; 1..56 index the default palette.
inline constexpr qint32 kColorIndexNone = -4142;
inline constexpr qint32 kColorIndexAutomatic = -4105;
inline constexpr qint32 kColorIndexWhite = 2;
inline constexpr qint32 kColorIndexGrey = 16;

// The default palette as RGB, 0xRRGGBB; throws RuntimeError outside 1..56.
quint32 paletteColor(qint32 colorIndex);

// Everything a cell shows besides its value. Small and comparable, so that
// a workbook keeps each distinct combination once.
struct CellFormat {
    enum Edge { Left, Top, Bottom, Right };
    std::array<LineStyle, 4> edges{LineStyle::None, LineStyle::None, LineStyle::None, LineStyle::None};
    qint32 fillColorIndex = kColorIndexNone;
    qint32 fontColorIndex = kColorIndexAutomatic;
    bool bold = false;
    bool wrapText = false;
    VerticalAlignment verticalAlignment = VerticalAlignment::Bottom;

    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

}  // namespace platform::xl
