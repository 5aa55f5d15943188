#include "receipt/ReceiptTemplates.h"

#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <string>

namespace kvitok {
namespace {

std::size_t Count(const std::string& text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) {
        ++n;
    }
    return n;
}

TEST(ReceiptTemplates, PayloadIsTheEighteenFieldLine) {
    const std::string payload = ReceiptTemplates().GetPayloadTemplate();
    EXPECT_EQ(payload.size(), 315u);
    EXPECT_EQ(payload,
              "ST00012|Name=@Reciever|PersonalAcc=@Account|BankName=@Bank|BIC=@BIK|CorrespAcc=0|"
              "PayeeINN=@INN|PayerINN=@InsINN|DrawerStatus=@Stat|KPP=@KPP|CBC=@KBK|OKTMO=@OKTMO|"
              "PensAcc=@InsRegNum|LastName=@LastInsName|FirstName=@FirstInsName|"
              "MiddleName=@MiddleInsName|PayerAddress=@InsAddr|ServiceName=@ServiceName|Sum=@FullSumKop");
    EXPECT_EQ(Count(payload, "|"), 18u);
}

TEST(ReceiptTemplates, PageHoldsEveryPlaceholderAsOftenAsTheFormNeeds) {
    const std::string page = ReceiptTemplates().GetReceiptTemplate();
    struct Expected {
        const char* placeholder;
        std::size_t count;
    };
    const Expected table[] = {
        {"@Stat<", 3},       {"@BarCode\"", 1},    {"@Reciever<", 2},     {"@KPP<", 2},
        {">@INN<", 2},       {"@OKTMO<", 2},       {"@Account<", 2},      {"@Bank<", 2},
        {"@BIK<", 2},        {"@Payment<", 2},     {"@KBK<", 2},          {"@InsName<", 2},
        {"@InsAddr<", 2},    {"@InsINN<", 2},      {"@InsRegNum<", 2},    {"@Rub<", 2},
        {"@Kop<", 2},        {"@Kind<", 2},        {"@Type<", 2},         {"@NalPer<", 2},
        {"@LastInsName", 0}, {"@FirstInsName", 0}, {"@MiddleInsName", 0}, {"@ServiceName", 0},
        {"@FullSumKop", 0},
    };
    std::size_t total = 0;
    for (const Expected& e : table) {
        EXPECT_EQ(Count(page, e.placeholder), e.count) << e.placeholder;
        total += e.count;
    }
    // Nothing else in the page starts like a placeholder.
    EXPECT_EQ(Count(page, "@"), total);
    // The receipt half prints the KBK after a space, the notice half without one.
    EXPECT_EQ(Count(page, "> @KBK<"), 1u);
}

TEST(ReceiptTemplates, PageIsAWindows1251DocumentOfOneSheet) {
    const std::string page = ReceiptTemplates().GetReceiptTemplate();
    EXPECT_EQ(page.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"", 0), 0u);
    EXPECT_NE(page.find("charset=windows-1251"), std::string::npos);
    EXPECT_NE(page.find("page-break-after:always"), std::string::npos);
    EXPECT_NE(page.find("src=\"data:image/png;base64,@BarCode\" height=\"150\""), std::string::npos);
    EXPECT_NE(page.find("image-rendering: pixelated"), std::string::npos);
    EXPECT_NE(page.back(), '\n');
    EXPECT_EQ(page.find('\r'), std::string::npos);
    for (const auto label : {"Извещение"_cp, "Квитанция"_cp, "(код бюджетной классификации КБК)"_cp,
                             "Печать квитанции формы ПД-4"_cp}) {
        EXPECT_NE(page.find(label), std::string::npos) << Cp1251ToUtf8(label);
    }
}

TEST(ReceiptTemplates, FormNameAndFootnoteKeepTheirTextAndClass) {
    const std::string page = ReceiptTemplates().GetReceiptTemplate();
    // The form name has ordinary spaces; only the notice half carries it.
    EXPECT_EQ(Count(page, "font-style:italic;\">Форма № ПД-4</td>"_cp), 1u);
    // The footnote is a caption, small like the others, in both halves.
    EXPECT_EQ(Count(page, "<td class=\"subscript\" style=\"text-align:left; font-style:italic;\">"
                          "* или иной государственный орган исполнительной власти</td>"_cp),
              2u);
}

} // namespace
} // namespace kvitok
