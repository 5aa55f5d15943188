#include "form/PayerSearch.h"
#include "form/ControlModels.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvitok {
namespace {

std::vector<std::string> Rows(std::initializer_list<std::string_view> texts) {
    return {texts.begin(), texts.end()};
}

TEST(FindPayers, SuggestsNamesByTheirStartThenByALaterWord) {
    const std::vector<std::string> rows = Rows({
        "Алексеев Иван"_cp,          // 0
        "Ёлкина Мария"_cp,           // 1
        "ЕЛЕНИН ПЁТР"_cp,            // 2
        "Иванов Пётр"_cp,            // 3
        "Ивановский Олег"_cp,        // 4
        "ООО «Ромашка-2»"_cp,        // 5
        "Петров\u00A0Иван Ильич"_cp, // 6: a no-break space between the words
        "  «Ромашка» ЗАО"_cp,        // 7
        "Smith John"_cp,             // 8
        "ИП Сидоров С.Ёлкин"_cp,     // 9
    });
    const struct {
        std::string_view typed;
        std::vector<int> expected;
    } cases[] = {
        {"иван"_cp, {3, 4, 0, 6}},           // the names that begin so first, though later in the list
        {"ван"_cp, {}},                      // not by the middle of a word
        {"ел"_cp, {1, 2, 9}},                // е finds Ё, small finds capital, a word after "."
        {"Ёл"_cp, {1, 2, 9}},                // and Ё finds Е
        {"пЕтР"_cp, {6, 2, 3}},              // Е finds Ё in the name too
        {"SMITH j"_cp, {8}},                 // Latin case
        {"   Иванов П"_cp, {3}},             // leading blanks dropped, the inner one minded
        {"иванов "_cp, {3}},                 // a trailing blank ends the word
        {"петров иван"_cp, {6}},             // a blank finds a no-break space
        {"ромашка"_cp, {7, 5}},              // after "«" a word begins; the first word counts as the start
        {"2"_cp, {5}},                       // so does a digit after "-"
        {"«ром"_cp, {7}},                    // a text may begin with what is not a letter
        {""_cp, {}},                         // nothing typed
        {"  \u00A0 "_cp, {}},                // only blanks
        {"Ивановский Олег Петрович"_cp, {}}, // longer than any name
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindPayers(rows, c.typed, 20), c.expected) << c.typed;
    }
}

TEST(FindPayers, KeepsToTheLimitAndFollowsTheListAsItChanges) {
    ListModel list(true, true);
    list.AddRows(Rows({"Петров Иван"_cp, "Иванова Анна"_cp, "Иванов Пётр"_cp, "Сидоров Иван"_cp}));
    // Иванов, Иванова, Петров, Сидоров: the names that begin so fill the rows first.
    EXPECT_EQ(FindPayers(list.Rows(), "иван"_cp, 3), (std::vector<int> {0, 1, 2}));
    EXPECT_EQ(FindPayers(list.Rows(), "иван"_cp, 1), (std::vector<int> {0}));
    EXPECT_EQ(FindPayers(list.Rows(), "иван"_cp, 0), (std::vector<int> {}));

    list.AddRow(std::string("Абрамов Иван"_cp));
    list.RemoveRow(list.FindRow(std::string("Иванов Пётр"_cp)));
    // Абрамов, Иванова, Петров, Сидоров.
    EXPECT_EQ(FindPayers(list.Rows(), "иван"_cp, 20), (std::vector<int> {1, 0, 2, 3}));
    EXPECT_EQ(FindPayers(list.Rows(), "иван"_cp, 1), (std::vector<int> {1}));
}

} // namespace
} // namespace kvitok
