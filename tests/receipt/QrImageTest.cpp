#include "QrDecode.h"

#include "receipt/Base64Encoder.h"
#include "receipt/EncodeQrPng.h"
#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <string>

namespace kvitok {
namespace {

TEST(Base64Encoder, PadsShortGroupsAndEncodesZeroBytes) {
    struct Case {
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {std::string("\0", 1), "AA=="},
        {std::string("\0\0\0", 3), "AAAA"},
        {std::string("a\0b\xff\xfe", 5), "YQBi//4="},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Base64Encoder().Encode(c.input), c.expected) << c.input.size();
    }
}

TEST(EncodeQrPng, WritesAnRgbImageOfOnePixelPerModule) {
    std::string png;
    ASSERT_TRUE(EncodeQrPng("ST00012|Name=Test|Sum=100", png));
    const PngPicture picture = ReadPng(png);
    ASSERT_TRUE(picture.valid);
    EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
    EXPECT_EQ(picture.ihdrBitDepth, 8);
    EXPECT_EQ(picture.ihdrColourType, 2);
    EXPECT_EQ(picture.width, picture.height);
    EXPECT_EQ((picture.width - 17) % 4, 0u);
    // Only the signature, header, data and end chunks: nothing ancillary.
    EXPECT_EQ(picture.chunks, (std::vector<std::string> {"IHDR", "IDAT", "IEND"}));
    bool onlyBlackAndWhite = true;
    for (std::size_t i = 0; i < picture.rgb.size(); i += 3) {
        const unsigned char r = picture.rgb[i];
        onlyBlackAndWhite &= (r == 0 || r == 255) && picture.rgb[i + 1] == r && picture.rgb[i + 2] == r;
    }
    EXPECT_TRUE(onlyBlackAndWhite);
    EXPECT_EQ(picture.rgb[0], 0); // the finder pattern's corner
}

TEST(EncodeQrPng, DecodesToTheUtf8PayloadByteForByte) {
    if (!HaveQrDecoder()) {
        GTEST_SKIP() << "no QR decoder here (zbar is Linux-only)";
    }
    const std::string payload =
        std::string("ST00012|Name=УФК по г. Москве (ГУ - Главное Управление ПФР № 10 по г. Москве и "
                    "Московской области)|PersonalAcc=40101810800000010041|BankName=Отделение 1 Москва|"
                    "BIC=044583001|CorrespAcc=0|PayeeINN=7703363868|PayerINN=771234567890|DrawerStatus=09|"
                    "KPP=770301001|CBC=39210202140061100160|OKTMO=45382000|PensAcc=087654321098|"
                    "LastName=Ёлкин|FirstName=Пётр|MiddleName=Ильич|PayerAddress=127015, г. Москва, "
                    "ул. Бутырская, д. 46, кв. 12 «Ъ» — №5|ServiceName=61000312|Sum=1935648"_cp);
    std::string png;
    ASSERT_TRUE(EncodeQrPng(payload, png));
    const auto decoded = DecodeQrPng(png);
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_EQ(decoded[0], Cp1251ToUtf8(payload));
}

// The code carries the payload it is given, to its last byte, or there is no code at all.
TEST(EncodeQrPng, NeverCarriesAPartOfThePayload) {
    if (!HaveQrDecoder()) {
        GTEST_SKIP() << "no QR decoder here (zbar is Linux-only)";
    }
    const std::string line = "ST00012|LastName=Ivanov|MiddleName=Ivan|PayerAddress=Olmgrad|Sum=150005";
    std::string png;
    ASSERT_TRUE(EncodeQrPng(std::string_view(line).substr(0, line.find("|Sum")), png)); // no terminator
    EXPECT_EQ(DecodeQrPng(png), std::vector<std::string> {line.substr(0, line.find("|Sum"))});

    std::string cut = line;
    cut[cut.find("|PayerAddress")] = '\0'; // a measuring encoder would stop after MiddleName
    png = "unchanged";
    EXPECT_FALSE(EncodeQrPng(cut, png));
    EXPECT_EQ(png, "unchanged");
}

TEST(EncodeQrPng, RefusesWhatNoSymbolCanHold) {
    // Version 40 at level H holds 1273 bytes: one more Cyrillic byte pair does not fit.
    std::string fits = "ST00012|";
    while (fits.size() < 1273) {
        fits += 'x';
    }
    std::string png = "unchanged";
    EXPECT_TRUE(EncodeQrPng(fits, png));
    EXPECT_EQ(ReadPng(png).width, 177u);

    std::string tooLong = "ST00012|";
    while (Cp1251ToUtf8(tooLong).size() < 1274) {
        tooLong += "я"_cp;
    }
    png = "unchanged";
    EXPECT_FALSE(EncodeQrPng(tooLong, png));
    EXPECT_EQ(png, "unchanged");
}

} // namespace
} // namespace kvitok
