#include "PayerFileLocation.h"

#include "payers/PayerStore.h"

#include <sys/stat.h>

#include <cstdlib>
#include <system_error>

namespace kvitok {

namespace {

namespace fs = std::filesystem;

// $XDG_DATA_HOME when it holds an absolute path (anything else is to be ignored), otherwise
// ~/.local/share.
fs::path DataHome() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome == '/') {
        return dataHome;
    }
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr && *home != '\0' ? home : ".") / ".local" / "share";
}

// A failure is left to show itself when the file is opened there.
void CreateFolderForOwner(const fs::path& folder) {
    std::error_code error;
    if (folder.empty() || fs::exists(folder, error)) {
        return;
    }
    CreateFolderForOwner(folder.parent_path());
    ::mkdir(folder.c_str(), S_IRWXU);
}

} // namespace

fs::path PayerFilePath() {
    std::error_code error;
    if (fs::is_regular_file(PayerStore::DefaultFileName, error)) {
        return PayerStore::DefaultFileName;
    }
    const fs::path folder = DataHome() / "kvitok";
    CreateFolderForOwner(folder);
    return folder / PayerStore::DefaultFileName;
}

} // namespace kvitok
