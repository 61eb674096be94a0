#pragma once

#include "FieldValue.h"

#include <QString>
#include <QStringView>

namespace platform::xl {

// Display width of a text in characters of the standard font: East Asian
// wide and full-width characters count two; for several lines, the widest.
qint32 textDisplayWidth(const QString& text);

// How wide the spreadsheet application draws a column of the given width
// (characters of the standard font, as the model keeps it), in points.
double columnPoints(double width);

// The height in points of a row whose cell wraps `text` in a column of the
// given width, as the spreadsheet application lays it out and draws it.
double wrappedTextHeight(const QString& text, double columnWidth);

// The text with what XML cannot carry at all (U+0000, U+FFFE, U+FFFF, a
// lone surrogate) as U+FFFD: such a character would spoil the file, or end
// the text at U+0000.
QString xmlCharacters(const QString& text);

// The text a cell shows for a value, as AutoFit measures it.
QString displayText(const FieldValue& value);

// "A" -> 1, "XFD" -> 16384; 0 for anything else.
qint32 columnNumber(QStringView letters);

}  // namespace platform::xl
