#include "platform/IniProfile.h"
#include "support/TestFiles.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

class IniProfileTest : public ::testing::Test {
protected:
    fs::path File() const { return m_folder.Path() / "config" / "kvitok" / "kvitok.ini"; }

    TempFolder m_folder;
};

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
        EXPECT_TRUE(profile.Write({{"kvt_addr", value}}));
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
    WriteFile(File(), head + "  kvt_stat =  2  \r\n" + middle + tail);
    IniProfile profile(File(), "kvt_section");
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "2");
    EXPECT_EQ(profile.Read("KVT_ADDR", ""), std::string("Ольмград, ул. Мира"_cp));
    EXPECT_EQ(profile.Read("kvt_euro", ""), std::string("5 €"_cp));
    EXPECT_EQ(profile.Read("kvt_bad", "dflt"), "dflt"); // not UTF-8
    EXPECT_EQ(profile.Read("kvt_cjk", "dflt"), "dflt"); // no windows-1251 letter for it
    EXPECT_EQ(profile.Read("x", "dflt"), "dflt");       // another section's key

    EXPECT_TRUE(profile.Write({{"kvt_stat", "3"}, {"kvt_new", "n"}}));
    // New keys go into their section; every other line stays as it was.
    EXPECT_EQ(ReadFile(File()), head + "kvt_stat=3\n" + middle + "kvt_new=n\n" + tail + "\n");
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "3");
    EXPECT_EQ(IniProfile(File(), "other").Read("kvt_stat", "0"), "9");
}

TEST_F(IniProfileTest, LongValuesAreCutTo999Characters) {
    IniProfile profile(File(), "kvt_section");
    EXPECT_TRUE(profile.Write({{"kvt_addr", std::string(1500, 'x')}}));
    EXPECT_EQ(profile.Read("kvt_addr", ""), std::string(999, 'x'));
}

} // namespace
} // namespace kvitok::testing
