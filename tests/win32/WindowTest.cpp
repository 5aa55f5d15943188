// The Win32 window over the dialog logic, driven through window messages as a person's keys
// and clicks arrive; the desktop's boxes are the platform fakes.
#include "form/DialogTemplate.h"
#include "form/FakePlatform.h"
#include "form/MainDialog.h"
#include "platform/PathText.h"
#include "support/TestFiles.h"
#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"
#include "win32/MainWindow.h"
#include "win32/WideText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace kvitok::testing {
namespace {

// The receipt with each image's base64 replaced by the golden files' marker.
std::string WithoutImages(std::string page) {
    constexpr std::string_view kPrefix = "data:image/png;base64,";
    for (std::size_t at = page.find(kPrefix); at != std::string::npos; at = page.find(kPrefix, at + 1)) {
        const std::size_t begin = at + kPrefix.size();
        page.replace(begin, page.find('"', begin) - begin, "@PNG_BASE64@");
    }
    return page;
}

class Win32Window : public ::testing::Test {
public:
    void SetUp() override {
        const INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&controls);
        folder = std::filesystem::temp_directory_path() /
                 ("kvitok-win32-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount64()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        window.reset();
        dialog.reset();
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }

    void Start() {
        dialog =
            std::make_unique<MainDialog>(platform.Services(), *Narrow((folder / "insurers.db").wstring()));
        window = std::make_unique<MainWindow>(*dialog);
        ASSERT_TRUE(window->Create());
        Pump();
    }

    void Pump() { window->ProcessPendingMessages(); }
    HWND Control(int id) const { return window->Control(id); }

    // A pick in a drop-down list as the list reports it to the dialog.
    void Choose(int id, int row) {
        ASSERT_TRUE(IsWindowEnabled(Control(id))) << id;
        SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
        SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Control(id)));
        Pump();
    }

    void Focus(HWND control) {
        SendMessageW(window->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        Pump();
    }

    // Characters as the keyboard sends them, through the dialog manager.
    void Type(HWND edit, std::wstring_view text) {
        Focus(edit);
        for (const wchar_t c : text) {
            PostMessageW(edit, WM_CHAR, c, 1);
        }
        Pump();
    }
    void Type(int id, std::wstring_view text) { Type(Control(id), text); }

    void Press(UINT key) {
        HWND target = GetFocus();
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
        Pump();
    }

    int KbkRowOf(int number) const {
        const auto& numbers = dialog->KbkNumbers();
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (numbers[i] == number) {
                return static_cast<int>(i) + 1;
            }
        }
        ADD_FAILURE() << "KBK " << number << " not offered";
        return 0;
    }

    std::filesystem::path folder;
    FakePlatform platform;
    std::unique_ptr<MainDialog> dialog;
    std::unique_ptr<MainWindow> window;
};

TEST_F(Win32Window, RestoredFormEnablesExactlyTheSwitchedFields) {
    // An entrepreneur's contribution for 2016, as the profile keeps it.
    platform.profile.values = {
        {"kvt_stat", "2"}, {"kvt_year", "8"}, {"kvt_kbk", "1"}, {"kvt_inn", "500100732259"}};
    Start();
    EXPECT_EQ(platform.about.shownCount, 1);
    ASSERT_EQ(dialog->Controls().kbk.Selected(), 1);
    EXPECT_EQ(*WindowText(Control(ControlId::Inn)), "500100732259");

    const DialogControls& c = dialog->Controls();
    const std::pair<int, bool> expected[] = {
        {ControlId::Inn, c.inn.enabled},
        {ControlId::RegNumber, c.regNumber.enabled},
        {ControlId::Snils, c.snils.enabled},
        {ControlId::BirthYear, c.birthYear.enabled},
        {ControlId::Oktmo, c.oktmo.Enabled()},
        {ControlId::IncomeRub, c.incomeRub.enabled},
        {ControlId::IncomeKop, c.incomeKop.enabled},
        {ControlId::SumRub, c.sumRub.enabled},
        {ControlId::SumKop, c.sumKop.enabled},
        {ControlId::PeriodFrom, c.periodFrom.enabled},
        {ControlId::PeriodTo, c.periodTo.enabled},
        {ControlId::FileName, c.fileName.enabled},
        {ControlId::Create, c.create.enabled},
        {ControlId::Browse, c.browse.enabled},
    };
    int enabled = 0;
    for (const auto& [id, on] : expected) {
        EXPECT_EQ(IsWindowEnabled(Control(id)) != FALSE, on) << id;
        enabled += on ? 1 : 0;
    }
    // The switch lists name some fields and leave others off: both kinds must be there.
    EXPECT_GT(enabled, 3);
    EXPECT_LT(enabled, static_cast<int>(std::size(expected)));

    // The about entry closes the system menu, below a separator, and shows the box again.
    HMENU menu = GetSystemMenu(window->Handle(), FALSE);
    const int items = GetMenuItemCount(menu);
    ASSERT_GE(items, 2);
    wchar_t entry[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(items - 1), entry, 64, MF_BYPOSITION);
    EXPECT_STREQ(entry, L"&About kvitok...");
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(items - 2), MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
    SendMessageW(window->Handle(), WM_SYSCOMMAND, GetMenuItemID(menu, items - 1), 0);
    EXPECT_EQ(platform.about.shownCount, 2);
}

TEST_F(Win32Window, EnterWritesTheSameReceiptAsTheLinuxWindow) {
    Start();
    Type(FindWindowExW(Control(ControlId::Payer), nullptr, L"Edit", nullptr), L"Ivanov Ivan");
    Type(ControlId::Address, L"Olmgrad, 1");
    Choose(ControlId::Status, 2);
    Choose(ControlId::Year, 8);
    Choose(ControlId::Kbk, KbkRowOf(2));
    Type(ControlId::Inn, L"500100732259");
    Type(ControlId::RegNumber, L"123456789012");
    Type(ControlId::Snils, L"11223344595");
    Choose(ControlId::Oktmo, 1);
    const std::filesystem::path receipt = folder / "kvt.html";
    SetWindowTextW(Control(ControlId::FileName), L"");
    Type(ControlId::FileName, receipt.wstring());
    EXPECT_EQ(*WindowText(Control(ControlId::RegNumber)), "123-456-789012");
    EXPECT_EQ(*WindowText(Control(ControlId::SumRub)), "19356");

    Focus(Control(ControlId::Address));
    Press(VK_RETURN);
    for (const ShownMessage& shown : platform.messages.shown) {
        ADD_FAILURE() << "message: " << Cp1251ToUtf8(shown.text);
    }
    ASSERT_EQ(platform.shell.opened.size(), 1u);
    const std::string golden = ReadFile(KVITOK_GOLDEN_DIR "/contribution.html");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(WithoutImages(ReadFile(receipt)), golden);
}

TEST_F(Win32Window, EscAndEnterOnCancelAskBeforeClosing) {
    Start();
    const std::string question = std::string("Закрыть программу?"_cp);

    platform.messages.answers = {MessageAnswer::Cancel};
    Focus(Control(ControlId::Address));
    Press(VK_ESCAPE);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, question);
    EXPECT_EQ(platform.messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_FALSE(window->Ended());

    platform.messages.answers = {MessageAnswer::Ok};
    Focus(Control(ControlId::Cancel));
    Press(VK_RETURN);
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[1].text, question);
    EXPECT_TRUE(window->Ended());
    EXPECT_EQ(platform.profile.writeCount, 1);
}

TEST_F(Win32Window, KeyboardRefusesWhatTheCodePageCannotHold) {
    Start();
    Type(ControlId::Address, L"Ёлкин 中 é №5");
    EXPECT_EQ(dialog->Controls().address.text, std::string("Ёлкин   №5"_cp));
    // Digits-only fields take digits alone.
    Choose(ControlId::Status, 2);
    Choose(ControlId::Year, 8);
    Choose(ControlId::Kbk, KbkRowOf(2));
    Type(ControlId::Inn, L"50a01-0");
    EXPECT_EQ(dialog->Controls().inn.text, "50010");
}

} // namespace
} // namespace kvitok::testing
