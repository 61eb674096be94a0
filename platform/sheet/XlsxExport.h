#pragma once

#include <QString>

namespace platform::xl {

class Workbook;

// Writes the workbook to an .xlsx file: sheets in order with their names,
// typed values, borders, fills, fonts, column widths and wrap, hyperlinks,
// the active sheet and each sheet's selected cell.
void exportXlsx(const Workbook& book, const QString& path);  // throws RuntimeError

}  // namespace platform::xl
