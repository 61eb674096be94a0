#pragma once

namespace platform {

// Errors of objects used in the wrong state or with a bad index, with the
// numbers and texts users of the original automation libraries know.
[[noreturn]] void throwObjectClosed();          // throws RuntimeError
[[noreturn]] void throwObjectOpen();            // throws RuntimeError
[[noreturn]] void throwConnectionUnusable();    // throws RuntimeError
[[noreturn]] void throwItemNotFound();          // throws RuntimeError
[[noreturn]] void throwObjectVariableNotSet();  // throws RuntimeError
[[noreturn]] void throwSubscriptOutOfRange();   // throws RuntimeError
[[noreturn]] void throwOverflow();              // throws RuntimeError

}  // namespace platform
