#pragma once

#include "ExcelBook.h"

// Links each object name in column A of the index sheet, from row 2 to the
// first empty cell, to cell A1 of the sheet of exactly that name (the first
// in workbook order); then activates the index sheet and selects A1.
void LinkIndexSheet(const XlWorkbook& robjXlBook, const XlWorksheet& robjXlSheet);  // throws RuntimeError
