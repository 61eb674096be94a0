#pragma once

#include <QString>

namespace platform {

// The library the driver manager loads for a driver registered under this
// name, as its "Driver64" or "Driver" attribute names it (the 64-bit one
// first, as the driver manager reads them); empty when no driver has the name.
// A library once found is remembered for the process: reading the list costs
// the driver manager a parse of its configuration, and every login asks.
QString driverLibrary(const QString& driverName);  // throws RuntimeError

// Whether the driver library takes a braced connection-string value exactly
// as written, up to the first "};" (FreeTDS 1.3), rather than reading "}}"
// inside it as one "}" as the ODBC syntax has it.
bool takesBracedValuesAsWritten(const QString& library);

}  // namespace platform
