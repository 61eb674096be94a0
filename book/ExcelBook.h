#pragma once

#include "Application.h"

#include <memory>

// The three workbook handles a document holds from OpenExcelBook to ShowExcelBook.
using XlApplication = std::shared_ptr<platform::xl::Application>;
using XlWorkbook = std::shared_ptr<platform::xl::Workbook>;
using XlWorksheet = std::shared_ptr<platform::xl::Worksheet>;

// A hidden application with a new workbook and a fresh worksheet after its last sheet.
void OpenExcelBook(XlApplication& robjXlApp, XlWorkbook& robjXlBook, XlWorksheet& robjXlSheet);  // throws RuntimeError

// Removes the default sheets (Sheet1 to Sheet3, of those the workbook was
// created with), shows the workbook and lets go of it. The three
// handles are empty afterwards, also when it throws; empty handles are
// skipped, so it is safe on the error path of a run that never got a workbook.
void ShowExcelBook(XlApplication& robjXlApp, XlWorkbook& robjXlBook, XlWorksheet& robjXlSheet);  // throws RuntimeError

// Deletes the sheets Sheet1 to Sheet3 of those the workbook was created with;
// a sheet added later keeps its place whatever its name.
void deleteDefaultSheets(const XlWorkbook& book);  // throws RuntimeError

// Deletes the first sheet whose name is exactly vstrName; no such sheet, no change.
void DeleteSheet(const QString& vstrName, const XlWorkbook& robjXlBook);  // throws RuntimeError
