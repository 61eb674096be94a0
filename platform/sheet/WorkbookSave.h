#pragma once

#include <QString>

namespace platform::xl {

class Workbook;

// Writes the workbook to `path` as .xlsx: first to a temporary file beside it,
// moved into place only when complete, so that the name never holds a partial
// file and a failed write leaves nothing behind. Without `replace` an existing
// file stays as it is and the write fails. The file gets the usual permissions
// of a new file, not the temporary file's owner-only ones.
void saveWorkbook(const Workbook& book, const QString& path, bool replace);  // throws RuntimeError

}  // namespace platform::xl
