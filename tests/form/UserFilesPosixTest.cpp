#include "form/UserFiles.h"
#include "payers/PayerStore.h"
#include "platform/PathText.h"
#include "support/TestFiles.h"
#include "support/WithoutPrivileges.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

// A portable copy whose folder takes no file (a locked stick) says so at every start, in one
// note naming the folder, and keeps its files in the data folder as an installed copy does; what
// it carries comes along the first time, and stays as it was on the stick.
TEST(UserFiles, UnwritablePortableFolderFallsBackWithOneNote) {
    const TempFolder folder;
    const fs::path program = folder.Path() / PathFromText("Квитанции"_cp);
    const fs::path data = folder.Path() / "data";
    WriteFile(program / UserFiles::kPortableMarker, "");
    WriteFile(program / "kvitok.ini", "[kvt_section]\nkvt_stat=3\n");
    {
        PayerStore store;
        ASSERT_TRUE(store.Open(PathToUtf8(program / "insurers.db")));
        PayerRecord payer;
        payer.name = "Ivanov";
        ASSERT_TRUE(store.Save(payer));
    }
    fs::create_directories(data);
    for (const fs::path& path :
         {folder.Path(), program, program / "kvitok.ini", program / "insurers.db", data}) {
        GiveToUnprivileged(path);
    }
    const std::string ini = ReadFile(program / "kvitok.ini");
    const std::string payers = ReadFile(program / "insurers.db");
    ASSERT_EQ(chmod(program.c_str(), 0555), 0);

    const int failures = RunWithoutPrivileges([&] {
        const UserFileRoots roots {program, data, {}};
        const UserFiles first = UserFiles::Choose(roots);
        const UserFiles second = UserFiles::Choose(roots);
        if (first.notes.size() != 1 || second.notes.size() != 1) {
            return 1;
        }
        const auto has = [](const std::string& note, const std::string& part) {
            return note.find(part) != std::string::npos;
        };
        const std::string copied("скопированы"_cp);
        const std::string own = PathToReadableText(data / "kvitok");
        return (first.profile == data / "kvitok" / "kvitok.ini" ? 0 : 2) |
               (first.payers == data / "kvitok" / "insurers.db" ? 0 : 4) |
               (has(first.notes[0], PathToReadableText(program)) && has(first.notes[0], own) ? 0 : 8) |
               (has(first.notes[0], copied) && !has(second.notes[0], copied) ? 0 : 16);
    });
    chmod(program.c_str(), 0755);
    if (failures < 0) {
        GTEST_SKIP() << "cannot drop root's privileges";
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(ReadFile(data / "kvitok" / "kvitok.ini"), ini);
    EXPECT_EQ(ReadFile(data / "kvitok" / "insurers.db"), payers);
    EXPECT_EQ(ReadFile(program / "kvitok.ini"), ini);
    EXPECT_EQ(ReadFile(program / "insurers.db"), payers);
}

} // namespace
} // namespace kvitok::testing
