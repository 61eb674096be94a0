#pragma once

#include <QString>

#include <optional>

// The password of the logon, from the first line of standard input when
// fromStdin is set; else from the environment variable TABLINOR_PASSWORD,
// for unattended runs; else asked for on the terminal, without echo.
// Nothing when none of them can give one.
std::optional<QString> readPassword(bool fromStdin);
