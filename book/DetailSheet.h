#pragma once

#include "ExcelBook.h"
#include "ObjectDetails.h"

// The detailed sheet of one table or view: a header naming it (論理名, 物理名,
// スキーマ, 説明), its columns with declared types, keys, defaults, identity,
// computed definitions and descriptions, then its indexes, foreign keys,
// check constraints and triggers, each section only where there is one.
// Formatted to print one page wide, the column header on every page.
void PrintDetailSheet(const XlWorksheet& sheet, const ObjectDetail& object);  // throws RuntimeError
