#pragma once

#include <QString>

namespace platform::xl {

class Workbook;

// The private folder hand-over files go to: "handover" in the per-user cache
// folder of the application, owner-only.
QString handOverFolder();  // throws RuntimeError when there is no cache folder

// Writes the workbook to a fresh owner-only file in handOverFolder() and
// starts the spreadsheet application on it as a new untitled document,
// without waiting for it. Files left by earlier runs are removed once stale.
// Returns the file written.
QString handOverWorkbook(const Workbook& book, const QString& programPath);  // throws RuntimeError

}  // namespace platform::xl
