#pragma once

#include "base/CalendarDate.h"

#include <string>

namespace kvitok {

// The text and date fields of the main dialog as the last exchange with the controls left
// them. The list selections are not copied here: they are read from the list models when
// needed. All texts are windows-1251.
struct PaymentForm {
    std::string payerName;
    std::string address;
    std::string inn;
    std::string regNumber;
    std::string fileName;
    std::string sumRub;
    std::string sumKop;
    std::string oktmo; // text of the selected OKTMO row: code, " - ", name
    CalendarDate periodFrom;
    CalendarDate periodTo;
    std::string snils;
    std::string birthYear;
    std::string incomeRub;
    std::string incomeKop;
};

} // namespace kvitok
