#include "text/Utf16.h"
#include "text/Cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace kvitok {
namespace {

// UTF-16 must agree with UTF-8 for every byte, both ways, so that both windows show the same text.
TEST(Utf16, EveryByteRoundTripsAndAgreesWithUtf8) {
    for (unsigned b = 1; b <= 0xFF; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::u16string wide = Cp1251ToUtf16(byte);
        ASSERT_EQ(wide.size(), 1u);
        const std::string utf8 = Cp1251ToUtf8(byte);
        EXPECT_EQ(Utf8ToCp1251(utf8), Utf16ToCp1251(wide)) << b;
        if (b != 0x98) { // its stand-in U+007F reads back as 0x7F
            EXPECT_EQ(Utf16ToCp1251(wide), byte) << b;
        }
    }
}

TEST(Utf16, RefusesWhatTheCodePageCannotHold) {
    EXPECT_EQ(Utf16ToCp1251(u"Иванов №1"), std::string("\xC8\xE2\xE0\xED\xEE\xE2 \xB9"
                                                       "1"));
    for (const std::u16string& text : {std::u16string(u"\u00E9"), std::u16string(u"a\u4E2D"),
                                       std::u16string(u"\U0001F600"), std::u16string(1, u'\xD800')}) {
        EXPECT_FALSE(Utf16ToCp1251(text).has_value());
    }
}

} // namespace
} // namespace kvitok
