#include "DialogFixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kvitok::testing {
namespace {

using PayerHandlers = DialogTest;

TEST_F(PayerHandlers, SavedPayerComesBackWithItsPositionsAndQuotes) {
    FillValidForm();
    SelectKbk(4);
    C().oktmo.Select(9);
    const std::string name = "O'Neil \"Ivan\" -- '; drop table insurers;";
    C().payer.SetEditText(name);
    Type(C().address, "It's \"here\"");
    Type(C().inn, "'50010073225");
    Type(C().regNumber, "1'3-456-789012");
    Type(C().snils, "112-233-445 '5");
    dialog->OnSavePayer();
    EXPECT_TRUE(platform.messages.shown.empty());
    ASSERT_EQ(C().payer.Count(), 1);
    dialog->OnSavePayer(); // the same name again updates, and the list keeps one entry
    EXPECT_EQ(C().payer.Count(), 1);

    Start(); // a new run: the list comes from the file, the form from the profile (nothing saved)
    ASSERT_EQ(C().payer.Count(), 1);
    EXPECT_EQ(C().payer.RowText(0), name);
    SelectYear(kRow2016);
    C().payer.Select(0);
    dialog->OnSelchangePayer();
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(C().status.Selected(), 2);
    EXPECT_EQ(C().kbk.Selected(), 4);
    EXPECT_EQ(C().oktmo.Selected(), 9);
    EXPECT_EQ(C().payer.EditText(), name);
    EXPECT_EQ(C().address.text, "It's \"here\"");
    EXPECT_EQ(C().inn.text, "'50010073225");
    EXPECT_EQ(C().regNumber.text, "1'3-456-789012");
    EXPECT_EQ(C().snils.text, "112-233-445 '5");
}

TEST_F(PayerHandlers, DeleteRemovesTheRowAndTheSelectedEntry) {
    for (const char* name : {"Bbb", "Aaa"}) {
        C().payer.SetEditText(name);
        dialog->OnSavePayer();
    }
    ASSERT_EQ(C().payer.Count(), 2);
    EXPECT_EQ(C().payer.RowText(0), "Aaa"); // sorted
    C().payer.Select(1);
    dialog->OnSelchangePayer();
    dialog->OnDeletePayer();
    ASSERT_EQ(C().payer.Count(), 1);
    EXPECT_EQ(C().payer.RowText(0), "Aaa");
    EXPECT_EQ(C().payer.EditText(), "Bbb"); // the deleted payer's details stay visible

    Start();
    ASSERT_EQ(C().payer.Count(), 1);
    EXPECT_EQ(C().payer.RowText(0), "Aaa");
}

TEST_F(PayerHandlers, FileThatIsNotADatabaseIsReportedAndTheDialogGoesOn) {
    const std::string path = folder.File("broken.db");
    std::ofstream(path) << std::string(4096, 'x');
    FakePlatform other;
    MainDialog broken(other.Services(), path);
    broken.OnInitDialog();
    ASSERT_EQ(other.messages.shown.size(), 1u);
    EXPECT_EQ(other.messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(other.about.shownCount, 1);
    EXPECT_EQ(broken.Controls().year.Count(), 9);

    broken.Controls().payer.SetEditText("New");
    broken.OnSavePayer();
    EXPECT_EQ(other.messages.shown.size(), 2u);
    EXPECT_EQ(broken.Controls().payer.Count(), 0); // not added when the insert failed
}

} // namespace
} // namespace kvitok::testing
