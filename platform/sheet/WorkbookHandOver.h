#pragma once

#include "SpreadsheetProgram.h"

#include <QString>

namespace platform::xl {

class Workbook;

// The private folder hand-over files go to: "Tablinor" in the user's
// documents folder, owner-only. Not a hidden folder, because a confined
// spreadsheet application (a Snap) may read only visible ones of the home.
QString handOverFolder();  // throws RuntimeError when there is no documents folder

// Writes the workbook as flat OpenDocument (exportOds) to a fresh owner-only
// file in handOverFolder() and starts the spreadsheet application on it as a
// new untitled document,
// without waiting for it. Files left by earlier runs are removed once stale.
// Returns the file written.
QString handOverWorkbook(const Workbook& book, const SpreadsheetProgram& program);  // throws RuntimeError

// Starts the spreadsheet application on the user's own file, opened as that
// file (not as an untitled copy), without waiting for it.
void openWorkbookFile(const QString& path);  // throws RuntimeError

}  // namespace platform::xl
