#pragma once

#include <QString>

namespace platform::xl {

class Workbook;

// Writes the workbook to an .xlsx file: sheets in order with their names,
// typed values, borders, fills, fonts, alignment, column widths and wrap, the
// heights of rows with wrapped text, hyperlinks, the active sheet, each
// sheet's selected cell and its page setup.
void exportXlsx(const Workbook& book, const QString& path);  // throws RuntimeError

}  // namespace platform::xl
