#pragma once

#include "form/Platform.h"

#include <functional>
#include <string>

#include <windows.h>

namespace kvitok {

// The desktop services of the dialog logic on the Win32 API. Each shows itself over the owner
// window it is given (none: a window of its own, as while the form is not yet on screen).

// The caption of every box: the executable's base name, so renaming it renames the boxes.
std::wstring ProgramName();

// COM on the calling thread, for the services that want it: entered by the first of them, left
// when the thread's ComScope ends (main() keeps one around the whole run).
void EnterCom();
class ComScope {
public:
    ComScope() = default;
    ~ComScope();
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

class Win32MessageBoxes : public MessageBoxes {
public:
    MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override;
    void SetOwner(HWND owner) { m_owner = owner; }
    // Runs before a box opens, so the form behind it shows what the logic has changed.
    void SetBeforeShow(std::function<void()> beforeShow) { m_beforeShow = std::move(beforeShow); }

private:
    HWND m_owner = nullptr;
    std::function<void()> m_beforeShow;
};

class Win32SaveFileDialog : public SaveFileDialog {
public:
    std::optional<std::u16string> AskSavePath(const std::string& initialName,
                                              std::span<const FileFilter> filters) override;
    void SetOwner(HWND owner) { m_owner = owner; }

private:
    HWND m_owner = nullptr;
};

class Win32Shell : public Shell {
public:
    void OpenInDefaultProgram(const std::string& path, Failed failed) override;
};

class Win32AboutBox : public AboutBox {
public:
    void ShowAbout() override;
    void SetOwner(HWND owner) { m_owner = owner; }

private:
    HWND m_owner = nullptr;
};

} // namespace kvitok
