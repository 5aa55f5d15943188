#pragma once

#include "support/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kvitok::testing {

// A fresh temporary folder that is also the current folder, HOME and XDG_CONFIG_HOME while it
// lives, so the program's database, receipt and profile land in it.
class TempHome {
public:
    TempHome() : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(m_folder.Path());
        setenv("HOME", m_folder.Path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_folder.Path() / "config").c_str(), 1);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    ~TempHome() {
        std::error_code error;
        std::filesystem::current_path(m_previous, error);
    }

    const std::filesystem::path& Path() const { return m_folder.Path(); }
    std::filesystem::path ProfileFile() const { return Path() / "config" / "kvitok" / "kvitok.ini"; }

private:
    TempFolder m_folder;
    std::filesystem::path m_previous;
};

} // namespace kvitok::testing
