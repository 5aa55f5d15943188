#include "app/IniProfile.h"
#include "AppTestSupport.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kvitok::testing {
namespace {

void WriteAll(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

TEST(IniProfile, DefaultPathFollowsXdgConfigHome) {
    TempHome home;
    EXPECT_EQ(IniProfile::DefaultPath(), home.ProfileFile());
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(IniProfile::DefaultPath(), home.Path() / ".config" / "kvitok" / "kvitok.ini");
    setenv("XDG_CONFIG_HOME", "relative/dir", 1); // not absolute: ignored
    EXPECT_EQ(IniProfile::DefaultPath(), home.Path() / ".config" / "kvitok" / "kvitok.ini");
}

TEST(IniProfile, ValuesComeBackExactly) {
    TempHome home;
    IniProfile profile(home.ProfileFile(), "kvt_section");
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
        profile.Write("kvt_addr", value);
        EXPECT_EQ(profile.Read("kvt_addr", "default"), value) << value;
    }
    EXPECT_EQ(profile.Read("kvt_missing", "default"), "default");
}

TEST(IniProfile, HandWrittenFileIsReadAndKeptOnWrite) {
    TempHome home;
    WriteAll(home.ProfileFile(), "; made by hand\r\n"
                                 "[other]\r\n"
                                 "kvt_stat=9\r\n"
                                 "\r\n"
                                 "[ KVT_Section ]\r\n"
                                 "  kvt_stat =  2  \r\n"
                                 "kvt_addr=Ольмград, ул. Мира\r\n"
                                 "kvt_bad=\xff\xfe\r\n"
                                 "kvt_euro=5 €\r\n"
                                 "kvt_cjk=中\r\n"
                                 "\r\n"
                                 "[tail]\r\n"
                                 "x=1\r\n");
    IniProfile profile(home.ProfileFile(), "kvt_section");
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "2");
    EXPECT_EQ(profile.Read("KVT_ADDR", ""), std::string("Ольмград, ул. Мира"_cp));
    EXPECT_EQ(profile.Read("kvt_euro", ""), std::string("5 €"_cp));
    EXPECT_EQ(profile.Read("kvt_bad", "dflt"), "dflt"); // not UTF-8
    EXPECT_EQ(profile.Read("kvt_cjk", "dflt"), "dflt"); // no windows-1251 letter for it

    profile.Write("kvt_stat", "3");
    profile.Write("kvt_new", "n");
    const std::string text = ReadFile(home.ProfileFile());
    EXPECT_NE(text.find("[other]"), std::string::npos);
    EXPECT_NE(text.find("kvt_stat=9"), std::string::npos); // the other section's key is untouched
    EXPECT_NE(text.find("kvt_stat=3"), std::string::npos);
    EXPECT_NE(text.find("[tail]"), std::string::npos);
    EXPECT_LT(text.find("kvt_new=n"), text.find("[tail]")); // new keys go into their section
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "3");
    IniProfile other(home.ProfileFile(), "other");
    EXPECT_EQ(other.Read("kvt_stat", "0"), "9");
}

TEST(IniProfile, LongValuesAreCutTo999Characters) {
    TempHome home;
    IniProfile profile(home.ProfileFile(), "kvt_section");
    profile.Write("kvt_addr", std::string(1500, 'x'));
    EXPECT_EQ(profile.Read("kvt_addr", ""), std::string(999, 'x'));
}

TEST(IniProfile, UnwritableFolderIsSilent) {
    TempHome home;
    std::filesystem::create_directories(home.Path() / "ro");
    std::filesystem::permissions(home.Path() / "ro",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    IniProfile profile(home.Path() / "ro" / "kvitok.ini", "kvt_section");
    profile.Write("kvt_addr", "x");
    if (access((home.Path() / "ro").c_str(), W_OK) != 0) { // root may write anyway
        EXPECT_EQ(profile.Read("kvt_addr", "default"), "default");
    }
    std::filesystem::permissions(home.Path() / "ro", std::filesystem::perms::owner_all);
}

} // namespace
} // namespace kvitok::testing
