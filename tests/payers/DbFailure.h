#pragma once

#include "payers/DbException.h"

#include <functional>
#include <string>

namespace kvitok::testing {

// Runs the action and returns the message of the DbException it throws ("" when none).
inline std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DbException& e) {
        return e.message();
    }
    return "";
}

// Runs the action and returns the code of the DbException it throws (-12345 when none).
inline int CodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DbException& e) {
        return e.code();
    }
    return -12345;
}

} // namespace kvitok::testing
