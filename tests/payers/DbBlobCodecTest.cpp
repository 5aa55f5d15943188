#include "payers/DbBlobCodec.h"
#include "payers/DbException.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace kvitok {
namespace {

std::vector<unsigned char> RoundTrip(const std::vector<unsigned char>& binary,
                                     std::string* textOut = nullptr) {
    DbBlobCodec encoder;
    encoder.setBytes(binary.data(), static_cast<int>(binary.size()));
    const std::string text = encoder.text();
    if (textOut) {
        *textOut = text;
    }
    EXPECT_EQ(text.find('\''), std::string::npos);
    // Never longer than the room reserve() promises for the text and its terminator.
    EXPECT_LE(text.size() + 1, binary.size() * 257 / 254 + 3);

    DbBlobCodec decoder;
    decoder.setText(text.c_str());
    const int count = decoder.byteCount();
    const unsigned char* bytes = decoder.bytes();
    return {bytes, bytes + count};
}

TEST(DbBlobCodec, EmptyBinaryIsTheTextX) {
    DbBlobCodec codec;
    codec.setBytes(nullptr, 0);
    EXPECT_STREQ(codec.text(), "x");
    EXPECT_EQ(codec.byteCount(), 0);
    EXPECT_STREQ(DbBlobCodec().text(), "x");
}

TEST(DbBlobCodec, KnownTexts) {
    struct Case {
        std::vector<unsigned char> binary;
        std::string text;
    };
    // Offset 1 is taken unless bytes 1, 2 or 40 occur; then the first free offset upward.
    const std::vector<Case> cases = {
        {{0, 5, 255}, std::string("\x01\xff\x04\xfe", 4)},
        {{1, 2, 40}, std::string("\x03\xfe\xff\x25", 4)},
        // With every byte value present no offset is free: the fewest escapes win (offset 1).
        {[] {
             std::vector<unsigned char> all(256);
             for (int i = 0; i < 256; ++i) {
                 all[i] = static_cast<unsigned char>(i);
             }
             return all;
         }(),
         ""},
    };
    for (const Case& c : cases) {
        DbBlobCodec codec;
        codec.setBytes(c.binary.data(), static_cast<int>(c.binary.size()));
        const std::string text = codec.text();
        if (!c.text.empty()) {
            EXPECT_EQ(text, c.text);
        } else {
            EXPECT_EQ(static_cast<unsigned char>(text[0]), 1);
            EXPECT_EQ(text.size(), 1 + 256 + 3u);
        }
        // Decoding in place gives the same bytes back, and encoding again the same text.
        EXPECT_EQ(codec.byteCount(), static_cast<int>(c.binary.size()));
        EXPECT_EQ(std::memcmp(codec.bytes(), c.binary.data(), c.binary.size()), 0);
        EXPECT_EQ(codec.text(), text);
    }
}

TEST(DbBlobCodec, RandomBinariesRoundTrip) {
    std::mt19937 random(20240501);
    for (int round = 0; round < 300; ++round) {
        const int length = round < 100 ? round : static_cast<int>(random() % 5000);
        std::vector<unsigned char> binary(static_cast<std::size_t>(length));
        // Some rounds draw from few values, so that no offset is free of escapes.
        const unsigned spread = round % 3 == 0 ? 4 : 256;
        const unsigned base = random() % 256;
        for (auto& b : binary) {
            b = static_cast<unsigned char>(base + random() % spread);
        }
        std::string text;
        EXPECT_EQ(RoundTrip(binary, &text), binary) << "round " << round;
        EXPECT_EQ(std::strlen(text.c_str()), text.size());
    }
}

TEST(DbBlobCodec, UndecodableTextThrowsAndStaysText) {
    for (const char* text : {"\x05\x01\x04", "\x05\x01", "\x05\x61\x01\x07\x61"}) {
        DbBlobCodec codec;
        codec.setText(text);
        try {
            codec.bytes();
            ADD_FAILURE() << "decoded " << text;
        } catch (const DbException& e) {
            EXPECT_EQ(e.message(), "DBLAYER_ERROR[1000]: Cannot decode binary");
        }
        EXPECT_STREQ(codec.text(), text);
    }
}

TEST(DbBlobCodec, EmptyTextDecodesToNothing) {
    DbBlobCodec codec;
    codec.setText("");
    EXPECT_EQ(codec.byteCount(), 0);
    EXPECT_STREQ(codec.text(), "x");
}

TEST(DbBlobCodec, ReleaseAndMove) {
    const unsigned char data[] = {9, 8, 7};
    DbBlobCodec codec;
    codec.setBytes(data, 3);
    DbBlobCodec moved = std::move(codec);
    EXPECT_EQ(moved.byteCount(), 3);
    EXPECT_EQ(codec.byteCount(), 0); // NOLINT: moved-from on purpose
    moved.release();
    EXPECT_EQ(moved.byteCount(), 0);
    EXPECT_EQ(moved.bytes(), nullptr);
}

} // namespace
} // namespace kvitok
