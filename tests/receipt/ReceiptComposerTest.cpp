#include "QrDecode.h"
#include "TypicalReceipt.h"

#include "receipt/Base64Encoder.h"
#include "receipt/ReceiptComposer.h"
#include "receipt/StripMask.h"
#include "refdata/ReferenceDictionary.h"
#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace kvitok {
namespace {

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) {
        ++n;
    }
    return n;
}

// The payload that the page's QR code carries, as windows-1251 fields by key.
std::map<std::string, std::string> PayloadFields(const std::string& page) {
    const auto decoded = DecodeQrPng(PageImage(page));
    std::map<std::string, std::string> fields;
    if (decoded.size() != 1) {
        return fields;
    }
    const std::string payload = *Utf8ToCp1251(decoded[0]);
    std::size_t from = payload.find('|') + 1;
    fields["header"] = payload.substr(0, from - 1);
    while (from != 0) {
        const std::size_t to = payload.find('|', from);
        const std::string field =
            payload.substr(from, to == std::string::npos ? std::string::npos : to - from);
        const std::size_t eq = field.find('=');
        fields[field.substr(0, eq)] = field.substr(eq + 1);
        from = to == std::string::npos ? 0 : to + 1;
    }
    return fields;
}

class ReceiptComposerTest : public ::testing::Test {
protected:
    // The page; a QR code that could not be made is recorded with its reason.
    std::string Compose(const ReceiptInput& input, std::string code = {}, std::string name = {},
                        std::string rub = {}, std::string kop = {}) {
        ComposedPage page = ReceiptComposer(m_dictionary).Compose(input, code, name, rub, kop);
        if (!page.qrCode) {
            m_qrFailures.push_back(page.qrCode.Reason());
        }
        return std::move(page.html);
    }

    ReferenceDictionary m_dictionary;
    std::vector<std::string> m_qrFailures;
};

TEST_F(ReceiptComposerTest, TypicalPageCarriesEveryValueInPageAndCode) {
    if (!HaveQrDecoder()) {
        GTEST_SKIP() << "no QR decoder here (zbar is Linux-only)";
    }
    const std::string page = Compose(TypicalReceiptInput());
    EXPECT_TRUE(m_qrFailures.empty());
    EXPECT_EQ(page.find('@'), std::string::npos) << "a placeholder was left";

    auto fields = PayloadFields(page);
    ASSERT_EQ(fields.size(), 19u);
    const std::map<std::string, std::string> expected = {
        {"header", "ST00012"},
        {"Name", m_dictionary.Lookup("RECIEVER")},
        {"PersonalAcc", "40101810200000010001"},
        {"BankName", m_dictionary.Lookup("BANK")},
        {"BIC", "040601001"},
        {"CorrespAcc", "0"},
        {"PayeeINN", "0601002147"},
        {"PayerINN", "771234567890"},
        {"DrawerStatus", "24"},
        {"KPP", "060101001"},
        {"CBC", "39210202140061100160"},
        {"OKTMO", "06701000"},
        {"PensAcc", "087654321098"},
        {"LastName", std::string("Иванов"_cp)},
        {"FirstName", std::string("Иван"_cp)},
        {"MiddleName", std::string("Иванович"_cp)},
        {"PayerAddress", TypicalReceiptInput().address},
        {"ServiceName", "61000312"},
        {"Sum", "1935648"},
    };
    EXPECT_EQ(fields, expected);
    EXPECT_EQ(DecodeQrPng(PageImage(page)),
              std::vector<std::string> {Cp1251ToUtf8(TypicalPayload(m_dictionary))});

    for (const std::string_view shown :
         {">19356<"_cp, ">48<"_cp, ">ГД.00.2016<"_cp, ">ВЗ<"_cp, ">61<"_cp, ">Cтраховая часть(взносы)<"_cp,
          "> 39210202140061100160<"_cp, ">Иванов Иван Иванович<"_cp, ">087654321098<"_cp}) {
        EXPECT_NE(page.find(shown), std::string::npos) << Cp1251ToUtf8(shown);
    }
}

TEST_F(ReceiptComposerTest, StatusDecidesBetweenSnilsAndRegistrationNumber) {
    if (!HaveQrDecoder()) {
        GTEST_SKIP() << "no QR decoder here (zbar is Linux-only)";
    }
    struct Case {
        int statusRow;
        bool printStatus;
        const char* pensAcc;
        const char* service;
        const char* drawerStatus;
    };
    const Case cases[] = {
        {1, true, "087654321098", "61000312", "08"},
        {2, true, "087654321098", "61000312", "24"},
        {2, false, "087654321098", "61000312", ""},
        {3, true, "12345678901", "61001350", "24"}, // its code is not "13", the row alone decides
        {3, false, "12345678901", "61001350", ""},
    };
    for (const Case& c : cases) {
        ReceiptInput input = TypicalReceiptInput();
        input.statusRow = c.statusRow;
        input.printStatus = c.printStatus;
        const std::string page = Compose(input);
        auto fields = PayloadFields(page);
        EXPECT_EQ(fields["PensAcc"], c.pensAcc) << c.statusRow;
        EXPECT_EQ(fields["ServiceName"], c.service) << c.statusRow;
        EXPECT_EQ(fields["DrawerStatus"], c.drawerStatus) << c.statusRow;
        const std::string cell = std::string(">") + c.drawerStatus + "</td>";
        EXPECT_EQ(Count(page, "style=\"width:7%;\"" + cell), 1u) << c.statusRow;
        EXPECT_EQ(Count(page, "style=\"width:10%;\"" + cell), 2u) << c.statusRow;
    }
}

TEST_F(ReceiptComposerTest, DisabledFieldsStayEmptyInThePayload) {
    if (!HaveQrDecoder()) {
        GTEST_SKIP() << "no QR decoder here (zbar is Linux-only)";
    }
    ReceiptInput input = TypicalReceiptInput();
    input.innEnabled = false;
    input.oktmoEnabled = false;
    auto fields = PayloadFields(Compose(input));
    EXPECT_EQ(fields["PayerINN"], "");
    EXPECT_EQ(fields["OKTMO"], "");

    input.oktmoEnabled = true;
    input.oktmo = "06701000"; // a row without " - " has no code part
    EXPECT_EQ(PayloadFields(Compose(input))["OKTMO"], "");
}

TEST_F(ReceiptComposerTest, NameSplitsOnTheFirstTwoSpaces) {
    if (!HaveQrDecoder()) {
        GTEST_SKIP() << "no QR decoder here (zbar is Linux-only)";
    }
    struct Case {
        std::string_view name, last, first, middle;
    };
    const Case cases[] = {
        {"Петров"_cp, "", "", "Петров"_cp},
        {"Иванов Иван"_cp, "Иванов"_cp, "", "Иван"_cp},
        {"Иванов Иван Иванович"_cp, "Иванов"_cp, "Иван"_cp, "Иванович"_cp},
        {"Оглы Мамед Али Оглы"_cp, "Оглы"_cp, "Мамед"_cp, "Али Оглы"_cp},
        {"Иванов  Иван Иванович"_cp, "Иванов"_cp, "", "Иван Иванович"_cp},
        {" Иван"_cp, "", "", "Иван"_cp},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        ReceiptInput input = TypicalReceiptInput();
        input.payerName = c.name;
        auto fields = PayloadFields(Compose(input));
        EXPECT_EQ(fields["LastName"], c.last) << Cp1251ToUtf8(c.name);
        EXPECT_EQ(fields["FirstName"], c.first) << Cp1251ToUtf8(c.name);
        EXPECT_EQ(fields["MiddleName"], c.middle) << Cp1251ToUtf8(c.name);
    }
}

TEST_F(ReceiptComposerTest, GroupArgumentsOverrideTheFormOnlyWhenGiven) {
    if (!HaveQrDecoder()) {
        GTEST_SKIP() << "no QR decoder here (zbar is Linux-only)";
    }
    const ReceiptInput input = TypicalReceiptInput();
    struct Case {
        std::string code, name, rub, kop;
        const char* cbc;
        std::string_view payment;
        const char* pageRub;
        const char* sum;
    };
    const Case cases[] = {
        {"39210202140061200160", "Накопительная часть"_cp.data(), "3796", "85", "39210202140061200160",
         "Накопительная часть"_cp, "3796", "379685"},
        {"", "", "3796", "85", "39210202140061100160", "Cтраховая часть(взносы)"_cp, "3796", "379685"},
        {"", "", "", "", "39210202140061100160", "Cтраховая часть(взносы)"_cp, "19356", "1935648"},
        // Amounts whose kopecks do not fit 32 bits are still right.
        {"", "", "21474836", "48", "39210202140061100160", "Cтраховая часть(взносы)"_cp, "21474836",
         "2147483648"},
        {"", "", "99999999999", "99", "39210202140061100160", "Cтраховая часть(взносы)"_cp, "99999999999",
         "9999999999999"},
        {"", "", "1500", "5", "39210202140061100160", "Cтраховая часть(взносы)"_cp, "1500", "150005"},
    };
    for (const Case& c : cases) {
        const std::string page = Compose(input, c.code, c.name, c.rub, c.kop);
        auto fields = PayloadFields(page);
        EXPECT_EQ(fields["CBC"], c.cbc) << c.rub;
        EXPECT_EQ(fields["Sum"], c.sum) << c.rub;
        EXPECT_NE(page.find(">" + std::string(c.payment) + "<"), std::string::npos) << c.rub;
        EXPECT_NE(page.find(std::string(">") + c.pageRub + "</td>"), std::string::npos) << c.rub;
        EXPECT_NE(page.find(std::string("> ") + c.cbc + "</td>"), std::string::npos) << c.rub;
    }
}

TEST_F(ReceiptComposerTest, LaterStepsReplaceInsideEarlierValues) {
    if (!HaveQrDecoder()) {
        GTEST_SKIP() << "no QR decoder here (zbar is Linux-only)";
    }
    ReceiptInput input = TypicalReceiptInput();
    input.address = std::string("БИК @BIK"_cp);
    input.payerName = std::string("Сидоров @InsAddr"_cp);
    const std::string page = Compose(input);
    const std::string address = std::string("БИК 040601001"_cp);
    EXPECT_EQ(PayloadFields(page)["PayerAddress"], address);
    EXPECT_NE(page.find(">" + address + "<"), std::string::npos);
    EXPECT_NE(page.find(">" + std::string("Сидоров "_cp) + address + "<"), std::string::npos);
}

TEST_F(ReceiptComposerTest, PageValuesAreTextNotMarkup) {
    if (!HaveQrDecoder()) {
        GTEST_SKIP() << "no QR decoder here (zbar is Linux-only)";
    }
    ReceiptInput input = TypicalReceiptInput();
    input.address = std::string("ООО \"Ромашка\" <офис 5> & <script>alert(1)</script>"_cp);
    const std::string page = Compose(input);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("ООО &quot;Ромашка&quot; &lt;офис 5&gt; &amp; &lt;script&gt;"_cp), std::string::npos);
    // The payment line carries the address as typed.
    EXPECT_EQ(PayloadFields(page)["PayerAddress"], input.address);
}

TEST_F(ReceiptComposerTest, PayloadTooLongForASymbolIsReportedAndThePageStillMade) {
    ReceiptInput input = TypicalReceiptInput();
    input.address.assign(700, "я"_cp[0]); // 1400 bytes in UTF-8
    const std::string page = Compose(input);
    ASSERT_EQ(m_qrFailures.size(), 1u);
    EXPECT_EQ(m_qrFailures[0], "Ошибка при создании QR кода!"_cp);
    EXPECT_NE(page.find("src=\"data:image/png;base64,@BarCode\""), std::string::npos);
    EXPECT_NE(page.find(">" + input.address + "<"), std::string::npos);

    Compose(input);
    EXPECT_EQ(m_qrFailures.size(), 2u) << "once per page";
}

TEST(StripMask, DropsTheMaskSeparatorsOnly) {
    struct Case {
        const char* value;
        const char* mask;
        const char* expected;
    };
    const Case cases[] = {
        {"123-456-789 01", "___-___-___ __", "12345678901"},
        {"123-456-789012", "___-___-______", "123456789012"},
        {"123-4__-___ __", "___-___-___ __", "1234_______"},
        {"", "___-___-___ __", ""},
        {"12 3-x", "___-___-______", "12 3x"}, // this mask has no space to drop,
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StripMask(c.value, c.mask, '_'), c.expected) << c.value;
    }
}

} // namespace
} // namespace kvitok
