#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kvitok {

// What the dialog logic asks of the desktop. The Qt view implements these; tests give fakes.
// Every text crossing these interfaces is windows-1251 (file paths included): the
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

// The save-file dialog: starts at `initialName`, offers "HTML Files (*.html;*.htm)" and
// "All Files(*.*)", asks before an existing file is chosen. Nothing when the user cancels.
class SaveFileDialog {
public:
    virtual ~SaveFileDialog() = default;
    virtual std::optional<std::string> AskSavePath(const std::string& initialName) = 0;
};

// Opens a file in the desktop's default program for it, without waiting.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void OpenInDefaultProgram(const std::string& path) = 0;
};

class AboutBox {
public:
    virtual ~AboutBox() = default;
    virtual void ShowAbout() = 0; // modal
};

// The saved form state: one section of key/value texts.
class Profile {
public:
    struct Entry {
        std::string key;
        std::string value;
    };
    // Why nothing was stored: the profile's file and the system's reason.
    struct WriteFailure {
        std::string file;
        std::string reason;
    };

    virtual ~Profile() = default;
    // The stored value, cut to at most 999 characters, or `defaultValue` when the key is absent.
    virtual std::string Read(const std::string& key, const std::string& defaultValue) = 0;
    // Stores all the entries at once: afterwards every one of them is stored, or on failure none.
    virtual std::optional<WriteFailure> Write(const std::vector<Entry>& entries) = 0;
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
