#pragma once

#include <string>

namespace kvitok {

// What the composer reads of the main form, taken once per Create command. Texts are
// windows-1251 as the user entered or the lists show them.
struct ReceiptInput {
    int statusRow = 0;     // row of the status list; row 0 is the blank entry, so it is the status number
    std::string snils;     // in its mask "___-___-___ __"
    std::string regNumber; // in its mask "___-___-______"
    std::string inn;
    std::string oktmo; // the selected OKTMO row: code, " - ", name
    std::string payerName;
    std::string address;
    std::string sumRub;
    std::string sumKop;
    bool innEnabled = false;
    bool oktmoEnabled = false;
    bool printStatus = false;   // the selected KBK's switch list holds PRINTSTAT
    std::string kbkEntryText;   // the selected KBK row: code, " - ", payment name
    int kbkNumber = 0;          // KBK number of that row
    std::string yearEntryText;  // e.g. "2016"
    std::string periodMarkText; // e.g. "ГД.00."
};

} // namespace kvitok
