#pragma once

#include "base/Result.h"

#include <string>

namespace kvitok {

// How the platform services word a failure of the system. Both sides speak the C runtime's error
// numbers (errno) inside, so that a reason reads the same on either platform.

// The reason for an error number, in windows-1251.
std::string SystemReason(int error);

// Success for 0, else the failure with the reason for the error number.
inline Result<> SystemResult(int error) {
    if (error == 0) {
        return {};
    }
    return Failure {SystemReason(error)};
}

} // namespace kvitok
