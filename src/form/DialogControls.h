#pragma once

#include "ControlModels.h"

namespace kvitok {

// The models of every control the dialog logic reads or writes; the numbers are the control
// ids of the dialog template.
struct DialogControls {
    ListModel payer {true, true}; // 1035, editable, sorted
    EditModel address;            // 1001
    ListModel status;             // 1007
    ListModel year {true};        // 1006, sorted
    ListModel taxPeriod;          // 1023
    ListModel kbk;                // 1005
    EditModel inn;                // 1003
    EditModel regNumber;          // 1004
    EditModel snils;              // 1013
    EditModel birthYear;          // 1014
    ListModel oktmo {true};       // 1002, sorted
    EditModel incomeRub;          // 1011
    EditModel incomeKop;          // 1015
    DatePickerModel periodFrom;   // 1027
    DatePickerModel periodTo;     // 1028
    EditModel sumRub;             // 1009
    EditModel sumKop;             // 1010
    EditModel fileName;           // 1008
    ButtonModel browse;           // 1019
    ButtonModel create;           // 1
};

} // namespace kvitok
