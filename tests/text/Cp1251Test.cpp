#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

namespace kvitok {
namespace {

// UTF-8 of every byte 0x80..0xFF as the published windows-1251 table gives it (0x98 -> U+007F).
// clang-format off
constexpr std::array<const char*, 128> kHighBytesUtf8 = {
    "Ђ", "Ѓ", "‚", "ѓ", "„", "…", "†", "‡", "€", "‰", "Љ", "‹", "Њ", "Ќ", "Ћ", "Џ", //
    "ђ", "‘", "’", "“", "”", "•", "–", "—", "\x7f", "™", "љ", "›", "њ", "ќ", "ћ", "џ", //
    "\u00a0", "Ў", "ў", "Ј", "¤", "Ґ", "¦", "§", "Ё", "©", "Є", "«", "¬", "\u00ad", "®", "Ї", //
    "°", "±", "І", "і", "ґ", "µ", "¶", "·", "ё", "№", "є", "»", "ј", "Ѕ", "ѕ", "ї", //
    "А", "Б", "В", "Г", "Д", "Е", "Ж", "З", "И", "Й", "К", "Л", "М", "Н", "О", "П", //
    "Р", "С", "Т", "У", "Ф", "Х", "Ц", "Ч", "Ш", "Щ", "Ъ", "Ы", "Ь", "Э", "Ю", "Я", //
    "а", "б", "в", "г", "д", "е", "ж", "з", "и", "й", "к", "л", "м", "н", "о", "п", //
    "р", "с", "т", "у", "ф", "х", "ц", "ч", "ш", "щ", "ъ", "ы", "ь", "э", "ю", "я", //
};
// clang-format on

TEST(Cp1251ToUtf8, EveryHighByteFollowsThePublishedTable) {
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        const std::string source(1, static_cast<char>(b));
        EXPECT_EQ(Cp1251ToUtf8(source), kHighBytesUtf8[b - 0x80]) << "byte " << std::hex << b;

        char buffer[4] = {};
        ASSERT_TRUE(Cp1251ToUtf8(source.c_str(), buffer));
        EXPECT_STREQ(buffer, kHighBytesUtf8[b - 0x80]);
    }
}

TEST(Cp1251ToUtf8, AsciiPassesThroughAndBufferFormIsTerminated) {
    char buffer[64];
    ASSERT_TRUE(Cp1251ToUtf8("ST00012|Sum=100", buffer));
    EXPECT_STREQ(buffer, "ST00012|Sum=100");
    ASSERT_TRUE(Cp1251ToUtf8("", buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(Cp1251ToUtf8("x", nullptr));
}

TEST(Utf8ToCp1251, RoundTripsEveryRepresentableByte) {
    for (unsigned b = 1; b <= 0xFF; ++b) {
        if (b == 0x98) {
            continue; // no character of its own: it reads back as 0x7F
        }
        const std::string source(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(source)), source) << "byte " << std::hex << b;
    }
}

TEST(Utf8ToCp1251, RefusesWhatTheCodePageCannotHold) {
    const char* refused[] = {
        "Ω",                   // Greek: no windows-1251 byte
        "ok \xF0\x9F\x98\x80", // emoji outside the BMP
        "\xD0",                // truncated sequence
        "\xC0\xAF",            // overlong form
        "\xED\xA0\x80",        // surrogate
        "\xFF",                // not a lead byte
    };
    for (const char* text : refused) {
        EXPECT_FALSE(Utf8ToCp1251(text).has_value()) << text;
    }
}

// A path in a message reads whatever it holds: Cyrillic as it is, a European name's letters as
// their base letters (the ends of the table included), anything else as one question mark each.
TEST(Utf8ToCp1251Readable, KeepsWhatItCanAndWritesTheRestNearest) {
    const std::pair<const char*, std::string> cases[] = {
        {"C:\\Users\\Иван\\Квитанции", std::string("C:\\Users\\Иван\\Квитанции"_cp)},
        {"José Łódź Ærø ÀſŽ", "Jose Lodz Aro AsZ"},
        {"Ω 日本 \xF0\x9F\x98\x80 ÷", "? ?? ? ?"},
        {"a\xD0-\xFF", "a?-?"},
    };
    for (const auto& [utf8, expected] : cases) {
        EXPECT_EQ(Utf8ToCp1251Readable(utf8), expected) << utf8;
    }
}

TEST(Cp1251Literal, ConvertsAtCompileTime) {
    constexpr std::string_view text = "Ёж №5"_cp;
    static_assert(text.size() == 5);
    EXPECT_EQ(std::string(text), "\xA8\xE6\x20\xB9\x35");
    EXPECT_EQ(""_cp.size(), 0u);
}

} // namespace
} // namespace kvitok
