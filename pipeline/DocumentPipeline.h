#pragma once

#include "DocumentOptions.h"
#include "ExcelBook.h"
#include "ObjectDetails.h"
#include "StatusLine.h"

#include <QHash>

#include <optional>
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
    // The details of every object of the kind when the detailed form is
    // chosen; on failure the object list is closed and disconnected.
    bool readDetails(qint16 kind, clsMsSqlConnect& robjCn, std::optional<QHash<qint32, ObjectDetail>>& details);  // throws RuntimeError
    // Adds each object's sheet to robjObjectSheets, in the object list's
    // order: its column list, or its detailed sheet when details are given.
    bool PrintObjectSheets(qint16 kind, clsMsSqlConnect& robjCn, const XlWorkbook& robjXlBook,
        std::vector<XlWorksheet>& robjObjectSheets, const QHash<qint32, ObjectDetail>* details);
    // Each detail query on a connection of its own, its failure in the status line.
    CatalogQuery catalogQuery();
    bool MakeStoredBook(qint16 kind);
    bool QueryObjectList(qint16 kind, clsMsSqlConnect& robjCn);      // throws RuntimeError from Disconnect/CloseRs
    bool QueryColumnList(qint16 kind, qint32 id, clsMsSqlConnect& robjCn);  // throws RuntimeError from Disconnect
    void ShowStatus(const QString& text) { status_.ShowStatus(text); }

    StatusLine& status_;
    DocumentOptions options_;
};
