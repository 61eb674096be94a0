#include "DocumentPipeline.h"

#include "Connection.h"
#include "ConnectionSettings.h"
#include "IndexLinks.h"
#include "RuntimeError.h"
#include "SheetFormat.h"
#include "SheetWriters.h"
#include "basMain.h"
#include "basMessage.h"
#include "clsMsSqlConnect.h"

#include <memory>

using platform::RuntimeError;

namespace {

constexpr qint32 kQueryTimeOut = 3000;

}  // namespace

bool DocumentPipeline::CreateDocument(qint16 kind)
{
    if (!IsConnected()) {
        ShowStatus(msg::kNotConnected);
        return false;
    }
    // Every query connects and disconnects on its own; within the run a
    // disconnected login waits for the next query instead of logging off.
    const platform::PooledRun pooled;
    if (kind == 0 || kind == 1)
        return MakeFieldsBook(kind);
    return MakeStoredBook(kind);
}

bool DocumentPipeline::QueryObjectList(qint16 kind, clsMsSqlConnect& robjCn)
{
    if (!robjCn.Connect(gstrSvr, gstrDb, gstrUid, gstrPwd)) {
        ShowStatus(robjCn.Message());
        return false;
    }
    robjCn.setQueryTimeOut(kQueryTimeOut);
    if (!robjCn.ExecQuery(GetObjectListSql(kind))) {
        ShowStatus(robjCn.Message());
        robjCn.Disconnect();
        return false;
    }
    if (robjCn.Recordset()->eof()) {
        ShowStatus(msg::kNoData);
        robjCn.CloseRs();
        robjCn.Disconnect();
        return false;
    }
    return true;
}

bool DocumentPipeline::QueryColumnList(qint16 kind, qint32 id, clsMsSqlConnect& robjCn)
{
    if (!robjCn.Connect(gstrSvr, gstrDb, gstrUid, gstrPwd)) {
        ShowStatus(robjCn.Message());
        return false;
    }
    robjCn.setQueryTimeOut(kQueryTimeOut);
    robjCn.SetParam(0, platform::FieldValue(id));
    if (robjCn.ExecQuery(GetColumnListSql(kind)))
        return true;
    ShowStatus(robjCn.Message());
    robjCn.Disconnect();
    return false;
}

bool DocumentPipeline::MakeFieldsBook(qint16 kind)
{
    XlApplication xlApp;
    XlWorkbook xlBook;
    XlWorksheet xlSheet;
    std::unique_ptr<clsMsSqlConnect> objectList;
    std::vector<XlWorksheet> objectSheets;
    try {
        OpenExcelBook(xlApp, xlBook, xlSheet);
        xlSheet->setName(msg::kIndexSheetName);
        // Gone before any object's sheet, so that a table may be called Sheet1.
        deleteDefaultSheets(xlBook);
        objectList = std::make_unique<clsMsSqlConnect>();
        if (QueryObjectList(kind, *objectList) && RsExcelPrintFieldsContentsType(*objectList, xlSheet, status_)) {
            objectList->Recordset()->moveFirst();
            if (PrintObjectSheets(kind, *objectList, xlBook, objectSheets)) {
                objectList->CloseRs();
                objectList->Disconnect();
                objectList.reset();
                LinkIndexSheet(objectSheets, xlSheet);
                ShowExcelBook(xlApp, xlBook, xlSheet);
                return true;
            }
        }
        // The failing step has reported and closed what it opened.
        objectList.reset();
        ShowExcelBook(xlApp, xlBook, xlSheet);
        return false;
    } catch (const RuntimeError& error) {
        ShowStatus(error.failureText());
        // Shows whatever was written; a run whose application never started shows nothing.
        ShowExcelBook(xlApp, xlBook, xlSheet);
        return false;
    }
}

bool DocumentPipeline::PrintObjectSheets(qint16 kind, clsMsSqlConnect& robjCn, const XlWorkbook& robjXlBook,
    std::vector<XlWorksheet>& robjObjectSheets)
{
    try {
        const auto total = static_cast<qint32>(robjCn.Recordset()->rowCount());
        for (qint32 done = 0;; ++done) {
            const std::shared_ptr<platform::Recordset> objects = robjCn.Recordset();
            if (objects->eof())
                return true;
            const qint32 id = objects->value(0).toInt32();
            const QString objectName = objects->value(1).toText();
            status_.showProgress(done, total, objectName);

            auto columnList = std::make_unique<clsMsSqlConnect>();
            if (!QueryColumnList(kind, id, *columnList)) {
                columnList.reset();
                robjCn.CloseRs();
                robjCn.Disconnect();
                return false;
            }
            auto sheets = robjXlBook->worksheets();
            XlWorksheet xlSheet = sheets.add(sheets.item(sheets.count()));
            // A name no sheet may carry, or one already taken, gives a name derived from it.
            xlSheet->setName(robjXlBook->sheetNameFor(objectName, xlSheet.get()));
            const bool written = RsExcelPrintFieldsType(*columnList, xlSheet, status_);
            columnList.reset();
            if (!written) {
                robjCn.CloseRs();
                robjCn.Disconnect();
                return false;
            }
            printObjectName(xlSheet, objectName);
            robjObjectSheets.push_back(xlSheet);
            objects->moveNext();
        }
    } catch (const RuntimeError& error) {
        ShowStatus(error.failureText());
        return false;
    }
}

bool DocumentPipeline::MakeStoredBook(qint16 kind)
{
    // The routine list needs the same steps as the object list of a table
    // document; only the writer opens the workbook, once there are rows.
    clsMsSqlConnect connection;
    if (!QueryObjectList(kind, connection))
        return false;
    const bool written = RsExcelPrintStoredType(kind, connection.Recordset(), status_);
    connection.CloseRs();
    connection.Disconnect();
    return written;
}
