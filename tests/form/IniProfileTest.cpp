#include "form/IniProfile.h"
#include "files/WholeFile.h"
#include "support/TestFiles.h"
#include "support/WithoutPrivileges.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <optional>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

void WriteAll(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

mode_t ModeOf(const fs::path& file) {
    struct stat status {};
    return stat(file.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class IniProfileTest : public ::testing::Test {
protected:
    fs::path File() const { return m_folder.Path() / "config" / "kvitok" / "kvitok.ini"; }

    TempFolder m_folder;
};

TEST_F(IniProfileTest, DefaultPathFollowsXdgConfigHome) {
    const ScopedEnv home("HOME", m_folder.Path().c_str());
    {
        const ScopedEnv config("XDG_CONFIG_HOME", (m_folder.Path() / "config").c_str());
        EXPECT_EQ(IniProfile::DefaultPath(), File());
    }
    const fs::path fallback = m_folder.Path() / ".config" / "kvitok" / "kvitok.ini";
    {
        const ScopedEnv config("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(IniProfile::DefaultPath(), fallback);
    }
    const ScopedEnv config("XDG_CONFIG_HOME", "relative/dir"); // not absolute: ignored
    EXPECT_EQ(IniProfile::DefaultPath(), fallback);
}

TEST_F(IniProfileTest, ValuesComeBackExactly) {
    IniProfile profile(File(), "kvt_section");
    const std::string values[] = {
        "",
        "Olmgrad, Lenina 1, kv. 2",             // commas stay one value
        std::string("Иванов Иван Иванович"_cp), // Cyrillic
        "  leading and trailing  ",
        "\"quoted\"",
        "a=b;c#d\\e",
        "'single'",
    };
    for (const std::string& value : values) {
        EXPECT_FALSE(profile.Write({{"kvt_addr", value}}));
        EXPECT_EQ(profile.Read("kvt_addr", "default"), value) << value;
    }
    EXPECT_EQ(profile.Read("kvt_missing", "default"), "default");
}

TEST_F(IniProfileTest, HandWrittenFileIsReadAndKeptByteForByte) {
    const std::string head = "; made by hand\r\n"
                             "[other]\r\n"
                             "kvt_stat=9\r\n"
                             "\r\n"
                             "[ KVT_Section ]\r\n";
    const std::string middle = "kvt_addr=Ольмград, ул. Мира\r\n"
                               "kvt_bad=\xff\xfe\r\n"
                               "kvt_euro=5 €\r\n"
                               "kvt_cjk=中\r\n";
    const std::string tail = "\r\n"
                             "[tail]\r\n"
                             "x=1"; // no line feed at the end
    WriteAll(File(), head + "  kvt_stat =  2  \r\n" + middle + tail);
    chmod(File().c_str(), 0640);
    IniProfile profile(File(), "kvt_section");
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "2");
    EXPECT_EQ(profile.Read("KVT_ADDR", ""), std::string("Ольмград, ул. Мира"_cp));
    EXPECT_EQ(profile.Read("kvt_euro", ""), std::string("5 €"_cp));
    EXPECT_EQ(profile.Read("kvt_bad", "dflt"), "dflt"); // not UTF-8
    EXPECT_EQ(profile.Read("kvt_cjk", "dflt"), "dflt"); // no windows-1251 letter for it
    EXPECT_EQ(profile.Read("x", "dflt"), "dflt");       // another section's key

    EXPECT_FALSE(profile.Write({{"kvt_stat", "3"}, {"kvt_new", "n"}}));
    // New keys go into their section; every other line stays as it was.
    EXPECT_EQ(ReadFile(File()), head + "kvt_stat=3\n" + middle + "kvt_new=n\n" + tail + "\n");
    EXPECT_EQ(ModeOf(File()), 0640u); // a replaced profile keeps its mode
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "3");
    EXPECT_EQ(IniProfile(File(), "other").Read("kvt_stat", "0"), "9");
}

TEST_F(IniProfileTest, NewProfileIsItsOwnersOnly) {
    IniProfile profile(File(), "kvt_section");
    EXPECT_FALSE(profile.Write({{"kvt_inn", "500100732259"}, {"kvt_snils", "112-233-445 95"}}));
    EXPECT_EQ(ReadFile(File()), "[kvt_section]\nkvt_inn=500100732259\nkvt_snils=112-233-445 95\n");
    EXPECT_EQ(ModeOf(File()), 0600u);
}

TEST_F(IniProfileTest, LongValuesAreCutTo999Characters) {
    IniProfile profile(File(), "kvt_section");
    EXPECT_FALSE(profile.Write({{"kvt_addr", std::string(1500, 'x')}}));
    EXPECT_EQ(profile.Read("kvt_addr", ""), std::string(999, 'x'));
}

TEST_F(IniProfileTest, SymbolicLinkIsFollowedAndKept) {
    WriteAll(m_folder.Path() / "dotfiles" / "kvitok.ini", "[mine]\nkeep=1\n");
    fs::create_directories(File().parent_path());
    fs::create_symlink("../../dotfiles/kvitok.ini", File());
    EXPECT_FALSE(IniProfile(File(), "kvt_section").Write({{"kvt_stat", "2"}}));
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_EQ(ReadFile(m_folder.Path() / "dotfiles" / "kvitok.ini"),
              "[mine]\nkeep=1\n\n[kvt_section]\nkvt_stat=2\n");
}

// A profile the person may not change, or cannot read, is left as it is, nothing is left beside
// it, and the failure names the file and the reason.
TEST_F(IniProfileTest, ProfileThatCannotBeWrittenIsLeftAsItIs) {
    const std::string stored = "[kvt_section]\nkvt_stat=2\n[other]\nkept=1\n";
    struct Case {
        const char* name;
        int error;
        std::function<void(const fs::path& file)> arrange;
    };
    const Case cases[] = {
        {"unreadable", EACCES,
         [&](const fs::path& f) {
             WriteAll(f, stored);
             chmod(f.c_str(), 0);
         }},
        {"write-only", EACCES,
         [&](const fs::path& f) {
             WriteAll(f, stored);
             chmod(f.c_str(), 0200);
         }},
        {"read-only", EACCES,
         [&](const fs::path& f) {
             WriteAll(f, stored);
             chmod(f.c_str(), 0444);
         }},
        {"read-only folder", EACCES, [](const fs::path& f) { chmod(f.parent_path().c_str(), 0555); }},
        {"folder in its place", EISDIR, [](const fs::path& f) { fs::create_directories(f); }},
    };
    GiveToUnprivileged(m_folder.Path());
    for (const Case& c : cases) {
        const fs::path folder = m_folder.Path() / c.name;
        const fs::path file = folder / "kvitok.ini";
        fs::create_directory(folder);
        GiveToUnprivileged(folder);
        c.arrange(file);
        if (fs::exists(file)) {
            GiveToUnprivileged(file);
        }
        const auto content = [&file] { return fs::is_regular_file(file) ? ReadFile(file) : std::string(); };
        const std::string before = content();
        const int result = RunWithoutPrivileges([&] {
            const auto failure = IniProfile(file, "kvt_section").Write({{"kvt_stat", "3"}});
            return failure && failure->file == file.string() && failure->reason == SystemReason(c.error) ? 0
                                                                                                         : 1;
        });
        if (result < 0) {
            GTEST_SKIP() << "cannot drop root's privileges";
        }
        EXPECT_EQ(result, 0) << c.name;
        chmod(folder.c_str(), 0755);
        EXPECT_EQ(content(), before) << c.name;
        std::vector<fs::path> left;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            left.push_back(entry.path());
        }
        EXPECT_EQ(left, fs::exists(file) ? std::vector<fs::path>{file} : std::vector<fs::path>{}) << c.name;
    }
}

} // namespace
} // namespace kvitok::testing
