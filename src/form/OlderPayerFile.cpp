#include "OlderPayerFile.h"

#include "payers/PayerStore.h"
#include "platform/PathText.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace kvitok {

namespace {

namespace fs = std::filesystem;

using Candidates = std::vector<std::pair<fs::file_time_type, fs::path>>;

// The payer files `levels` folder levels below `folder` and fewer; a folder that cannot be read
// is passed over, as the person's other programs keep all sorts there.
void AddCandidates(const fs::path& folder, int levels, Candidates& found) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code entryError;
        if (!entry->is_directory(entryError)) {
            continue;
        }
        const fs::path file = entry->path() / PayerStore::DefaultFileName;
        if (fs::is_regular_file(file, entryError)) {
            const fs::file_time_type changed = fs::last_write_time(file, entryError);
            if (!entryError) {
                found.emplace_back(changed, file);
            }
        }
        if (levels > 1) {
            AddCandidates(entry->path(), levels - 1, found);
        }
    }
}

} // namespace

std::optional<fs::path> FindOlderPayerFile(const std::vector<fs::path>& programFolders) {
    Candidates found;
    for (const fs::path& folder : programFolders) {
        AddCandidates(folder, 2, found);
    }
    // The newest first, so that only as many files are opened as it takes.
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first > b.first;
    });
    for (const auto& [changed, file] : found) {
        if (PayerStore::HoldsPayers(PathToUtf8(file))) {
            return file;
        }
    }
    return std::nullopt;
}

} // namespace kvitok
