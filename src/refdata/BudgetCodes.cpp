#include "BudgetCodes.h"

#include "text/NumberText.h"

namespace kvitok {

namespace {

std::string KbkKey(std::string_view prefix, int kbkNumber, std::string_view postfix) {
    std::string key(prefix);
    key += IntToText(kbkNumber);
    key += '_';
    key += postfix;
    return key;
}

} // namespace

std::string KbkPostfixForYear(const ReferenceDictionary& dictionary, std::string_view yearText) {
    return dictionary.Lookup("POSTFIXKBK_" + std::string(yearText));
}

std::vector<OfferedKbk> OfferedKbks(const ReferenceDictionary& dictionary, int statusRow,
                                    std::string_view postfix) {
    std::vector<OfferedKbk> offered;
    const std::string status = IntToText(statusRow);
    // STAT_KBK_<n> lists the status rows a number is open to; row 0 ("0") is never among them.
    const std::vector<std::string> filters = dictionary.CountedRun("STAT_KBK_");
    for (std::size_t i = 0; i < filters.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        if (filters[i].find(status) == std::string::npos) {
            continue;
        }
        const std::string code = dictionary.Lookup(KbkKey("KBK_", number, postfix));
        if (code.empty()) {
            continue;
        }
        offered.push_back({number, code + " - " + dictionary.Lookup(KbkKey("KBK_NAME_", number, postfix))});
    }
    return offered;
}

int KbkNumberForRow(const std::vector<int>& kbkNumbers, int row) {
    if (row < 1 || static_cast<std::size_t>(row) > kbkNumbers.size()) {
        return 0;
    }
    return kbkNumbers[static_cast<std::size_t>(row) - 1];
}

KbkCode KbkCodeAndName(const ReferenceDictionary& dictionary, int kbkNumber, std::string_view postfix) {
    KbkCode result {dictionary.Lookup(KbkKey("KBK_", kbkNumber, postfix)), {}};
    // Some generations keep a name for a number whose code is gone; without a code it is not payable.
    if (!result.code.empty()) {
        result.name = dictionary.Lookup(KbkKey("KBK_NAME_", kbkNumber, postfix));
    }
    return result;
}

bool IsGroupKbk(const ReferenceDictionary& dictionary, int kbkNumber) {
    return dictionary.Lookup("KBK_SW_" + IntToText(kbkNumber)).find("GROUPKBK") != std::string::npos;
}

std::vector<int> ParseGroupMembers(std::string_view listText) {
    // Each item is cut off the front of the list, so "7,27," keeps its 27 and a repeated number
    // stays repeated; removing every occurrence of an item would mangle such lists.
    std::vector<int> members;
    for (std::size_t comma = listText.find(','); comma != std::string_view::npos;
         comma = listText.find(',')) {
        const int value = AtoI(listText.substr(0, comma));
        if (value > 0) {
            members.push_back(value);
        }
        listText.remove_prefix(comma + 1);
    }
    return members;
}

std::vector<int> GroupMembersOfKbk(const ReferenceDictionary& dictionary, int kbkNumber) {
    if (!IsGroupKbk(dictionary, kbkNumber)) {
        return {};
    }
    return ParseGroupMembers(dictionary.Lookup("GROUPKBK"));
}

} // namespace kvitok
