// The save dialog's, the shell's and the screen reader's libraries are loaded when first used, not
// at the start; each service still does its work through them.
#include "form/FormTable.h"
#include "platform/PathText.h"
#include "platform/UserFolders.h"
#include "support/TestFiles.h"
#include "text/Cp1251Literal.h"
#include "win32/KvitokApp.h"
#include "win32/TextBridge.h"
#include "win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::wstring> OnDemandLibrariesLoaded() {
    std::vector<std::wstring> loaded;
    for (const wchar_t* library :
         {L"comdlg32.dll", L"shell32.dll", L"oleacc.dll", L"oleaut32.dll", L"winspool.drv"}) {
        if (GetModuleHandleW(library) != nullptr) {
            loaded.emplace_back(library);
        }
    }
    return loaded;
}

BOOL CALLBACK FindShownDialog(HWND window, LPARAM found) {
    wchar_t name[8] = {};
    GetClassNameW(window, name, 8);
    if (IsWindowVisible(window) && std::wstring_view(name) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The dialog box this thread shows, nullptr while there is none.
HWND ShownDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Answers the next dialog box this thread shows, from within the modal loop that shows it.
class WhenShown {
public:
    explicit WhenShown(std::function<void(HWND)> answer) : m_timer(SetTimer(nullptr, 0, 20, Tick)) {
        s_answer = std::move(answer);
    }
    ~WhenShown() {
        KillTimer(nullptr, m_timer);
        s_answer = nullptr;
    }
    WhenShown(const WhenShown&) = delete;
    WhenShown& operator=(const WhenShown&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (HWND dialog = ShownDialog(); dialog != nullptr && s_answer) {
            const auto answer = std::exchange(s_answer, nullptr);
            answer(dialog);
        }
    }

    static inline std::function<void(HWND)> s_answer;
    UINT_PTR m_timer;
};

TEST(Win32OnDemandLibraries, NoneIsLoadedUntilItsServiceIsUsed) {
    // Loaded already: linked into the program (or used by an earlier test of this process).
    ASSERT_EQ(OnDemandLibrariesLoaded(), std::vector<std::wstring> {});
    const TempFolder folder;
    EXPECT_FALSE(UserConfigFolder().empty()); // asked of the shell, which is let go
    std::vector<std::wstring> atAboutBox {L"(no about box)"};
    const WhenShown about([&atAboutBox](HWND box) {
        atAboutBox = OnDemandLibrariesLoaded();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    KvitokApp app(PathToUtf8(folder.Path() / "insurers.db"), folder.Path() / "kvitok.ini");
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(atAboutBox, std::vector<std::wstring> {});
    EXPECT_EQ(OnDemandLibrariesLoaded(), std::vector<std::wstring> {});

    // A screen reader's first question about any input names them all first.
    HWND form = ShownDialog();
    ASSERT_NE(form, nullptr);
    SendMessageW(GetDlgItem(form, ControlId::Inn), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    EXPECT_NE(GetModuleHandleW(L"oleacc.dll"), nullptr);
}

TEST(Win32OnDemandLibraries, SaveDialogAndShellStillWork) {
    const TempFolder folder;
    const std::string receipt = *Narrow((folder.Path() / "receipt.html").wstring());
    {
        const WhenShown save([](HWND dialog) {
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        const std::wstring whole = (folder.Path() / "receipt.html").wstring();
        EXPECT_EQ(Win32SaveFileDialog().AskSavePath(receipt, kReceiptFilters),
                  std::u16string(whole.begin(), whole.end()));
    }

    // The shell runs a command file in its program, which leaves a mark.
    const fs::path mark = folder.Path() / "opened.txt";
    WriteFile(folder.Path() / "open.cmd", "echo opened>\"" + mark.string() + "\"\r\n");
    std::vector<std::string> failures;
    const auto failed = [&failures](const Failure& failure) {
        failures.push_back(failure.reason);
    };
    Win32Shell().OpenInDefaultProgram(*Narrow((folder.Path() / "open.cmd").wstring()), failed);
    for (int i = 0; i < 300 && !fs::exists(mark); ++i) {
        Sleep(100);
    }
    EXPECT_TRUE(fs::exists(mark));
    EXPECT_TRUE(failures.empty());

    // A file no program takes, and one that is not there, are told rather than passed over.
    WriteFile(folder.Path() / "receipt.nosuchkind", "?");
    Win32Shell().OpenInDefaultProgram(*Narrow((folder.Path() / "receipt.nosuchkind").wstring()), failed);
    Win32Shell().OpenInDefaultProgram(*Narrow((folder.Path() / "gone.html").wstring()), failed);
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0], std::string("нет программы, которая открывает такие файлы"_cp));
}

} // namespace
} // namespace kvitok::testing
