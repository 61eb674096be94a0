#pragma once

#include <QFont>
#include <QRect>

namespace platform {

// Window layouts are drawn in twips; the screen has 15 twips to a pixel.
constexpr int twips(int value)
{
    return value / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// The face every window asks for by name; fontconfig substitutes an installed
// Japanese face where it is missing.
inline QFont formFont()
{
    QFont font(QStringLiteral("MS UI Gothic"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace platform
