#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvitok {

// The payer list's rows to suggest under the payer field while a person types: the names that
// begin with the typed text, then the names one of whose later words begins with it, each group
// in the list's order, at most `most` rows in all. Texts are windows-1251.
//
// A word begins at a letter or digit that does not follow another letter or digit, so
// "ООО «Ромашка-2»" has the words ООО, Ромашка and 2, and "ван" does not find "Иванов". Letters
// are those of the code page's Latin and Cyrillic alphabets. A name begins with the text when
// the text is found at its first character that is not a blank, or at its first word (so
// "ромашка" finds "«Ромашка»" in the first group).
//
// Case is not minded, Ё is taken as Е, and a no-break space as a blank. Leading blanks of the
// typed text are not minded, the rest is: "Иванов И" finds "Иванов Иван", and a text of blanks
// finds nothing.
//
// Every call scans the rows afresh, folding as it goes: a hundred thousand names take a few
// milliseconds, so there is nothing to build at start and nothing to go stale when the rows change.
std::vector<int> FindPayers(const std::vector<std::string>& rows, std::string_view typed, std::size_t most);

} // namespace kvitok
