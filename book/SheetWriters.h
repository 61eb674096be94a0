#pragma once

#include "ExcelBook.h"
#include "StatusLine.h"

#include "ObjectDetails.h"
#include "Recordset.h"

#include <QHash>

class clsMsSqlConnect;

// The recordset sheet writers: a header row of field names, one row per
// record from row 2, then the sheet's formatting. On any failure the status
// line gets "number:description" and the result is false.

// Index of a table or view document from the object list held by vobjCn,
// with each object's 論理名 when details are given. On success the object
// list stays open, at its end; on failure it is closed and vobjCn
// disconnected.
bool RsExcelPrintFieldsContentsType(clsMsSqlConnect& vobjCn, const XlWorksheet& robjXlSheet, StatusLine& status,
    const QHash<qint32, ObjectDetail>* details = nullptr);

// Column sheet of one object from the column list held by vobjCn, which is
// closed and disconnected in both outcomes.
bool RsExcelPrintFieldsType(clsMsSqlConnect& vobjCn, const XlWorksheet& robjXlSheet, StatusLine& status);

// The whole routine document: opens a workbook, writes "目次" with one row per
// routine and the block comments of its whole source, its pieces joined from
// consecutive records of the same ID, and its description when descriptions
// are given; formats and shows it. vintType has no effect.
bool RsExcelPrintStoredType(qint16 vintType, const std::shared_ptr<platform::Recordset>& vobjRs, StatusLine& status,
    const QHash<qint32, QString>* descriptions = nullptr);
