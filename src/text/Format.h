#pragma once

#include <string>

namespace kvitok {

// printf-style formatting into a std::string, for dictionary keys ("KBK_%d_%s") and similar
// texts of integers and strings. Floating-point conversions follow the process locale and
// are not meant to be used here.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace kvitok
