#pragma once

#include <QString>

namespace platform::xl {

class Workbook;

// Writes the workbook as an OpenDocument spreadsheet in one XML file (flat
// ODS) with what the .xlsx export writes: values, formats, column widths,
// row heights, hyperlinks, the active sheet, selections and page setup.
// Title rows are the format's header rows, which LibreOffice sets while it
// reads a sheet, at no cost that grows with the other sheets; in an .xlsx
// they are defined names, and each costs a pass over every sheet.
void exportOds(const Workbook& book, const QString& path);  // throws RuntimeError

}  // namespace platform::xl
