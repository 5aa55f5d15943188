#include "SystemError.h"

#include "text/Cp1251.h"
#include "text/Format.h"

#include <cstring>

namespace kvitok {

// strerror speaks the locale's encoding (UTF-8 or ASCII here); the program's texts are
// windows-1251, and a reason that cannot be converted is given by its number.
std::string SystemReason(int error) {
    if (auto text = Utf8ToCp1251(std::strerror(error))) {
        return *text;
    }
    return FormatText("errno %d", error);
}

} // namespace kvitok
