#include "PayerFileLocation.h"

#include "payers/PayerStore.h"
#include "platform/UserFolders.h"

#include <system_error>

namespace kvitok {

std::filesystem::path PayerFilePath() {
    return PayerFilePath(UserDataFolder());
}

std::filesystem::path PayerFilePath(const std::filesystem::path& dataFolder) {
    std::error_code error;
    if (std::filesystem::is_regular_file(PayerStore::DefaultFileName, error)) {
        return PayerStore::DefaultFileName;
    }
    const std::filesystem::path folder = dataFolder / "kvitok";
    // A folder that cannot be made shows itself when the file is opened there.
    static_cast<void>(CreateOwnerFolders(folder));
    return folder / PayerStore::DefaultFileName;
}

} // namespace kvitok
