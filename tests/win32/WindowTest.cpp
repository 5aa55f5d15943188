// The Win32 window over the dialog logic, driven through window messages as a person's keys
// and clicks arrive; the desktop's boxes are the platform fakes.
#include "form/FakePlatform.h"
#include "form/FormTable.h"
#include "form/MainDialog.h"
#include "form/PortContract.h"
#include "payers/DbConnection.h"
#include "payers/PayerStore.h"
#include "platform/PathText.h"
#include "support/TestFiles.h"
#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"
#include "win32/MainWindow.h"
#include "win32/TextBridge.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <tuple>
#include <vector>

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

// The whole text of a window in windows-1251; nothing when the code page cannot hold it.
std::optional<std::string> WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
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
        window->Start();
        window->Show();
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

    // A visible window of this thread and of the class, nullptr when there is none.
    static HWND VisibleWindowOf(const wchar_t* className) {
        struct Search {
            const wchar_t* className;
            HWND found = nullptr;
        } search {className};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM data) {
                auto& wanted = *reinterpret_cast<Search*>(data);
                wchar_t name[32] = {};
                GetClassNameW(window, name, 32);
                if (lstrcmpiW(name, wanted.className) != 0 || !IsWindowVisible(window)) {
                    return TRUE;
                }
                wanted.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The text of the tip window on screen that tells of a refusal (the edit's own balloon or the
    // window's tip: both are tool tips of this thread); nothing while none is visible.
    static std::optional<std::wstring> VisibleTip() {
        HWND tip = VisibleWindowOf(TOOLTIPS_CLASSW);
        if (tip == nullptr) {
            return std::nullopt;
        }
        wchar_t text[512] = {};
        GetWindowTextW(tip, text, 512);
        return text;
    }

    HWND PayerEdit() const { return FindWindowExW(Control(ControlId::Payer), nullptr, L"Edit", nullptr); }

    // The payers suggested under their field: a visible list box of this thread outside the
    // dialog (the drop-down's own list is of another class); nullptr while none is shown.
    static HWND VisibleSuggestions() { return VisibleWindowOf(WC_LISTBOXW); }

    static std::vector<std::string> RowsOf(HWND list) {
        std::vector<std::string> rows;
        for (int row = 0; row < SendMessageW(list, LB_GETCOUNT, 0, 0); ++row) {
            wchar_t text[64] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
            rows.push_back(Narrow(text).value_or("?"));
        }
        return rows;
    }

    // Three stored payers, two of whose names begin with "Ив"; "Создать" is on.
    void StartWithPayers() {
        {
            PayerStore store;
            ASSERT_TRUE(store.Open(*Narrow((folder / "insurers.db").wstring())));
            for (const auto& [name, address, inn] :
                 {std::tuple {"Иванов Иван"_cp, "Адрес Иванова"_cp, "771234567890"},
                  std::tuple {"Ивлева Анна"_cp, "Адрес Ивлевой"_cp, "500100732259"},
                  std::tuple {"Яковлев Яков"_cp, "Адрес Яковлева"_cp, ""}}) {
                ASSERT_TRUE(store.Save({std::string(name), std::string(address), 2, 1, inn, "", "", 3}));
            }
        }
        platform.profile.values = {{"kvt_stat", "2"}, {"kvt_year", "8"}, {"kvt_kbk", "2"}};
        Start();
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

TEST_F(Win32Window, RestoredFormEnablesTheFieldsOfItsSwitchLists) {
    // The group of an entrepreneur's contributions for 2016, as the profile keeps it: the year
    // takes the income, not the birth year, and the group computes its own sums.
    platform.profile.values = {
        {"kvt_stat", "2"}, {"kvt_year", "8"}, {"kvt_kbk", "1"}, {"kvt_inn", "500100732259"}};
    Start();
    EXPECT_EQ(platform.about.shownCount, 1);
    ASSERT_EQ(dialog->KbkNumbers().at(0), 1);
    EXPECT_EQ(*WindowText(Control(ControlId::Inn)), "500100732259");
    const std::pair<int, bool> expected[] = {
        {ControlId::Inn, true},        {ControlId::RegNumber, true}, {ControlId::Snils, true},
        {ControlId::BirthYear, false}, {ControlId::Oktmo, true},     {ControlId::IncomeRub, true},
        {ControlId::IncomeKop, true},  {ControlId::SumRub, false},   {ControlId::SumKop, false},
        {ControlId::PeriodFrom, true}, {ControlId::PeriodTo, true},  {ControlId::FileName, true},
        {ControlId::Create, true},     {ControlId::Browse, true},
    };
    for (const auto& [id, on] : expected) {
        EXPECT_EQ(IsWindowEnabled(Control(id)) != FALSE, on) << id;
    }

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

// Whatever reaches an edit (typing, a paste, another program's WM_SETTEXT) is checked as it is
// read: what the field does not take is refused, the field goes back to what the form holds, and
// a tip at the field says which character and why, on any Windows (Wine's edits draw no balloon
// of their own). The tip goes at the next key.
TEST_F(Win32Window, RefusedTextIsToldInATipAtTheField) {
    Start();
    Type(ControlId::Address, L"Ёлкин 中");
    EXPECT_EQ(dialog->Controls().Edit(ControlId::Address).text, std::string("Ёлкин "_cp));
    ASSERT_TRUE(VisibleTip().has_value());
    EXPECT_NE(VisibleTip()->find(L"«中» (U+4E2D) нельзя напечатать в квитанции"), std::wstring::npos)
        << *Narrow(*VisibleTip());
    Press(VK_END);
    EXPECT_FALSE(VisibleTip().has_value());

    SendMessageW(Control(ControlId::Address), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"X中Y"));
    Pump();
    EXPECT_EQ(*WindowText(Control(ControlId::Address)), std::string("Ёлкин "_cp));
    EXPECT_TRUE(VisibleTip().has_value());

    // Digits-only fields take digits alone; a pasted number loses its blanks and dashes.
    Choose(ControlId::Status, 2);
    Choose(ControlId::Year, 8);
    Choose(ControlId::Kbk, KbkRowOf(2));
    Type(ControlId::Inn, L"50a");
    EXPECT_EQ(dialog->Controls().Edit(ControlId::Inn).text, "50");
    ASSERT_TRUE(VisibleTip().has_value());
    EXPECT_NE(VisibleTip()->find(L"«a» недопустим"), std::wstring::npos);
    SendMessageW(Control(ControlId::Inn), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L" 5001-0073 2259 "));
    Pump();
    EXPECT_EQ(*WindowText(Control(ControlId::Inn)), "500100732259");

    // A text another program puts into the payer list's edit says nothing of itself; the next
    // action finds it, refuses it and makes nothing.
    SetWindowTextW(FindWindowExW(Control(ControlId::Payer), nullptr, L"Edit", nullptr), L"Петров 中");
    Focus(Control(ControlId::Address));
    Press(VK_RETURN);
    EXPECT_TRUE(platform.shell.opened.empty());
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_TRUE(VisibleTip().has_value());
    EXPECT_EQ(*WindowText(Control(ControlId::Payer)), "");
}

// Each button runs its own handler, the lists' picks and the calendar's closing reach theirs,
// and a pick that an over-long INN refuses puts its list back.
TEST_F(Win32Window, EveryControlReachesItsHandler) {
    {
        PayerStore store;
        ASSERT_TRUE(store.Open(*Narrow((folder / "insurers.db").wstring())));
        ASSERT_TRUE(store.Save(
            {"Stored", "Stored street", 2, 1, "500100732259", "123-456-789012", "112-233-445 95", 3}));
    }
    platform.profile.values = {{"kvt_stat", "2"}, {"kvt_year", "8"}, {"kvt_kbk", "2"}};
    Start();
    const auto click = [this](int id) {
        SendMessageW(Control(id), BM_CLICK, 0, 0);
        Pump();
    };
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (!control.help.empty()) {
            click(control.id);
            ASSERT_FALSE(platform.messages.shown.empty()) << control.id;
            EXPECT_EQ(platform.messages.shown.back().text, control.help);
        }
    }
    click(ControlId::About);
    EXPECT_EQ(platform.about.shownCount, 2);
    click(ControlId::Browse);
    EXPECT_EQ(platform.saveDialog.initialNames.size(), 1u);
    SetWindowTextW(FindWindowExW(Control(ControlId::Payer), nullptr, L"Edit", nullptr), L"Typed");
    SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(ControlId::Payer, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(Control(ControlId::Payer)));
    click(ControlId::SavePayer);
    EXPECT_EQ(SendMessageW(Control(ControlId::Payer), CB_GETCOUNT, 0, 0), 2);
    click(ControlId::DeletePayer);
    EXPECT_EQ(SendMessageW(Control(ControlId::Payer), CB_GETCOUNT, 0, 0), 1);

    Choose(ControlId::Payer, 0);
    EXPECT_EQ(*WindowText(Control(ControlId::Address)), "Stored street");
    EXPECT_EQ(*WindowText(Control(ControlId::Snils)), "112-233-445 95");

    // The calendar closes on a date outside the year: the sum goes and the person is told.
    SYSTEMTIME outside {2017, 1, 0, 1, 0, 0, 0, 0};
    SendMessageW(Control(ControlId::PeriodTo), DTM_SETSYSTEMTIME, GDT_VALID,
                 reinterpret_cast<LPARAM>(&outside));
    NMHDR closeup {Control(ControlId::PeriodTo), static_cast<UINT_PTR>(ControlId::PeriodTo), DTN_CLOSEUP};
    const std::size_t shown = platform.messages.shown.size();
    SendMessageW(window->Handle(), WM_NOTIFY, ControlId::PeriodTo, reinterpret_cast<LPARAM>(&closeup));
    ASSERT_EQ(platform.messages.shown.size(), shown + 1);
    EXPECT_EQ(platform.messages.shown.back().text, "Некорректная дата!"_cp);
    EXPECT_EQ(*WindowText(Control(ControlId::SumRub)), "0");

    // An INN one digit too long from a hand-edited profile refuses the next pick, which goes back.
    window.reset();
    platform.profile.values["kvt_inn"] = "5001007322590";
    Start();
    Choose(ControlId::Status, 1);
    EXPECT_EQ(platform.messages.shown.back().text, "Введите не более 12 символов."_cp);
    EXPECT_EQ(SendMessageW(Control(ControlId::Status), CB_GETCURSEL, 0, 0), 2);
}

// A long payer file: its names reach the list in the list's order while the about box waits
// (here for the window's idle time), and the form that follows shows the list as the dialog
// holds it.
TEST_F(Win32Window, PayerNamesReachTheListWhileTheAboutBoxWaits) {
    const std::string file = *Narrow((folder / "insurers.db").wstring());
    {
        ASSERT_TRUE(PayerStore().Open(file));
        DbConnection db;
        db.openFile(file);
        db.runCommand("with recursive n(i) as (select 1 union all select i + 1 from n where i < 5000) "
                      "insert into insurers(name) select 'Payer ' || (i * 7919 % 5000) from n;");
    }
    LRESULT rowsWhileWaiting = 0;
    platform.about.onShow = [&] {
        const ULONGLONG until = GetTickCount64() + 10000;
        while (SendMessageW(Control(ControlId::Payer), CB_GETCOUNT, 0, 0) < 5000 &&
               GetTickCount64() < until) {
            Pump();
            Sleep(1);
        }
        rowsWhileWaiting = SendMessageW(Control(ControlId::Payer), CB_GETCOUNT, 0, 0);
    };
    Start();
    EXPECT_EQ(rowsWhileWaiting, 5000);
    const ListModel& list = dialog->Controls().List(ControlId::Payer);
    ASSERT_EQ(SendMessageW(Control(ControlId::Payer), CB_GETCOUNT, 0, 0), list.Count());
    for (int row = 0; row < list.Count(); row += 997) {
        wchar_t text[32] = {};
        SendMessageW(Control(ControlId::Payer), CB_GETLBTEXT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(Narrow(text).value_or("?"), list.RowText(row)) << row;
    }
    EXPECT_EQ(SendMessageW(Control(ControlId::Payer), CB_GETCURSEL, 0, 0), CB_ERR);
}

// The port's primitives on the real controls, and its quirks: a combo box's own edit, the
// picker's earliest year.
TEST_F(Win32Window, PortReadsBackWhatItWrites) {
    Start();
    ExpectPortReadsBackWhatItWrites(window->Port(),
                                    CalendarDate {1700, 1, 1, 0, 0, 0}); // before the picker's range
    EXPECT_EQ(SendMessageW(Control(ControlId::Oktmo), CB_GETCURSEL, 0, 0), 2);
    wchar_t last[16] = {};
    ASSERT_EQ(SendMessageW(Control(ControlId::Oktmo), CB_GETLBTEXTLEN, 4, 0), 9);
    SendMessageW(Control(ControlId::Oktmo), CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(last));
    EXPECT_EQ(std::wstring(last), L"Четвёртый");
    EXPECT_FALSE(IsWindowEnabled(Control(ControlId::Oktmo)));
}

// Typed letters bring up the stored payers whose names they begin under the field, none chosen
// and the focus left in the field. Up and Down choose and Enter takes, as a pick; Esc, Tab, the
// focus leaving and the window moving put the list away and keep the text; Enter with none
// chosen is Enter in the field.
TEST_F(Win32Window, TypedLettersSuggestStoredPayers) {
    StartWithPayers();
    HWND combo = Control(ControlId::Payer);
    HWND edit = PayerEdit();
    Type(edit, L"ив");
    HWND list = VisibleSuggestions();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(RowsOf(list),
              (std::vector<std::string> {std::string("Иванов Иван"_cp), std::string("Ивлева Анна"_cp)}));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
    RECT field {};
    RECT shown {};
    GetWindowRect(combo, &field);
    GetWindowRect(list, &shown);
    EXPECT_EQ(shown.left, field.left);
    EXPECT_EQ(shown.right, field.right);
    EXPECT_EQ(shown.top, field.bottom);
    EXPECT_EQ(GetFocus(), edit);

    // Down goes through the rows and back to none; Up from none comes to the last row.
    for (int i = 0; i < 3; ++i) {
        Press(VK_DOWN);
    }
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
    Press(VK_UP);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    Press(VK_RETURN);
    EXPECT_EQ(VisibleSuggestions(), nullptr);
    EXPECT_EQ(*WindowText(combo), "Ивлева Анна"_cp);
    EXPECT_EQ(*WindowText(Control(ControlId::Address)), "Адрес Ивлевой"_cp);
    EXPECT_EQ(*WindowText(Control(ControlId::Inn)), "500100732259");
    EXPECT_TRUE(platform.messages.shown.empty());

    enum class Way { Esc, Tab, FocusElsewhere, WindowMoved };
    const auto putAway = [this](Way way) {
        RECT place {};
        switch (way) {
        case Way::Esc:
            Press(VK_ESCAPE);
            break;
        case Way::Tab:
            Press(VK_TAB);
            break;
        case Way::FocusElsewhere:
            Focus(Control(ControlId::Address));
            break;
        case Way::WindowMoved:
            GetWindowRect(window->Handle(), &place);
            SetWindowPos(window->Handle(), nullptr, place.left + 20, place.top + 20, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            Pump();
            break;
        }
    };
    const std::pair<Way, bool> ways[] = {
        {Way::Esc, true}, {Way::Tab, false}, {Way::FocusElsewhere, false}, {Way::WindowMoved, true}};
    for (const auto& [way, focusStays] : ways) {
        SCOPED_TRACE(static_cast<int>(way));
        SetWindowTextW(edit, L"");
        Type(edit, L"ив");
        ASSERT_NE(VisibleSuggestions(), nullptr);
        putAway(way);
        EXPECT_EQ(VisibleSuggestions(), nullptr);
        EXPECT_EQ(*WindowText(combo), "ив"_cp);
        EXPECT_EQ(GetFocus() == edit, focusStays);
        EXPECT_EQ(*WindowText(Control(ControlId::Address)), "Адрес Ивлевой"_cp);
    }
    EXPECT_TRUE(platform.messages.shown.empty()); // Esc asked nothing
    EXPECT_FALSE(window->Ended());

    SetWindowTextW(edit, L"");
    Type(edit, L"ив");
    ASSERT_NE(VisibleSuggestions(), nullptr);
    Press(VK_RETURN);
    EXPECT_EQ(VisibleSuggestions(), nullptr);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text.rfind("Следующие поля"_cp, 0), 0u)
        << platform.messages.shown[0].text;
    EXPECT_EQ(*WindowText(Control(ControlId::Address)), "Адрес Ивлевой"_cp);
}

// A click on a suggested row takes it and leaves the focus in the field. In the list's own open
// drop-down, typed letters highlight the row they begin, without suggestions over it, and Enter
// makes that row the pick.
TEST_F(Win32Window, AClickOrTheOpenListsHighlightTakesAPayer) {
    StartWithPayers();
    HWND combo = Control(ControlId::Payer);
    HWND edit = PayerEdit();
    Type(edit, L"ив");
    HWND list = VisibleSuggestions();
    ASSERT_NE(list, nullptr);
    RECT row {};
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 4, (row.top + row.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    Pump();
    EXPECT_EQ(VisibleSuggestions(), nullptr);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(*WindowText(Control(ControlId::Address)), "Адрес Ивлевой"_cp);

    Focus(edit);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    Type(edit, L"Як");
    ASSERT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(VisibleSuggestions(), nullptr);
    Press(VK_RETURN);
    EXPECT_EQ(*WindowText(combo), "Яковлев Яков"_cp);
    EXPECT_EQ(*WindowText(Control(ControlId::Address)), "Адрес Яковлева"_cp);
    EXPECT_EQ(*WindowText(Control(ControlId::Inn)), "");
    EXPECT_TRUE(platform.messages.shown.empty());
}

} // namespace
} // namespace kvitok::testing
