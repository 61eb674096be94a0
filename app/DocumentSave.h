#pragma once

#include "DocumentOptions.h"
#include "StatusLine.h"

#include <QString>

#include <optional>

class QWidget;

// A document written to a file the user chooses instead of handed over
// untitled: the .xlsx goes straight to disk, without the spreadsheet
// application's own, slow save of a large book.
struct DocumentFile {
    QString path;  // absolute
    bool replace;  // the user agreed to replace the file there
};

// Asks where to save the kind's document, starting in the folder chosen
// last; nothing when the user cancels. The folder is remembered at once.
std::optional<DocumentFile> chooseDocumentFile(QWidget* parent, qint16 kind);

// Makes the kind's document, writes it to the file as tablinor-export does
// and opens that file in the spreadsheet application. False when the
// document could not be made; the status line then tells why.
bool saveDocument(StatusLine& status, qint16 kind, const DocumentOptions& options,
    const DocumentFile& file);  // throws RuntimeError
