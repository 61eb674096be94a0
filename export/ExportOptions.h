#pragma once

#include "DocumentOptions.h"

#include <QString>
#include <QStringList>

// The command line of tablinor-export. The password is never one of its
// options: every local user can read a process's arguments.
struct ExportOptions {
    enum class Request { Run, Help, Version };

    Request request = Request::Run;
    QString server;
    QString database;
    QString user;
    qint16 kind = -1;  // the document kind, as the main window's buttons number them
    QString output;
    bool force = false;          // replace an existing output file
    bool passwordStdin = false;  // the password is the first line of standard input
    DocumentOptions document;    // --detailed and --description-property
};

// The options from the arguments after the program name: long options only,
// each value as the next argument or after "=". Returns the message for the
// user when they are not usable, else an empty text.
QString parseExportOptions(const QStringList& arguments, ExportOptions& options);

QString exportHelpText();
QString exportVersionText();

// The manual page tablinor-export(1) in roff, from the same texts as the help.
QString exportManualPage();
