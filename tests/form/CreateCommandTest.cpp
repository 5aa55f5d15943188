#include "DialogFixture.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kvitok::testing {
namespace {

using CreateCommand = DialogTest;

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

bool EveryLineFeedHasItsReturn(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
            return false;
        }
    }
    return true;
}

TEST_F(CreateCommand, OrdinaryKbkWritesOnePageAndOpensIt) {
    FillValidForm();
    Click(Id::Create);
    EXPECT_TRUE(platform.messages.shown.empty());
    const std::string bytes = ReadFile(folder.File("kvt.html"));
    EXPECT_EQ(Count(bytes, "<html"), 1);
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    EXPECT_TRUE(EveryLineFeedHasItsReturn(bytes));
    EXPECT_GE(Count(bytes, "39210202140061100160"), 1);
    EXPECT_GE(Count(bytes, "19356"), 1);
    EXPECT_EQ(platform.shell.opened, std::vector<std::string> {folder.File("kvt.html")});
    EXPECT_EQ(platform.profile.writeCount, 1);
    EXPECT_EQ(platform.profile.values.size(), 18u);
}

// A receipt written that no program opens is no silent success: the person learns where it is.
TEST_F(CreateCommand, AReceiptThatCannotBeOpenedIsToldWithItsFile) {
    FillValidForm();
    platform.shell.failure = Failure {std::string("нет программы, которая открывает такие файлы"_cp)};
    Click(Id::Create);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(
        platform.messages.shown[0].text,
        std::string("Квитанция записана в файл "_cp) + folder.File("kvt.html") +
            std::string(", но открыть его не удалось: нет программы, которая открывает такие файлы."_cp));
    EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(Count(ReadFile(folder.File("kvt.html")), "<html"), 1);
}

TEST_F(CreateCommand, GroupKbkMakesAPagePerMemberWithAnAmount) {
    FillValidForm();
    SelectKbkNumber(1);
    Put(Id::IncomeRub, "500000");
    Put(Id::IncomeKop, "00");
    dialog->OnChangeIncome();
    EXPECT_EQ(dialog->GetGroupMembers(), (std::vector<int> {2, 3, 4, 5, 27}));
    Click(Id::Create);
    ASSERT_TRUE(platform.messages.shown.empty()) << platform.messages.shown[0].text;

    const std::string bytes = ReadFile(folder.File("kvt.html"));
    ASSERT_EQ(Count(bytes, "<html"), 3); // 3 computes 0, 5 has neither code nor tariff
    const std::string codes[] = {"39210202140061100160", "39210202103081011160", "39210202140061200160"};
    const std::string amounts[] = {"19356", "3796", "2000"};
    std::size_t pageStart = 0;
    for (int page = 0; page < 3; ++page) {
        const std::size_t end = bytes.find("</html>", pageStart);
        const std::string text = bytes.substr(pageStart, end - pageStart);
        EXPECT_NE(text.find(codes[page]), std::string::npos) << page;
        EXPECT_NE(text.find(amounts[page]), std::string::npos) << page;
        EXPECT_EQ(text.find("39210202150061000160"), std::string::npos) << page; // KBK 3
        pageStart = end + 1;
    }
    EXPECT_EQ(dialog->Form().sumRub, C().Edit(Id::SumRub).text); // the form's sum is left alone
}

TEST_F(CreateCommand, CancelAtTheReplaceQuestionSavesNothing) {
    FillValidForm();
    { std::ofstream(folder.File("kvt.html")) << "old"; }
    platform.messages.answers = {MessageAnswer::Cancel};
    Click(Id::Create);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text,
              folder.File("kvt.html") + std::string(" уже существует. Заменить?"_cp));
    EXPECT_EQ(platform.messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(ReadFile(folder.File("kvt.html")), "old");
    EXPECT_EQ(platform.profile.writeCount, 0);
    EXPECT_TRUE(platform.shell.opened.empty());

    Click(Id::Create); // OK this time
    EXPECT_EQ(Count(ReadFile(folder.File("kvt.html")), "<html"), 1);
    EXPECT_EQ(platform.shell.opened.size(), 1u);
}

TEST_F(CreateCommand, UnwritablePathIsReportedAndNothingIsOpened) {
    FillValidForm();
    std::filesystem::create_directory(folder.File("a-folder"));
    // A folder is no receipt to replace: the failure comes without the replace question.
    for (const std::string& path : {folder.File("missing-folder/kvt.html"), folder.File("a-folder")}) {
        platform.messages.shown.clear();
        Put(Id::FileName, path);
        Click(Id::Create);
        ASSERT_EQ(platform.messages.shown.size(), 1u) << path;
        EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Error);
        EXPECT_EQ(platform.messages.shown[0].text.find(std::string("Не удалось записать файл "_cp) + path),
                  0u);
        EXPECT_TRUE(platform.shell.opened.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing-folder")));
    EXPECT_TRUE(std::filesystem::is_empty(folder.File("a-folder")));
}

// Each page whose QR code cannot be made (here the payment line is too long for a symbol) is told
// as it is made, and the file is still written; a file that cannot be written is told after them.
TEST_F(CreateCommand, PagesWithoutTheirQrCodeAreToldThenWritten) {
    FillValidForm();
    SelectKbkNumber(1);
    Put(Id::Address, std::string(700, "я"_cp[0]));
    for (const std::string& path : {folder.File("kvt.html"), folder.File("missing-folder/kvt.html")}) {
        platform.messages.shown.clear();
        Put(Id::FileName, path);
        Click(Id::Create);
        const bool written = path == folder.File("kvt.html");
        ASSERT_EQ(platform.messages.shown.size(), written ? 2u : 3u) << path;
        for (int page = 0; page < 2; ++page) {
            EXPECT_EQ(platform.messages.shown[page].text, "Ошибка при создании QR кода!"_cp);
            EXPECT_EQ(platform.messages.shown[page].icon, MessageIcon::Error);
            EXPECT_EQ(platform.messages.shown[page].buttons, MessageButtons::Ok);
        }
        if (!written) {
            EXPECT_EQ(platform.messages.shown[2].text.find(std::string("Не удалось записать файл "_cp)), 0u);
        }
    }
    EXPECT_EQ(Count(ReadFile(folder.File("kvt.html")), "<html"), 2);
    EXPECT_EQ(platform.shell.opened, std::vector<std::string> {folder.File("kvt.html")});
}

// A zero byte in a hand-edited profile once cut the QR code's payment line before the Sum.
TEST_F(CreateCommand, ControlCharacterFromTheProfileMakesNoReceipt) {
    FillValidForm();
    ASSERT_TRUE(sync->Cancel());
    platform.profile.values["kvt_insurer"] = std::string("Ivanov\0Ivan", 11);
    Start();
    platform.messages.shown.clear();
    Click(Id::Create);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text,
              std::string("Следующие поля не заполнены или заполнены некорректно: Плательщик.\n"_cp));
    EXPECT_FALSE(std::filesystem::exists(folder.File("kvt.html")));
}

TEST_F(CreateCommand, InvalidFormShowsTheComplaintOnly) {
    FillValidForm();
    Put(Id::Address, "");
    Click(Id::Create);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(platform.profile.writeCount, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.File("kvt.html")));
}

TEST_F(CreateCommand, BrowseAddsTheExtensionOnlyWhenMissing) {
    struct Case {
        std::optional<std::u16string> chosen;
        std::string shown;
        bool told = false;
    };
    const Case cases[] = {
        {u"/home/u/receipt", "/home/u/receipt.html"},
        {u"/home/u/receipt.htm", "/home/u/receipt.htm"},
        {u"/home/u/receipt.html", "/home/u/receipt.html"},
        {u"/home/u/receipt.HTML", "/home/u/receipt.HTML.html"},
        {std::nullopt, "/home/u/receipt.HTML.html"}, // cancelled: unchanged
        // What the file field would refuse typed, it refuses chosen.
        {u"/home/u/квитанция 中.html", "/home/u/receipt.HTML.html", true},
        {u"/home/u/what?.html", "/home/u/receipt.HTML.html", true},
        {u"/home/u/квитанция.html", std::string("/home/u/квитанция.html"_cp)},
    };
    FillValidForm();
    Put(Id::Address, "typed, not yet read");
    for (const Case& c : cases) {
        platform.saveDialog.answer = c.chosen;
        platform.messages.shown.clear();
        Click(Id::Browse);
        EXPECT_EQ(C().Edit(Id::FileName).text, c.shown);
        EXPECT_EQ(platform.messages.shown.size(), c.told ? 1u : 0u) << c.shown;
    }
    EXPECT_EQ(platform.saveDialog.initialNames.front(), "kvt.html");
    EXPECT_EQ(platform.saveDialog.filters, (std::vector<std::string_view> {"*.html;*.htm", "*.*"}));
    EXPECT_EQ(C().Edit(Id::Address).text, "typed, not yet read");
}

} // namespace
} // namespace kvitok::testing
