#pragma once

#include "DocumentOptions.h"
#include "ExcelBook.h"
#include "StatusLine.h"

#include <utility>
#include <vector>

class clsMsSqlConnect;

// The document pipelines: from a document kind to queries and a finished
// workbook, every outcome reported through the status line. The main window
// runs them for its buttons; tablinor-export runs them without a desktop.
// Each query connects with the settings of ConnectionSettings.h.
class DocumentPipeline {
public:
    explicit DocumentPipeline(StatusLine& status, DocumentOptions options = {})
        : status_(status), options_(std::move(options))
    {
    }

    // True when the kind's workbook was completed and shown; otherwise the
    // status line tells why.
    bool CreateDocument(qint16 kind);

private:
    bool MakeFieldsBook(qint16 kind);
    // Adds each object's sheet to robjObjectSheets, in the object list's order.
    bool PrintObjectSheets(qint16 kind, clsMsSqlConnect& robjCn, const XlWorkbook& robjXlBook,
        std::vector<XlWorksheet>& robjObjectSheets);
    bool MakeStoredBook(qint16 kind);
    bool QueryObjectList(qint16 kind, clsMsSqlConnect& robjCn);      // throws RuntimeError from Disconnect/CloseRs
    bool QueryColumnList(qint16 kind, qint32 id, clsMsSqlConnect& robjCn);  // throws RuntimeError from Disconnect
    void ShowStatus(const QString& text) { status_.ShowStatus(text); }

    StatusLine& status_;
    DocumentOptions options_;
};
