#pragma once

#include <string>
#include <string_view>

namespace kvitok {

// The value without the separators of its input mask: every character that occurs in mask,
// except the placeholder, is deleted; placeholder characters in the value stay.
// StripMask("123-456-789 01", "___-___-___ __", '_') == "12345678901".
std::string StripMask(std::string_view value, std::string_view mask, char placeholder);

} // namespace kvitok
