#pragma once

// Internal to the platform library: how much of a text one SQLGetData call
// delivered, judged as the drivers in use actually answer.

#include "OdbcHandle.h"

#include <span>

namespace platform {

struct TextPiece {
    qsizetype length = 0;  // characters of the buffer that belong to the value
    bool more = false;     // the value goes on in the next call
};

// `buffer` has room for at least one character and the terminator; past
// what the call wrote it ends with the driver's terminator, or it was
// cleared before the call.
TextPiece textPiece(SQLRETURN ret, SQLLEN indicator, std::span<const SQLWCHAR> buffer);

}  // namespace platform
