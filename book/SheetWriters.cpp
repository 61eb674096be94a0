#include "SheetWriters.h"

#include "SheetFormat.h"

#include "ObjectErrors.h"
#include "RuntimeError.h"
#include "basMessage.h"
#include "basMain.h"
#include "clsMsSqlConnect.h"

namespace {

using platform::Recordset;
using platform::RuntimeError;

template <typename Object>
Object& require(const std::shared_ptr<Object>& object)  // throws RuntimeError
{
    if (!object)
        platform::throwObjectVariableNotSet();
    return *object;
}

// Header columns 1 to fieldCount - firstField, column c taking field c - 1 + firstField.
void writeHeader(Recordset& rs, platform::xl::Worksheet& sheet, qint16 firstField)  // throws RuntimeError
{
    const auto lastColumn = static_cast<qint16>(rs.fieldCount() - firstField);
    for (qint16 column = 1; column <= lastColumn; ++column)
        sheet.cells(1, column).setValue(rs.fieldName(column - 1 + firstField));
}

// One sheet row per record from row 2 until the end; returns the last data
// row, 1 when there was none.
template <typename WriteRow>
qint32 writeRecords(Recordset& rs, const WriteRow& writeRow)  // throws RuntimeError
{
    qint32 row = 2;
    while (!rs.eof()) {
        writeRow(row);
        rs.moveNext();
        ++row;
    }
    return row - 1;
}

}  // namespace

bool RsExcelPrintFieldsContentsType(clsMsSqlConnect& vobjCn, const XlWorksheet& robjXlSheet, StatusLine& status,
    const QHash<qint32, ObjectDetail>* details)
{
    try {
        Recordset& rs = require(vobjCn.Recordset());
        platform::xl::Worksheet& sheet = require(robjXlSheet);
        writeHeader(rs, sheet, 1);
        // The detailed index names each object's 論理名 beside it.
        const qint32 shift = details ? 1 : 0;
        if (details) {
            sheet.cells(1, 2).setValue(QStringLiteral("論理名"));
            for (qint32 column = 2; column <= 3; ++column)
                sheet.cells(1, column + 1).setValue(rs.fieldName(column));
        }
        const qint32 lastRow = writeRecords(rs, [&](qint32 row) {
            sheet.cells(row, 1).setValue(rs.value(1));
            if (details) {
                const auto found = details->constFind(rs.value(0).toInt32());
                if (found != details->cend())
                    sheet.cells(row, 2).setValue(SplitDescriptionText(found->description).logicalName);
            }
            for (qint32 column = 2; column <= 3; ++column)
                sheet.cells(row, column + shift).setValue(rs.value(column));
        });
        if (details)
            FormatDetailedContentsSheet(robjXlSheet, lastRow);
        else
            FormatFieldsContentsSheet(robjXlSheet, lastRow);
        return true;
    } catch (const RuntimeError& error) {
        status.ShowStatus(error.failureText());
        vobjCn.CloseRs();
        vobjCn.Disconnect();
        return false;
    }
}

bool RsExcelPrintFieldsType(clsMsSqlConnect& vobjCn, const XlWorksheet& robjXlSheet, StatusLine& status)
{
    try {
        Recordset& rs = require(vobjCn.Recordset());
        platform::xl::Worksheet& sheet = require(robjXlSheet);
        writeHeader(rs, sheet, 0);
        const qint32 lastRow = writeRecords(rs, [&](qint32 row) {
            for (qint32 column = 1; column <= 6; ++column)
                sheet.cells(row, column).setValue(rs.value(column - 1));
        });
        FormatFieldsSheet(robjXlSheet, lastRow);
        vobjCn.CloseRs();
        vobjCn.Disconnect();
        return true;
    } catch (const RuntimeError& error) {
        status.ShowStatus(error.failureText());
        vobjCn.CloseRs();
        vobjCn.Disconnect();
        return false;
    }
}

bool RsExcelPrintStoredType(qint16 /*vintType*/, const std::shared_ptr<platform::Recordset>& vobjRs, StatusLine& status,
    const QHash<qint32, QString>* descriptions)
{
    XlApplication app;
    XlWorkbook book;
    XlWorksheet sheet;
    try {
        OpenExcelBook(app, book, sheet);
        sheet->setName(msg::kIndexSheetName);
        Recordset& rs = require(vobjRs);
        writeHeader(rs, *sheet, 1);
        // The detailed index shows each routine's description before its comments.
        const qint32 shift = descriptions ? 1 : 0;
        if (descriptions) {
            sheet->cells(1, 2).setValue(QStringLiteral("説明"));
            for (qint32 column = 2; column <= 4; ++column)
                sheet->cells(1, column + 1).setValue(rs.fieldName(column));
        }
        qint32 lastRow = 1;
        while (!rs.eof()) {
            // One row per routine; a long source is stored in pieces on
            // consecutive records, and a comment may cross a cut.
            const qint32 row = ++lastRow;
            const platform::FieldValue id = rs.value(0);
            sheet->cells(row, 1).setValue(rs.value(1));
            if (descriptions)
                sheet->cells(row, 2).setValue(descriptions->value(id.toInt32()));
            sheet->cells(row, 3 + shift).setValue(rs.value(3));
            sheet->cells(row, 4 + shift).setValue(rs.value(4));
            QString source;
            for (; !rs.eof() && rs.value(0) == id; rs.moveNext()) {
                // An encrypted routine has no source text: its comment cell stays empty.
                if (!rs.value(2).isNull())
                    source += rs.value(2).toText();
            }
            sheet->cells(row, 2 + shift).setValue(GetRoutineComment(source));
        }
        if (descriptions)
            FormatDetailedStoredSheet(sheet, lastRow);
        else
            FormatStoredSheet(sheet, lastRow);
        ShowExcelBook(app, book, sheet);
        return true;
    } catch (const RuntimeError& error) {
        status.ShowStatus(error.failureText());
        // When the hand-over itself fails nothing is shown; the status line
        // then says why instead of the error ending the program.
        try {
            ShowExcelBook(app, book, sheet);
        } catch (const RuntimeError& showError) {
            status.ShowStatus(showError.failureText());
        }
        return false;
    }
}
