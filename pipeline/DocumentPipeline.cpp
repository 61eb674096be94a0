#include "DocumentPipeline.h"

#include "Connection.h"
#include "ConnectionSettings.h"
#include "DetailSheet.h"
#include "IndexLinks.h"
#include "RuntimeError.h"
#include "SheetFormat.h"
#include "SheetWriters.h"
#include "basMain.h"
#include "basMessage.h"
#include "clsMsSqlConnect.h"

#include <memory>
#include <optional>

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

CatalogQuery DocumentPipeline::catalogQuery()
{
    return [this](const QString& sql, const std::vector<platform::FieldValue>& parameters)
               -> std::shared_ptr<platform::Recordset> {
        clsMsSqlConnect connection;
        if (!connection.Connect(gstrSvr, gstrDb, gstrUid, gstrPwd)) {
            ShowStatus(connection.Message());
            return nullptr;
        }
        connection.setQueryTimeOut(kQueryTimeOut);
        for (std::size_t i = 0; i < parameters.size(); ++i)
            connection.SetParam(static_cast<qint16>(i), parameters[i]);
        const bool ran = connection.ExecQuery(sql);
        if (!ran)
            ShowStatus(connection.Message());
        // The rows were all read when the query ran; they outlive the connection.
        std::shared_ptr<platform::Recordset> rows = ran ? connection.Recordset() : nullptr;
        connection.Disconnect();
        return rows;
    };
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
        std::optional<QHash<qint32, ObjectDetail>> details;
        if (QueryObjectList(kind, *objectList) && readDetails(kind, *objectList, details)
            && RsExcelPrintFieldsContentsType(*objectList, xlSheet, status_, details ? &*details : nullptr)) {
            objectList->Recordset()->moveFirst();
            if (PrintObjectSheets(kind, *objectList, xlBook, objectSheets, details ? &*details : nullptr)) {
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

bool DocumentPipeline::readDetails(qint16 kind, clsMsSqlConnect& robjCn,
    std::optional<QHash<qint32, ObjectDetail>>& details)
{
    if (!options_.detailed)
        return true;
    details = ReadObjectDetails(kind, options_.descriptionProperty, catalogQuery());
    if (details)
        return true;
    robjCn.CloseRs();
    robjCn.Disconnect();
    return false;
}

bool DocumentPipeline::PrintObjectSheets(qint16 kind, clsMsSqlConnect& robjCn, const XlWorkbook& robjXlBook,
    std::vector<XlWorksheet>& robjObjectSheets, const QHash<qint32, ObjectDetail>* details)
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

            // The detailed form has every object's details at hand already.
            std::unique_ptr<clsMsSqlConnect> columnList;
            if (!details) {
                columnList = std::make_unique<clsMsSqlConnect>();
                if (!QueryColumnList(kind, id, *columnList)) {
                    columnList.reset();
                    robjCn.CloseRs();
                    robjCn.Disconnect();
                    return false;
                }
            }
            auto sheets = robjXlBook->worksheets();
            XlWorksheet xlSheet = sheets.add(sheets.item(sheets.count()));
            // A name no sheet may carry, or one already taken, gives a name derived from it.
            xlSheet->setName(robjXlBook->sheetNameFor(objectName, xlSheet.get()));
            if (details) {
                // An object made after the detail queries ran still gets its sheet, with its name.
                const auto found = details->constFind(id);
                PrintDetailSheet(xlSheet, found != details->cend() ? *found : ObjectDetail{{}, objectName});
            } else {
                const bool written = RsExcelPrintFieldsType(*columnList, xlSheet, status_);
                columnList.reset();
                if (!written) {
                    robjCn.CloseRs();
                    robjCn.Disconnect();
                    return false;
                }
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
    std::optional<QHash<qint32, QString>> descriptions;
    if (options_.detailed) {
        descriptions = ReadObjectDescriptions(kind, options_.descriptionProperty, catalogQuery());
        if (!descriptions) {
            connection.CloseRs();
            connection.Disconnect();
            return false;
        }
    }
    const bool written = RsExcelPrintStoredType(kind, connection.Recordset(), status_,
        descriptions ? &*descriptions : nullptr);
    connection.CloseRs();
    connection.Disconnect();
    return written;
}
