#include "KvitokApp.h"

namespace kvitok {

KvitokApp::KvitokApp(std::string databasePath, std::filesystem::path profilePath)
    : m_profile(std::move(profilePath)),
      m_dialog(std::make_unique<MainDialog>(
          PlatformServices {m_messages, m_saveDialog, m_shell, m_about, m_profile}, std::move(databasePath))),
      m_window(std::make_unique<MainWindow>(*m_dialog)) {
    m_saveDialog.SetParent(m_window.get());
}

KvitokApp::~KvitokApp() = default;

void KvitokApp::Start() {
    // While the dialog initialises the form is not on screen: its boxes stand alone.
    m_window->Start();
    m_messages.SetParent(m_window.get());
    m_messages.SetBeforeShow([this] {
        m_window->Refresh();
    });
    m_about.SetParent(m_window.get());
    m_window->show();
}

} // namespace kvitok
