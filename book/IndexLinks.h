#pragma once

#include "ExcelBook.h"

#include <vector>

// Links each object row of the index sheet, row 2 + i in column A, to cell A1
// of robjObjectSheets[i], the sheet its object received, whatever that sheet
// is called; the row keeps the object's name as its text. Then activates the
// index sheet and selects A1.
void LinkIndexSheet(
    const std::vector<XlWorksheet>& robjObjectSheets, const XlWorksheet& robjXlSheet);  // throws RuntimeError
