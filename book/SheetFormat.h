#pragma once

#include "ExcelBook.h"

// A continuous frame and vertical rules, dotted lines between rows.
void DrawGrid(const platform::xl::Range& robjXlRange);  // throws RuntimeError

// Grey fill, white bold type, a continuous line underneath.
void FormatHeaderRow(const platform::xl::Range& robjXlRange);  // throws RuntimeError

// Grid, header row, widths and printing of a written sheet whose data ends at
// vlngLastRow (1 when there are no data rows): index of tables or views (A:C),
// column sheet (A:F), index of routines (A:D).
void FormatFieldsContentsSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow);  // throws RuntimeError
void FormatFieldsSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow);          // throws RuntimeError
void FormatStoredSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow);          // throws RuntimeError

// The same in the detailed form: the index of tables or views with each
// object's 論理名 (A:D), the index of routines with their descriptions (A:E).
void FormatDetailedContentsSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow);  // throws RuntimeError
void FormatDetailedStoredSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow);    // throws RuntimeError

// Widths, wrap and printing of a detailed sheet: landscape, one page wide,
// the column header row vlngHeaderRow on top of every page when it takes
// several.
void FormatDetailSheet(const XlWorksheet& robjXlSheet, qint32 vlngHeaderRow, qint32 vlngLastRow);  // throws RuntimeError

// Puts the object's whole name in the footer of its sheet, in place of the
// sheet's own name, which may be a shortened or changed one. For a sheet the
// formatters have set up.
void printObjectName(const XlWorksheet& sheet, const QString& objectName);
