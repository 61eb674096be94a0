#pragma once

// Internal to the workbook model: the errors its objects raise, with the
// numbers and texts the spreadsheet application's automation gives.

#include <QString>

namespace platform::xl {

// Error 1004, with the application's generic text unless one is given.
[[noreturn]] void throwApplicationDefined(const QString& description = {});  // throws RuntimeError
// A handle to a sheet that was deleted, or whose workbook is gone.
[[noreturn]] void throwObjectDeleted();  // throws RuntimeError
// Row and column within the sheet's limits.
void checkCell(qint32 row, qint32 column);  // throws RuntimeError

}  // namespace platform::xl
