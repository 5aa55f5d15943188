#pragma once

#include "base/Result.h"

#include <string>

namespace kvitok::testing {

// The reason of a failed result, "" for one that succeeded, so that a test compares both in one.
template <typename T>
std::string ReasonOf(const Result<T>& result) {
    return result ? std::string() : result.Reason();
}

} // namespace kvitok::testing
