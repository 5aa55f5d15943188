#pragma once

#include "platform/Profile.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kvitok {

// What the dialog logic asks of the desktop. Both windows implement these (the Qt window in
// src/qt, the Win32 window in src/win32; the profile is the platform's UserProfile); tests give
// fakes. Every text crossing these interfaces is windows-1251 (file paths included): the
// implementation converts at its own boundary.

enum class MessageIcon { None, Information, Warning, Error };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

// A modal message box captioned with the program's name; closing it answers Cancel
// (Ok for a box with only an OK button).
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) = 0;
};

// A choice of the save dialog's file list: its name and its patterns, ";" between them.
struct FileFilter {
    std::string_view name;
    std::string_view patterns;
};

// The filters a receipt is saved with.
inline constexpr FileFilter kReceiptFilters[] = {{"HTML Files (*.html;*.htm)", "*.html;*.htm"},
                                                 {"All Files(*.*)", "*.*"}};

// The save-file dialog: starts at `initialName`, offers the filters, the first chosen, and asks
// before an existing file is chosen. The path chosen as the system gives it (UTF-16): the form
// decides what it may hold. Nothing when the user cancels.
class SaveFileDialog {
public:
    virtual ~SaveFileDialog() = default;
    virtual std::optional<std::u16string> AskSavePath(const std::string& initialName,
                                                      std::span<const FileFilter> filters) = 0;
};

// Opens a file in the desktop's default program for it, without waiting for the program. When
// that fails, at once or when the opener says so later, `failed` is told why.
class Shell {
public:
    using Failed = std::function<void(const Failure&)>;

    virtual ~Shell() = default;
    virtual void OpenInDefaultProgram(const std::string& path, Failed failed) = 0;
};

class AboutBox {
public:
    virtual ~AboutBox() = default;
    virtual void ShowAbout() = 0; // modal
};

// The platform services a dialog uses; the caller owns them and keeps them alive.
struct PlatformServices {
    MessageBoxes& messages;
    SaveFileDialog& saveDialog;
    Shell& shell;
    AboutBox& about;
    Profile& profile;
};

} // namespace kvitok
