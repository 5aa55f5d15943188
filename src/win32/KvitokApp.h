#pragma once

#include "MainWindow.h"
#include "Win32Platform.h"
#include "form/MainDialog.h"
#include "platform/UserProfile.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kvitok {

// Everything one run of the program owns: the desktop services, the dialog logic and its
// window. A start behaves like a modal dialog run: the dialog initialises (showing the about
// box on its own), and only then the form appears, with the notes about the person's files over it.
class KvitokApp {
public:
    // `notes`: what to tell about where the files are (windows-1251), one message box each.
    KvitokApp(std::string databasePath, std::filesystem::path profilePath,
              std::vector<std::string> notes = {});
    ~KvitokApp();
    KvitokApp(const KvitokApp&) = delete;
    KvitokApp& operator=(const KvitokApp&) = delete;

    // False when the window could not be made.
    bool Start();
    // Until the form is closed.
    void Run();

private:
    Win32MessageBoxes m_messages;
    Win32SaveFileDialog m_saveDialog;
    Win32Shell m_shell;
    Win32AboutBox m_about;
    UserProfile m_profile;
    std::unique_ptr<MainDialog> m_dialog;
    std::unique_ptr<MainWindow> m_window;
    std::vector<std::string> m_notes;
};

} // namespace kvitok
