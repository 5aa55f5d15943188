// Code page 1251 and UTF-8: where a conversion succeeds, converting back gives the text again.
#include "FuzzSupport.h"
#include "text/Cp1251.h"

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Any bytes are a windows-1251 text. Only 0x98, which has no character in the code page and
    // is read as U+007F, comes back as 0x7F.
    const std::string utf8 = kvitok::Cp1251ToUtf8(text);
    const std::optional<std::string> back = kvitok::Utf8ToCp1251(utf8);
    std::string expected = text;
    std::replace(expected.begin(), expected.end(), '\x98', '\x7f');
    FUZZ_CHECK(back && *back == expected);

    // The form for terminated texts stops at the first zero byte and agrees up to there.
    std::vector<char> buffer(3 * size + 1, 'x');
    FUZZ_CHECK(kvitok::Cp1251ToUtf8(text.c_str(), buffer.data()));
    FUZZ_CHECK(std::string(buffer.data()) == kvitok::Cp1251ToUtf8(std::string_view(text.c_str())));

    // UTF-8 that converts at all converts back to itself.
    if (const std::optional<std::string> cp1251 = kvitok::Utf8ToCp1251(text)) {
        FUZZ_CHECK(kvitok::Cp1251ToUtf8(*cp1251) == text);
    }
    return 0;
}
