#pragma once

#include "refdata/ReferenceDictionary.h"

#include <string>
#include <string_view>
#include <vector>

namespace kvitok {

// A KBK number offered in the KBK list, with the row text the list shows for it.
struct OfferedKbk {
    int number = 0;
    std::string rowText; // code, " - ", payment name

    bool operator==(const OfferedKbk&) const = default;
};

// The code and payment name of a KBK number in one code generation; both empty when the number has
// no code there.
struct KbkCode {
    std::string code;
    std::string name;

    bool operator==(const KbkCode&) const = default;
};

// The code generation (POSTFIXKBK_<year>) of a year as shown in the year list; empty for an unknown year.
std::string KbkPostfixForYear(const ReferenceDictionary& dictionary, std::string_view yearText);

// The KBK numbers open to the status in list row statusRow under the postfix, ascending, with list texts.
std::vector<OfferedKbk> OfferedKbks(const ReferenceDictionary& dictionary, int statusRow,
                                    std::string_view postfix);

// The KBK number shown in KBK list row `row` (row 0, or a row past the list, gives 0: no KBK).
int KbkNumberForRow(const std::vector<int>& kbkNumbers, int row);

// Code and payment name of a KBK number under a postfix; an empty code empties the name too.
KbkCode KbkCodeAndName(const ReferenceDictionary& dictionary, int kbkNumber, std::string_view postfix);

// Whether the KBK number stands for a group of payments (its switch list names GROUPKBK).
bool IsGroupKbk(const ReferenceDictionary& dictionary, int kbkNumber);

// The numbers of a comma-terminated list, in order with repeats; those <= 0 and text after the last comma
// dropped.
std::vector<int> ParseGroupMembers(std::string_view listText);

// The members of a group KBK from "GROUPKBK"; empty when the number is not a group.
std::vector<int> GroupMembersOfKbk(const ReferenceDictionary& dictionary, int kbkNumber);

} // namespace kvitok
