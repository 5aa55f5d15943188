#pragma once

#include <span>

namespace kvitok {

// The dialogs are laid out in dialog units of their font, as the dialog resources they
// mirror: x and width in quarters of the average character width, y and height in eighths
// of the character height.

enum class ControlKind {
    Picture,          // the emblem, scaled to the control
    Static,           // label, left-aligned, wraps
    CentredStatic,    // label, centred, wraps
    Button,           // push button
    DefaultButton,    // the button Enter presses
    Edit,             // single-line edit with a border
    BorderlessEdit,   // read-only edit without a border (the build stamp)
    DropDownList,     // list to choose from
    EditableDropDown, // list with an edit field
    DatePicker,       // date with a calendar drop-down
};

struct ControlTemplate {
    int id; // -1 for controls the program never addresses
    ControlKind kind;
    const char* text; // UTF-8
    int x, y, width, height;
};

// How a screen reader names an input: after the template's label above it, which becomes the
// input's buddy. A second input under one label (or with only a unit beside it) is named by that
// label and its part. The input's "?" button, if it has one, is named after the input.
struct FieldName {
    int id;
    const char* label;          // UTF-8, the text of a label of the same template
    const char* part = nullptr; // UTF-8
    int helpId = -1;
};

struct DialogTemplate {
    const char* title; // UTF-8
    int width, height;
    std::span<const ControlTemplate> controls;
    std::span<const FieldName> fields = {};
};

namespace ControlId {
inline constexpr int Create = 1;
inline constexpr int Cancel = 2;
inline constexpr int BuildStamp = 1000;
inline constexpr int Address = 1001;
inline constexpr int Oktmo = 1002;
inline constexpr int Inn = 1003;
inline constexpr int RegNumber = 1004;
inline constexpr int Kbk = 1005;
inline constexpr int Year = 1006;
inline constexpr int Status = 1007;
inline constexpr int FileName = 1008;
inline constexpr int SumRub = 1009;
inline constexpr int SumKop = 1010;
inline constexpr int IncomeRub = 1011;
inline constexpr int About = 1012;
inline constexpr int Snils = 1013;
inline constexpr int BirthYear = 1014;
inline constexpr int IncomeKop = 1015;
inline constexpr int Browse = 1019;
inline constexpr int HelpYear = 1020;
inline constexpr int HelpBirthYear = 1021;
inline constexpr int HelpTaxPeriod = 1022;
inline constexpr int TaxPeriod = 1023;
inline constexpr int HelpOktmo = 1024;
inline constexpr int HelpPeriodFrom = 1025;
inline constexpr int HelpPeriodTo = 1026;
inline constexpr int PeriodFrom = 1027;
inline constexpr int PeriodTo = 1028;
inline constexpr int HelpSum = 1029;
inline constexpr int HelpIncome = 1030;
inline constexpr int SavePayer = 1032;
inline constexpr int Payer = 1035;
// The about box's line naming the platform; each window writes its own.
inline constexpr int PlatformLine = 1036;
inline constexpr int DeletePayer = 1037;
} // namespace ControlId

const DialogTemplate& MainDialogTemplate();
const DialogTemplate& AboutDialogTemplate();

// A closed drop-down is as high as an edit; the template's height includes the open list.
inline constexpr int kClosedDropDownHeight = 12;

} // namespace kvitok
