#include "Win32Platform.h"

#include "AboutDialog.h"
#include "TextBridge.h"
#include "platform/SystemError.h"
#include "platform/Win32Library.h"
#include "text/Cp1251Literal.h"
#include "text/Format.h"

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

#include <cerrno>
#include <filesystem>

namespace kvitok {

std::wstring ProgramName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).stem().wstring();
}

namespace {

thread_local bool t_comEntered = false;

} // namespace

void EnterCom() {
    if (!t_comEntered) {
        t_comEntered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
}

ComScope::~ComScope() {
    if (t_comEntered) {
        CoUninitialize();
        t_comEntered = false;
    }
}

MessageAnswer Win32MessageBoxes::Show(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    if (m_beforeShow) {
        m_beforeShow();
    }
    UINT flags = buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK;
    switch (icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Information:
        flags |= MB_ICONINFORMATION;
        break;
    case MessageIcon::Warning:
        flags |= MB_ICONWARNING;
        break;
    case MessageIcon::Error:
        flags |= MB_ICONERROR;
        break;
    }
    // Without an owner the box stands alone and still blocks this thread's windows.
    if (m_owner == nullptr) {
        flags |= MB_TASKMODAL;
    }
    const std::wstring caption = ProgramName();
    const int answer = MessageBoxW(m_owner, Wide(text).c_str(), caption.c_str(), flags);
    return answer == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<std::u16string> Win32SaveFileDialog::AskSavePath(const std::string& initialName,
                                                               std::span<const FileFilter> filters) {
    // Room for a long path; the dialog fails rather than cut one.
    std::wstring file(32768, L'\0');
    const std::wstring initial = Wide(initialName);
    file.replace(0, initial.size(), initial);
    // Each filter's name and patterns, each ended by a zero, and one more zero at the end.
    std::wstring filter;
    for (const FileFilter& offered : filters) {
        filter += Wide(offered.name) + L'\0' + Wide(offered.patterns) + L'\0';
    }
    filter += L'\0';

    OPENFILENAMEW dialog {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    // The working folder stays where the program was started: the payer file and a typed
    // relative receipt name are looked up there.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                   OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    EnterCom();
    static const auto getSaveFileName =
        SystemFunction<decltype(GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    if (getSaveFileName == nullptr || !getSaveFileName(&dialog)) {
        return std::nullopt;
    }
    const std::wstring path = file.c_str();
    return std::u16string(path.begin(), path.end());
}

void Win32Shell::OpenInDefaultProgram(const std::string& path, Failed failed) {
    EnterCom();
    static const auto shellExecute = SystemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    // The shell hands the file to its program and returns at once; what it returns says whether
    // it found one (a value above 32).
    const auto result = shellExecute == nullptr
                            ? 0
                            : reinterpret_cast<INT_PTR>(shellExecute(nullptr, L"open", Wide(path).c_str(),
                                                                     nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) {
        return;
    }
    switch (result) {
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE:
        failed(Failure {std::string("нет программы, которая открывает такие файлы"_cp)});
        break;
    case SE_ERR_FNF:
    case SE_ERR_PNF:
        failed(Failure {SystemReason(ENOENT)});
        break;
    case SE_ERR_ACCESSDENIED:
        failed(Failure {SystemReason(EACCES)});
        break;
    default:
        failed(Failure {FormatText("%s%d",
                                   std::string("программа для таких файлов не запустилась, код "_cp).c_str(),
                                   static_cast<int>(result))});
        break;
    }
}

void Win32AboutBox::ShowAbout() {
    ShowAboutDialog(m_owner);
}

} // namespace kvitok
