#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform::xl {

// How the spreadsheet application is started: a program, and the arguments
// that come before the document's own (a Flatpak is run through flatpak).
struct SpreadsheetProgram {
    QString program;
    QStringList leadingArguments;
};

// LibreOffice as distributions and stores install it: `soffice`, else
// `libreoffice` on PATH (Debian's packages, the Snap's /snap/bin), else the
// Flatpak. Nothing when none is installed.
std::optional<SpreadsheetProgram> findSpreadsheetProgram();

}  // namespace platform::xl
