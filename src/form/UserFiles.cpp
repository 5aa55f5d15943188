#include "UserFiles.h"

#include "OlderPayerFile.h"
#include "PayerFileLocation.h"
#include "payers/PayerStore.h"
#include "platform/PathText.h"
#include "platform/SystemError.h"
#include "platform/UserFolders.h"
#include "platform/WholeFile.h"
#include "text/Cp1251Literal.h"

#include <cerrno>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <system_error>

namespace kvitok {

namespace {

namespace fs = std::filesystem;

// A file that cannot even be looked at is not missing either: nothing is copied over it.
bool Missing(const fs::path& path) {
    std::error_code error;
    return !fs::exists(path, error) && !error;
}

// Through a temporary file and a rename, so that `to` never holds a part; `from` is only read.
Result<> CopyWholeFile(const fs::path& from, const fs::path& to) {
    const Result<std::optional<std::string>> bytes = ReadWholeFile(from);
    if (!bytes) {
        return bytes.Error();
    }
    if (!bytes->has_value()) {
        return SystemResult(ENOENT);
    }
    return ReplaceWholeFile(to, **bytes, NewFileAccess::OwnerOnly);
}

// The parts of a note one after another: texts and paths, each path on a line of its own.
std::string Note(std::initializer_list<std::string_view> texts) {
    std::string note;
    for (std::string_view text : texts) {
        note += text;
    }
    return note;
}

std::string Line(const fs::path& path) {
    return Note({"\n", PathToReadableText(path), "\n"});
}

// While there is no payer file of our own, the newest an older copy left is copied in; the old
// file stays where it is, as it was, for the older copy.
void BringOlderPayers(const std::vector<fs::path>& olderPayerFolders, UserFiles& files) {
    const std::optional<fs::path> older = FindOlderPayerFile(olderPayerFolders);
    if (!older) {
        return;
    }
    const Result<> copied = CopyWholeFile(*older, files.payers);
    if (copied) {
        files.notes.push_back(Note({"Плательщики перенесены из прежней версии программы:"_cp, Line(*older),
                                    "Этот файл оставлен без изменений."_cp}));
    } else {
        files.notes.push_back(
            Note({"Не удалось перенести плательщиков из прежней версии программы:"_cp, Line(*older),
                  copied.Reason(), ".\nСписок плательщиков пуст, прежний файл оставлен без изменений."_cp}));
    }
}

// What a portable copy carries comes along into the data folder the first time it cannot keep
// it beside itself, so that no payer or form is missing there; the text to add to the note.
std::string CarryAlong(const fs::path& programFolder, const UserFiles& files) {
    const fs::path carried[][2] = {
        {programFolder / UserFiles::kProfileName, files.profile},
        {programFolder / PayerStore::DefaultFileName, files.payers},
    };
    bool any = false;
    for (const auto& [from, to] : carried) {
        std::error_code error;
        if (!fs::is_regular_file(from, error) || !Missing(to) ||
            (to == files.payers && !PayerStore::HoldsPayers(PathToUtf8(from)))) {
            continue;
        }
        if (const Result<> copied = CopyWholeFile(from, to); !copied) {
            return Note(
                {"\nСкопировать туда файлы из папки программы не удалось: "_cp, copied.Reason(), "."});
        }
        any = true;
    }
    return any ? std::string("\nФайлы из папки программы скопированы туда и оставлены без изменений."_cp)
               : std::string();
}

} // namespace

UserFileRoots UserFileRoots::OfThisSystem() {
    return {ProgramFolder(), UserDataFolder(), VirtualStoreProgramFolders()};
}

UserFiles UserFiles::Choose(const UserFileRoots& roots) {
    UserFiles files;
    const fs::path& program = roots.programFolder;
    const fs::path own = roots.dataFolder / "kvitok";
    std::error_code error;
    if (!program.empty() && fs::is_regular_file(program / kPortableMarker, error)) {
        // Tried, not judged by attributes: a locked stick or the folder's security shows only so.
        const Result<> writable = TryWritingIn(program);
        if (writable) {
            files.profile = program / kProfileName;
            files.payers = program / PayerStore::DefaultFileName;
            return files;
        }
        static_cast<void>(CreateOwnerFolders(own));
        files.profile = own / kProfileName;
        files.payers = own / PayerStore::DefaultFileName;
        files.notes.push_back(Note({"Папка программы недоступна для записи:"_cp, Line(program),
                                    writable.Reason(), ".\nФорма и плательщики хранятся в папке\n"_cp,
                                    PathToReadableText(own), CarryAlong(program, files)}));
    } else {
        files.profile = own / kProfileName;
        files.payers = PayerFilePath(roots.dataFolder);
    }
    // Searched only while the file to be used is not there (one found in the working folder is),
    // so that every later start costs nothing.
    if (Missing(files.payers)) {
        BringOlderPayers(roots.olderPayerFolders, files);
    }
    return files;
}

} // namespace kvitok
