#pragma once

#include <QtGlobal>

// The spreadsheet application's limits, which the model enforces as it does.
namespace platform::xl {

inline constexpr qint32 kMaxRows = 1048576;
inline constexpr qint32 kMaxColumns = 16384;
inline constexpr qint32 kMaxSheetNameLength = 31;
inline constexpr qint32 kMaxCellTextLength = 32767;
inline constexpr double kStandardColumnWidth = 8.43;
inline constexpr double kStandardRowHeight = 15.0;  // points: the default row of the default font
inline constexpr double kMaxColumnWidth = 255.0;

}  // namespace platform::xl
