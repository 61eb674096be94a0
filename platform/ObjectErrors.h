#pragma once

namespace platform {

// Errors of the database objects (connection, command, result set) used in
// the wrong state, with the numbers and texts users of the original driver
// library know.
[[noreturn]] void throwObjectClosed();        // throws RuntimeError
[[noreturn]] void throwObjectOpen();          // throws RuntimeError
[[noreturn]] void throwConnectionUnusable();  // throws RuntimeError
[[noreturn]] void throwItemNotFound();        // throws RuntimeError

}  // namespace platform
