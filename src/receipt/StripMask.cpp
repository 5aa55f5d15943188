#include "StripMask.h"

namespace kvitok {

std::string StripMask(std::string_view value, std::string_view mask, char placeholder) {
    std::string result;
    result.reserve(value.size());
    for (char c : value) {
        if (c == placeholder || mask.find(c) == std::string_view::npos) {
            result.push_back(c);
        }
    }
    return result;
}

} // namespace kvitok
