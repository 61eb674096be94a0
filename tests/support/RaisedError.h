#pragma once

#include "RuntimeError.h"

#include <gtest/gtest.h>

#include <functional>

// The error a call raises; number 0 when it raises none. Every raised error
// must say what went wrong.
inline platform::RuntimeError raisedError(const std::function<void()>& call)
{
    try {
        call();
    } catch (const platform::RuntimeError& error) {
        EXPECT_FALSE(error.description().isEmpty()) << "error " << error.number() << " has no description";
        return error;
    }
    return platform::RuntimeError(0, {});
}

inline qint32 errorOf(const std::function<void()>& call)
{
    return raisedError(call).number();
}
