#pragma once

#include "MainWindow.h"
#include "QtPlatform.h"
#include "form/MainDialog.h"
#include "platform/UserProfile.h"

#include <memory>
#include <string>

namespace kvitok {

// Everything one run of the program owns: the desktop services, the dialog logic and its
// window. Start behaves like a modal dialog run: the dialog initialises (showing the about
// box on its own), and only then the form appears.
class KvitokApp {
public:
    explicit KvitokApp(std::string databasePath,
                       std::filesystem::path profilePath = UserProfile::DefaultPath());
    ~KvitokApp();
    KvitokApp(const KvitokApp&) = delete;
    KvitokApp& operator=(const KvitokApp&) = delete;

    void Start();

    MainDialog& Dialog() { return *m_dialog; }
    MainWindow& Window() { return *m_window; }

private:
    QtMessageBoxes m_messages;
    QtSaveFileDialog m_saveDialog;
    QtShell m_shell;
    QtAboutBox m_about;
    UserProfile m_profile;
    std::unique_ptr<MainDialog> m_dialog;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace kvitok
