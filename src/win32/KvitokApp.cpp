#include "KvitokApp.h"

namespace kvitok {

KvitokApp::KvitokApp(std::string databasePath, std::filesystem::path profilePath,
                     std::vector<std::string> notes)
    : m_profile(std::move(profilePath)),
      m_dialog(std::make_unique<MainDialog>(
          PlatformServices {m_messages, m_saveDialog, m_shell, m_about, m_profile}, std::move(databasePath))),
      m_window(std::make_unique<MainWindow>(*m_dialog)), m_notes(std::move(notes)) {}

KvitokApp::~KvitokApp() = default;

bool KvitokApp::Start() {
    if (!m_window->Create()) {
        return false;
    }
    // While the dialog initialises the form is not on screen: its boxes stand alone.
    m_window->Start();
    HWND form = m_window->Handle();
    m_messages.SetOwner(form);
    m_messages.SetBeforeShow([this] {
        m_window->Refresh();
    });
    m_saveDialog.SetOwner(form);
    m_about.SetOwner(form);
    m_window->Show();
    for (const std::string& note : m_notes) {
        m_messages.Show(note, MessageIcon::Information, MessageButtons::Ok);
    }
    m_notes.clear();
    return true;
}

void KvitokApp::Run() {
    m_window->Run();
}

} // namespace kvitok
