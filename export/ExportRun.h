#pragma once

#include <QStringList>

// tablinor-export from its arguments (without the program name) to its exit
// status: 0 when the document was written to the output file, 1 when it
// could not be made or written, 2 when the options or the password are not
// usable. Messages and progress go to standard error, help and version to
// standard output.
int runExport(const QStringList& arguments);
