#include "platform/IniProfile.h"
#include "platform/WholeFile.h"
#include "support/TestFiles.h"
#include "text/Cp1251.h"
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
                               "kvt_cjk=中\r\n"
                               "kvt_single=' Мира, 1 '\r\n"
                               "kvt_double=\" 2 \"\r\n"
                               "kvt_half='3\r\n";
    const std::string tail = "\r\n"
                             "[tail]\r\n"
                             "x=1"; // no line feed at the end
    WriteFile(File(), head + "  kvt_stat =  2  \r\n" + middle + tail);
    IniProfile profile(File(), "kvt_section");
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "2");
    EXPECT_EQ(profile.Read("KVT_ADDR", ""), std::string("Ольмград, ул. Мира"_cp));
    EXPECT_EQ(profile.Read("kvt_euro", ""), std::string("5 €"_cp));
    EXPECT_EQ(profile.Read("kvt_bad", "dflt"), "\xff\xfe"); // not UTF-8: windows-1251 as it stands
    EXPECT_EQ(profile.Read("kvt_cjk", "dflt"), "dflt");     // no windows-1251 letter for it
    EXPECT_EQ(profile.Read("x", "dflt"), "dflt");           // another section's key
    // Quotes keep the blanks at a value's ends, as other programs write them.
    EXPECT_EQ(profile.Read("kvt_single", ""), std::string(" Мира, 1 "_cp));
    EXPECT_EQ(profile.Read("kvt_double", ""), " 2 ");
    EXPECT_EQ(profile.Read("kvt_half", ""), "'3");

    EXPECT_TRUE(profile.Write({{"kvt_stat", "3"}, {"kvt_new", "n"}}));
    // New keys go into their section, with the file's line ending; every other line stays.
    EXPECT_EQ(ReadFile(File()), head + "kvt_stat=3\r\n" + middle + "kvt_new=n\r\n" + tail + "\r\n");
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "3");
    EXPECT_EQ(IniProfile(File(), "other").Read("kvt_stat", "0"), "9");
}

TEST_F(IniProfileTest, LongValuesAreCutTo999Characters) {
    IniProfile profile(File(), "kvt_section");
    EXPECT_TRUE(profile.Write({{"kvt_addr", std::string(1500, 'x')}}));
    EXPECT_EQ(profile.Read("kvt_addr", ""), std::string(999, 'x'));
}

// A form kept in code page 1251 (copied by hand from an old profile, or written by another tool)
// comes back whole; a value that cannot be read at all is not emptied by the next close.
TEST_F(IniProfileTest, NoValueIsLostToAnEncoding) {
    const std::string name("Петров Пётр"_cp);
    const std::string address("г. Ольмград, ул. Мира, 1"_cp);
    WriteFile(File(), "[kvt_section]\nkvt_insurer=" + name + "\nkvt_addr=" + address + "\nkvt_inn=中\n");
    IniProfile profile(File(), "kvt_section");
    ASSERT_EQ(profile.Read("kvt_insurer", ""), name);
    ASSERT_EQ(profile.Read("kvt_addr", ""), address);
    ASSERT_EQ(profile.Read("kvt_inn", ""), "");

    // The dialog writes back what it read.
    EXPECT_TRUE(profile.Write({{"kvt_insurer", name}, {"kvt_addr", address}, {"kvt_inn", ""}}));
    EXPECT_EQ(ReadFile(File()), "[kvt_section]\nkvt_insurer=" + Cp1251ToUtf8(name) +
                                    "\nkvt_addr=" + Cp1251ToUtf8(address) + "\nkvt_inn=中\n");
    EXPECT_EQ(IniProfile(File(), "kvt_section").Read("kvt_insurer", ""), name);
    // A value the person typed replaces it.
    EXPECT_TRUE(profile.Write({{"kvt_inn", "500100732259"}}));
    EXPECT_EQ(profile.Read("kvt_inn", ""), "500100732259");
}

// A rewritten file has one line ending throughout: the one most of its lines have, or the
// platform's own for a file without any. A text editor's byte order mark hides nothing.
TEST_F(IniProfileTest, RewrittenFileKeepsOneLineEnding) {
    const std::string native(NativeLineEnding());
    struct Case {
        std::string before;
        std::string ending;
    };
    const Case cases[] = {
        {"", native},
        {"[kvt_section]", native},
        {"[kvt_section]\r\nkvt_stat=2\r\n[other]\nx=1\r\n", "\r\n"},
        {"[kvt_section]\r\nkvt_stat=2\n[other]\nx=1", "\n"},
        {"\xEF\xBB\xBF[kvt_section]\r\nkvt_stat=2\r\n", "\r\n"},
    };
    for (const Case& c : cases) {
        WriteFile(File(), c.before);
        IniProfile profile(File(), "kvt_section");
        EXPECT_TRUE(profile.Write({{"kvt_stat", "3"}, {"kvt_addr", "a"}}));
        const std::string after = ReadFile(File());
        EXPECT_EQ(profile.Read("kvt_stat", ""), "3") << c.before;
        EXPECT_EQ(after.find("[kvt_section]"), after.rfind("[kvt_section]")) << c.before; // found, once
        std::string ends;
        for (std::size_t i = after.find('\n'); i != std::string::npos; i = after.find('\n', i + 1)) {
            ends += i > 0 && after[i - 1] == '\r' ? 'c' : 'l';
        }
        EXPECT_EQ(ends, std::string(ends.size(), c.ending == "\r\n" ? 'c' : 'l')) << c.before;
        EXPECT_TRUE(after.ends_with(c.ending)) << c.before;
        EXPECT_EQ(after.starts_with("\xEF\xBB\xBF"), c.before.starts_with("\xEF\xBB\xBF")) << c.before;
    }
}

} // namespace
} // namespace kvitok::testing
