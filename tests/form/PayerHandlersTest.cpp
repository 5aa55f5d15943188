#include "DialogFixture.h"
#include "form/SortInPieces.h"
#include "payers/DbConnection.h"
#include "payers/PayerStore.h"
#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

namespace kvitok::testing {
namespace {

using PayerHandlers = DialogTest;

std::string Cp1251(std::string_view utf8) {
    return *Utf8ToCp1251(utf8);
}

TEST_F(PayerHandlers, SavedPayerComesBackWithItsPositionsAndQuotes) {
    FillValidForm();
    SelectKbk(4);
    C().List(Id::Oktmo).Select(9);
    const std::string name = "O'Neil \"Ivan\" -- '; drop table insurers;";
    C().List(Id::Payer).SetEditText(name);
    Put(Id::Address, "It's \"here\"");
    Put(Id::Inn, "'50010073225");
    Put(Id::RegNumber, "1'3-456-789012");
    Put(Id::Snils, "112-233-445 '5");
    Click(Id::SavePayer);
    EXPECT_TRUE(platform.messages.shown.empty());
    ASSERT_EQ(C().List(Id::Payer).Count(), 1);
    Click(Id::SavePayer); // the same name again updates, and the list keeps one entry
    EXPECT_EQ(C().List(Id::Payer).Count(), 1);

    Start(); // a new run: the list comes from the file, the form from the profile (nothing saved)
    ASSERT_EQ(C().List(Id::Payer).Count(), 1);
    EXPECT_EQ(C().List(Id::Payer).RowText(0), name);
    SelectYear(kRow2016);
    Pick(Id::Payer, 0);
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(C().List(Id::Status).Selected(), 2);
    EXPECT_EQ(C().List(Id::Kbk).Selected(), 4);
    EXPECT_EQ(C().List(Id::Oktmo).Selected(), 9);
    EXPECT_EQ(C().List(Id::Payer).EditText(), name);
    EXPECT_EQ(C().Edit(Id::Address).text, "It's \"here\"");
    EXPECT_EQ(C().Edit(Id::Inn).text, "'50010073225");
    EXPECT_EQ(C().Edit(Id::RegNumber).text, "1'3-456-789012");
    EXPECT_EQ(C().Edit(Id::Snils).text, "112-233-445 '5");
}

TEST_F(PayerHandlers, DeleteRemovesTheRowAndTheSelectedEntry) {
    for (const char* name : {"Bbb", "Aaa"}) {
        C().List(Id::Payer).SetEditText(name);
        Click(Id::SavePayer);
    }
    ASSERT_EQ(C().List(Id::Payer).Count(), 2);
    EXPECT_EQ(C().List(Id::Payer).RowText(0), "Aaa"); // sorted
    Pick(Id::Payer, 1);
    Click(Id::DeletePayer);
    ASSERT_EQ(C().List(Id::Payer).Count(), 1);
    EXPECT_EQ(C().List(Id::Payer).RowText(0), "Aaa");
    EXPECT_EQ(C().List(Id::Payer).EditText(), "Bbb"); // the deleted payer's details stay visible

    Start();
    ASSERT_EQ(C().List(Id::Payer).Count(), 1);
    EXPECT_EQ(C().List(Id::Payer).RowText(0), "Aaa");
}

// Typed over a picked name, Удалить removes the typed payer from the file and the list; the
// picked one stays in both.
// Удалить asks first, naming the payer, and a name no stored payer has is told, not passed over.
TEST_F(PayerHandlers, DeleteAsksFirstAndTellsOfANameNotStored) {
    C().List(Id::Payer).SetEditText("Aaa");
    Click(Id::SavePayer);
    struct Case {
        const char* name;
        MessageAnswer answer;
        const char* words;
        int left; // the payers stored afterwards
    };
    const Case cases[] = {
        {"Aaa", MessageAnswer::Cancel, "Удалить плательщика «Aaa» из списка?", 1},
        {"Bbb", MessageAnswer::Ok, "Плательщика «Bbb» нет в списке.", 1},
        {"Aaa", MessageAnswer::Ok, "Удалить плательщика «Aaa» из списка?", 0},
    };
    for (const Case& c : cases) {
        Type(Id::Payer, c.name);
        platform.messages.shown.clear();
        platform.messages.answers = {c.answer};
        Click(Id::DeletePayer);
        ASSERT_EQ(platform.messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(platform.messages.shown[0].text, std::string(Cp1251(c.words))) << c.name;
        PayerStore store;
        ASSERT_TRUE(store.Open(folder.File("insurers.db")));
        EXPECT_EQ(store.Find("Aaa")->has_value(), c.left == 1) << c.name;
        EXPECT_EQ(C().List(Id::Payer).Count(), c.left) << c.name;
    }
}

// As the person types, the stored names that begin with the text, or whose later word does, are
// suggested under the field; taking one is a pick of that payer.
TEST_F(PayerHandlers, TypedLettersSuggestPayersAndTakingOneIsAPick) {
    for (const char* name : {"Петров Пётр", "Ёжиков Иван", "Иванов Ефим", "Жуков Иван"}) {
        Type(Id::Payer, Cp1251(name));
        Put(Id::Address, Cp1251(name) + " street");
        Click(Id::SavePayer);
    }
    Type(Id::Payer, Cp1251("иван"));
    EXPECT_TRUE(port.suggestions[Id::Payer] ==
                (std::vector<std::u16string> {u"Иванов Ефим", u"Ёжиков Иван", u"Жуков Иван"}));
    Type(Id::Payer, Cp1251("еж"));
    ASSERT_TRUE(port.suggestions[Id::Payer] == std::vector<std::u16string> {u"Ёжиков Иван"});
    sync->SuggestionTaken(Id::Payer, 0);
    EXPECT_TRUE(port.suggestions[Id::Payer].empty());
    EXPECT_EQ(C().List(Id::Payer).EditText(), Cp1251("Ёжиков Иван"));
    EXPECT_EQ(C().Edit(Id::Address).text, Cp1251("Ёжиков Иван street"));
    Type(Id::Payer, Cp1251("Сидоров"));
    EXPECT_TRUE(port.suggestions[Id::Payer].empty());
}

TEST_F(PayerHandlers, DeleteRemovesTheEntryOfTheNameItDeleted) {
    for (const char* name : {"Bbb", "Aaa", "Ccc"}) {
        C().List(Id::Payer).SetEditText(name);
        Click(Id::SavePayer);
    }
    C().List(Id::Payer).Select(C().List(Id::Payer).FindRow("Bbb"));
    C().List(Id::Payer).SetEditText("Aaa");
    Click(Id::DeletePayer);
    EXPECT_EQ(C().List(Id::Payer).Rows(), (std::vector<std::string> {"Bbb", "Ccc"}));
    EXPECT_EQ(C().List(Id::Payer).SelectedText(), "Bbb");
    Start();
    EXPECT_EQ(C().List(Id::Payer).Rows(), (std::vector<std::string> {"Bbb", "Ccc"}));
}

// A pick sets every field it stores, or nothing: an over-long INN it replaces (switched off, or
// on) never stops it half-way; one it keeps (the birth year) refuses it, and the list goes back.
TEST_F(PayerHandlers, APickReplacesEveryFieldItSetsOrNothing) {
    const PayerRecord stored {"Bbb", "B street", 2, 1, "500100732259", "123-456-789012", "112-233-445 95", 9};
    PayerStore store;
    ASSERT_TRUE(store.Open(folder.File("insurers.db")));
    ASSERT_TRUE(store.Save(stored));
    const auto shown = [this] {
        return PayerRecord {C().List(Id::Payer).EditText(),  C().Edit(Id::Address).text,
                            C().List(Id::Status).Selected(), C().List(Id::Kbk).Selected(),
                            C().Edit(Id::Inn).text,          C().Edit(Id::RegNumber).text,
                            C().Edit(Id::Snils).text,        C().List(Id::Oktmo).Selected()};
    };
    struct Case {
        int status, year, kbkNumber;
        const char* inn;
        const char* birthYear;
        bool refused;
    } const cases[] = {{3, kRow2016, 26, "5001007322590", "", false},
                       {2, kRow2016, 2, "5001007322590", "", false},
                       {2, kRow2013, 2, "500100732259", "19700", true}};
    for (const Case& c : cases) {
        Start();
        C().List(Id::Payer).SetEditText("Aaa");
        SelectStatus(c.status);
        SelectYear(c.year);
        SelectKbkNumber(c.kbkNumber);
        Put(Id::Inn, c.inn);
        Put(Id::BirthYear, c.birthYear);
        const PayerRecord before = shown();
        platform.messages.shown.clear();
        Pick(Id::Payer, 0);
        EXPECT_EQ(shown(), c.refused ? before : stored) << c.inn << " " << c.birthYear;
        EXPECT_EQ(platform.messages.shown.size(), c.refused ? 1u : 0u) << c.inn << " " << c.birthYear;
    }
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
    EXPECT_EQ(broken.Controls().List(Id::Year).Count(), 9);

    broken.Controls().List(Id::Payer).SetEditText("New");
    broken.OnSavePayer();
    EXPECT_EQ(other.messages.shown.size(), 2u);
    EXPECT_EQ(broken.Controls().List(Id::Payer).Count(), 0); // not added when the insert failed
}

// A file damaged late (a page overwritten) keeps the names read before the damage in the list.
TEST_F(PayerHandlers, DamagedFileKeepsTheNamesReadBeforeTheDamage) {
    const std::string path = folder.File("damaged.db");
    {
        ASSERT_TRUE(PayerStore().Open(path));
        DbConnection db;
        db.openFile(path);
        db.runCommand("with recursive n(i) as (select 1000 union all select i + 1 from n where i < 1299) "
                      "insert into insurers(name, address, status, kbk, oktmo) "
                      "select 'Payer ' || i, printf('%.200c', 'a'), 2, 1, 1 from n;");
    }
    const auto size = std::filesystem::file_size(path);
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(size - 4096));
        file << std::string(4096, '\xFF');
    }
    FakePlatform other;
    MainDialog damaged(other.Services(), path);
    damaged.OnInitDialog();
    ASSERT_EQ(other.messages.shown.size(), 1u);
    EXPECT_NE(other.messages.shown[0].text.find("malformed"), std::string::npos)
        << other.messages.shown[0].text;
    EXPECT_GT(damaged.Controls().List(Id::Payer).Count(), 100);
    EXPECT_LT(damaged.Controls().List(Id::Payer).Count(), 300);
    EXPECT_EQ(damaged.Controls().List(Id::Payer).RowText(0), "Payer 1000");
}

// A payer from a table made by another tool, without one of the columns: choosing it applies
// the columns in their order up to the missing one, then says why it stopped.
TEST_F(PayerHandlers, ChoosingAPayerAppliesColumnsUpToAMissingOne) {
    struct Case {
        const char* missing;
        bool kbk, address, snils;
    };
    const Case cases[] = {
        {"kbk", false, false, false},
        {"address", true, false, false},
        {"snils", true, true, false},
        {"", true, true, true},
    };
    for (const Case& c : cases) {
        const std::string path = folder.File(std::string("foreign-") + c.missing + ".db");
        std::string columns;
        std::string values;
        for (const auto& [column, value] :
             std::initializer_list<std::pair<std::string, std::string>> {{"name", "'Foreign'"},
                                                                         {"address", "'Stored address'"},
                                                                         {"status", "2"},
                                                                         {"kbk", "4"},
                                                                         {"inn", "'500100732259'"},
                                                                         {"regnumber", "'123-456-789012'"},
                                                                         {"snils", "'112-233-445 95'"},
                                                                         {"oktmo", "9"}}) {
            if (column != c.missing) {
                columns += (columns.empty() ? "" : ",") + column;
                values += (values.empty() ? "" : ",") + value;
            }
        }
        {
            DbConnection db;
            db.openFile(path);
            db.runCommand("create table insurers (id integer primary key, " + columns + ");" +
                          "insert into insurers(" + columns + ") values(" + values + ");");
        }
        FakePlatform other;
        MainDialog dialog(other.Services(), path);
        dialog.OnInitDialog();
        DialogControls& controls = dialog.Controls();
        controls.List(Id::Year).Select(kRow2016);
        dialog.OnSelchangeYear();
        controls.Edit(Id::Address).text = "Typed address";
        controls.Edit(Id::Snils).text = "999-999-999 99";
        controls.List(Id::Payer).Select(0);
        dialog.OnSelchangePayer();

        EXPECT_EQ(controls.List(Id::Status).Selected(), 2) << c.missing;
        EXPECT_EQ(controls.List(Id::Kbk).Selected() == 4, c.kbk) << c.missing;
        EXPECT_EQ(controls.List(Id::Oktmo).Selected() == 9, c.kbk) << c.missing;
        EXPECT_EQ(controls.Edit(Id::Address).text == "Stored address", c.address) << c.missing;
        EXPECT_EQ(controls.Edit(Id::Inn).text == "500100732259", c.address) << c.missing;
        EXPECT_EQ(controls.Edit(Id::Snils).text == "112-233-445 95", c.snils) << c.missing;
        EXPECT_EQ(controls.List(Id::Payer).EditText(), "Foreign");
        ASSERT_EQ(other.messages.shown.size(), *c.missing ? 1u : 0u) << c.missing;
        if (*c.missing) {
            EXPECT_EQ(other.messages.shown[0].text, "DBLAYER_ERROR[1000]: Invalid field name requested");
        }
    }
}

// Words the payer list's order must get right: case, Ё beside Е, digits, Latin letters, nothing.
const std::vector<std::string>& OrderingWords() {
    static const std::vector<std::string> words = {std::string("Петров"_cp),
                                                   std::string("петров"_cp),
                                                   std::string("Ёлкин"_cp),
                                                   std::string("Елкин"_cp),
                                                   "Smith",
                                                   "smith",
                                                   "10",
                                                   "9",
                                                   ""};
    return words;
}

// Filling the list at once gives the order and selection of adding the rows one at a time.
TEST(PayerList, FillingAtOnceKeepsTheOrderOfOneByOne) {
    const std::vector<std::string>& words = OrderingWords();
    std::mt19937 random(7);
    std::vector<std::string> names;
    for (int i = 0; i < 400; ++i) {
        names.push_back(words[random() % words.size()] + (random() % 2 ? " " : ""));
    }
    ListModel oneByOne(true, true);
    ListModel atOnce(true, true);
    for (ListModel* list : {&oneByOne, &atOnce}) {
        list->AddRow(names[0]);
        list->AddRow(names[1]);
        list->Select(1);
    }
    for (std::size_t i = 2; i < names.size(); ++i) {
        oneByOne.AddRow(names[i]);
    }
    atOnce.AddRows({names.begin() + 2, names.end()});
    EXPECT_EQ(atOnce.Rows(), oneByOne.Rows());
    EXPECT_EQ(atOnce.Selected(), oneByOne.Selected());
}

// Rows put in order a piece at a time, the rest taken at once wherever the pieces stopped, then
// added to a sorted list, stand as adding them one at a time would leave them: rows equal but for
// case in the order they came, behind those already there, and the selected row still selected.
// Enough rows for six sorted runs, merged over three rounds, and a short last one.
TEST(PayerList, OrderingInPiecesKeepsTheOrderOfOneByOne) {
    const std::vector<std::string>& words = OrderingWords();
    std::mt19937 random(11);
    std::vector<std::string> rows;
    for (int i = 0; i < 21000; ++i) {
        rows.push_back(words[random() % words.size()] + std::to_string(random() % 3));
    }
    std::vector<std::string> expected;
    ListModel list(true, true);
    for (const std::string& row : {std::string("петров1"_cp), std::string("Smith2")}) {
        list.AddRow(row);
    }
    list.Select(list.FindRow("Smith2"));
    expected = list.Rows();
    for (const std::string& row : rows) {
        expected.insert(std::upper_bound(expected.begin(), expected.end(), row, RussianLess), row);
    }
    // How many pieces run before the rest is taken at once (-1: all of them).
    for (const int pieces : {0, 3, 8, -1}) {
        SortInPieces sorting(rows);
        for (int piece = 0; (pieces < 0 || piece < pieces) && sorting.Step(); ++piece) {}
        ListModel filled = list;
        filled.AddRows(sorting.Take());
        ASSERT_EQ(filled.Rows(), expected) << pieces;
        EXPECT_EQ(filled.Selected(),
                  std::find(expected.begin(), expected.end(), "Smith2") - expected.begin());
    }
}

} // namespace
} // namespace kvitok::testing
