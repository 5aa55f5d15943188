#include "form/UserFiles.h"
#include "payers/DbConnection.h"
#include "payers/PayerStore.h"
#include "platform/PathText.h"
#include "support/TestFiles.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

// The program's working folder while it lives.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : m_previous(fs::current_path()) {
        fs::create_directories(folder);
        fs::current_path(folder);
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    ~InFolder() { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

// A payer file as an older copy left it: the same table, one payer.
void WritePayerFile(const fs::path& file, const std::string& name) {
    fs::create_directories(file.parent_path());
    PayerStore store;
    ASSERT_TRUE(store.Open(PathToUtf8(file)));
    PayerRecord payer;
    payer.name = name;
    ASSERT_TRUE(store.Save(payer));
}

std::vector<std::string> Names(const fs::path& file) {
    PayerStore store;
    EXPECT_TRUE(store.Open(PathToUtf8(file)));
    Result<std::vector<std::string>> names = store.ListNames();
    return names ? *names : std::vector<std::string> {};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The marker makes a copy keep both files beside itself, whatever the working folder holds, and
// nothing goes to the data folder; without it the data folder has them, the payers in the working
// folder first. The folder the copy tried is left as it was.
TEST(UserFiles, PortableCopyKeepsBothFilesBesideItself) {
    struct Case {
        bool marker;
        bool payersInWorkingFolder;
        bool besideProgram; // else below the data folder
    };
    const Case cases[] = {
        {false, false, false},
        {false, true, false},
        {true, false, true},
        {true, true, true},
    };
    for (const Case& c : cases) {
        const TempFolder folder;
        const fs::path program = folder.Path() / PathFromText("Квитанции"_cp);
        const fs::path data = folder.Path() / "AppData";
        fs::create_directories(program);
        if (c.marker) {
            WriteFile(program / UserFiles::kPortableMarker, "");
        }
        const InFolder working(folder.Path() / "work");
        if (c.payersInWorkingFolder) {
            WriteFile("insurers.db", "");
        }
        const UserFiles files = UserFiles::Choose({program, data, {}});
        const std::string label = std::to_string(c.marker) + std::to_string(c.payersInWorkingFolder);
        EXPECT_TRUE(files.notes.empty()) << label;
        if (c.besideProgram) {
            EXPECT_EQ(files.profile, program / "kvitok.ini") << label;
            EXPECT_EQ(files.payers, program / "insurers.db") << label;
            EXPECT_FALSE(fs::exists(data)) << label;
            // Trying the folder left nothing in it.
            EXPECT_EQ(std::distance(fs::directory_iterator(program), fs::directory_iterator()), 1) << label;
        } else {
            EXPECT_EQ(files.profile, data / "kvitok" / "kvitok.ini") << label;
            EXPECT_EQ(files.payers,
                      c.payersInWorkingFolder ? fs::path("insurers.db") : data / "kvitok" / "insurers.db")
                << label;
        }
    }
}

// Of an older copy's files in the virtual store, the newest that holds the payer table is copied
// in while there is no payer file of our own, and the person told once; the old file keeps its
// bytes and its time. A portable copy carries its own and takes nothing.
TEST(UserFiles, OlderCopysNewestPayerFileIsCopiedOnceAndLeftAsItWas) {
    const TempFolder folder;
    const InFolder working(folder.Path() / "work");
    const fs::path store = folder.Path() / "VirtualStore";
    const std::vector<fs::path> programFolders = {store / "Program Files (x86)", store / "Program Files"};
    const fs::path receipts = PathFromText("Квитанции"_cp);
    const fs::path older = programFolders[0] / receipts / "insurers.db";
    const fs::path newest = programFolders[1] / PathFromText("Фирма"_cp) / receipts / "insurers.db";
    const fs::path notADatabase = programFolders[0] / "Notes" / "insurers.db";
    const fs::path noTable = programFolders[0] / "Other" / "insurers.db";
    const fs::path tooDeep = programFolders[1] / "a" / "b" / "c" / "insurers.db";
    WritePayerFile(older, "Old");
    WritePayerFile(newest, std::string("Петров"_cp));
    WriteFile(notADatabase, std::string(4096, 'x'));
    fs::create_directories(noTable.parent_path());
    {
        DbConnection other;
        other.openFile(PathToUtf8(noTable));
        other.runCommand("create table payers (name text);");
    }
    WritePayerFile(tooDeep, "Deep");
    const auto now = fs::file_time_type::clock::now();
    const fs::path byAge[] = {older, newest, notADatabase, noTable, tooDeep};
    std::vector<std::string> bytes;
    std::vector<fs::file_time_type> times;
    for (std::size_t i = 0; i < std::size(byAge); ++i) {
        fs::last_write_time(byAge[i], now - std::chrono::hours(24 * (10 - static_cast<int>(i))));
        bytes.push_back(ReadFile(byAge[i]));
        times.push_back(fs::last_write_time(byAge[i]));
    }
    const fs::path data = folder.Path() / "AppData";
    const fs::path own = data / "kvitok" / "insurers.db";

    const UserFiles first = UserFiles::Choose({folder.Path() / "program", data, programFolders});
    EXPECT_EQ(first.payers, own);
    EXPECT_EQ(ReadFile(own), bytes[1]);
    EXPECT_EQ(Names(own), std::vector<std::string> {std::string("Петров"_cp)});
    ASSERT_EQ(first.notes.size(), 1u);
    EXPECT_TRUE(Contains(first.notes[0], std::string("Плательщики перенесены"_cp))) << first.notes[0];
    EXPECT_TRUE(Contains(first.notes[0], PathToReadableText(newest))) << first.notes[0];

    WritePayerFile(own, "Ivanov");
    EXPECT_TRUE(UserFiles::Choose({folder.Path() / "program", data, programFolders}).notes.empty());
    EXPECT_EQ(Names(own).size(), 2u);

    const fs::path portable = folder.Path() / "portable";
    WriteFile(portable / UserFiles::kPortableMarker, "");
    const UserFiles carried = UserFiles::Choose({portable, folder.Path() / "Data2", programFolders});
    EXPECT_TRUE(carried.notes.empty());
    EXPECT_FALSE(fs::exists(portable / "insurers.db"));

    // A data folder that cannot be made: told, and the program goes on with a file of its own.
    WriteFile(folder.Path() / "plain", "x");
    const UserFiles failed =
        UserFiles::Choose({folder.Path() / "program", folder.Path() / "plain", programFolders});
    ASSERT_EQ(failed.notes.size(), 1u);
    EXPECT_TRUE(Contains(failed.notes[0], std::string("Не удалось перенести"_cp))) << failed.notes[0];
    EXPECT_TRUE(Contains(failed.notes[0], PathToReadableText(newest))) << failed.notes[0];

    for (std::size_t i = 0; i < std::size(byAge); ++i) {
        EXPECT_EQ(ReadFile(byAge[i]), bytes[i]) << byAge[i];
        EXPECT_EQ(fs::last_write_time(byAge[i]), times[i]) << byAge[i];
    }
}

} // namespace
} // namespace kvitok::testing
