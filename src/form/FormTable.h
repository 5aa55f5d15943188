#pragma once

#include "PaymentForm.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace kvitok {

class MainDialog;
struct FormControl;

// The form, declared once: one row per control with everything the program knows of it. The
// windows make their controls from it, the models of the controls are made from it, and the
// control sync, the data exchange, the help, the switching and the profile read it.

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

constexpr bool IsLabel(ControlKind kind) {
    return kind == ControlKind::Static || kind == ControlKind::CentredStatic;
}
constexpr bool IsButton(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::DefaultButton;
}
constexpr bool IsEdit(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::BorderlessEdit;
}
constexpr bool IsList(ControlKind kind) {
    return kind == ControlKind::DropDownList || kind == ControlKind::EditableDropDown;
}
constexpr bool IsDatePicker(ControlKind kind) {
    return kind == ControlKind::DatePicker;
}
// An edit, or a list with an edit of its own: a control the person types into.
constexpr bool HoldsText(ControlKind kind) {
    return IsEdit(kind) || kind == ControlKind::EditableDropDown;
}

// Dialog units of the dialog's font, as in a dialog resource: x and width in quarters of the
// average character width, y and height in eighths of the character height. A drop-down's
// height includes its open list.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A handler of the dialog, and one that is told which control it was reached through.
using FormHandler = void (MainDialog::*)();
using RowHandler = void (MainDialog::*)(const FormControl& control);
using FormAction = std::variant<std::monostate, FormHandler, RowHandler>;

// The field of the form a control shows: a text or a date of PaymentForm. A drop-down list
// shows its row, and the one with a text field (OKTMO) takes part in the exchange by that text.
using TextField = std::string PaymentForm::*;
using DateField = CalendarDate PaymentForm::*;
using FormField = std::variant<std::monostate, TextField, DateField>;

// What the person may put into an edit (see InputRules.h).
enum class Takes {
    Printed,  // whatever the receipt can print
    Digits,   // digits alone (a masked field: laid into its mask)
    FileName, // whatever can stand in a file name
};

// Where a control's value is kept between runs: a list its row, a date "dd|mm|yyyy", a text as
// it stands.
struct ProfileSlot {
    const char* key = nullptr; // none: not kept
    const char* byDefault = "";
    int savedAs = 0;    // its place in a new profile's section
    int restoredAt = 0; // lower first, each list rebuilt from those before it; table order among equals
};

struct FormControl {
    int id = -1; // -1 for the controls the program never addresses (most labels, the emblem)
    ControlKind kind = ControlKind::Static;
    std::string_view text = {}; // windows-1251: a label's or a button's text
    DialogRect rect = {};
    int labels = -1; // a label: the input it names (the one a mnemonic or a screen reader ties it to)
    // An input's name where no label names it, and how the validation names it where that is not
    // its name (windows-1251).
    std::string_view name = {};
    std::string_view complaint = {};
    FormField field = {};
    // Its notification: an edit's text changed, a pick in a list, a click, a calendar closed.
    FormAction onAction = {};
    FormHandler onFocus = nullptr;
    // False for a command that reads nothing of the form: a value the exchange would refuse
    // does not stand in its way.
    bool readsForm = true;
    std::string_view help = {}; // a "?" button's message
    int helps = -1;             // the field a "?" button explains, which also names it
    ProfileSlot profile = {};
    const char* switchKey = nullptr; // the control key of the SwitchLists that enables it
    std::size_t limit = 0;           // the exchange's length limit, 0 for none
    Takes takes = Takes::Printed;
    std::string_view mask = {}; // a masked field's mask: "_" a digit, anything else shown as it is
    bool sorted = false;        // a list that keeps its rows in text order
};

// Whether a row names a handler for its notification.
inline bool HasAction(const FormControl& control) {
    return !std::holds_alternative<std::monostate>(control.onAction);
}

struct DialogTemplate {
    std::string_view title; // windows-1251
    int width;
    int height;
    std::span<const FormControl> controls; // in tab order
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

// The row of a control of the main dialog, nullptr for an id it has not (a label's -1 included).
const FormControl* FindFormRow(int id);
// The same for an id the program knows it has.
const FormControl& FormRow(int id);

// The label row that names an input, nullptr when none does.
const FormControl* LabelOf(const DialogTemplate& dialog, const FormControl& input);
// What a screen reader calls the control (windows-1251), empty when it goes by its own text:
// an input's name (its label's text unless it has one of its own), and for a "?" button
// "Справка: " and the name of the field it explains.
std::string AccessibleName(const DialogTemplate& dialog, const FormControl& control);
// How the validation names a field of the main dialog: its complaint, else its name.
std::string ComplaintLabel(const FormControl& control);

// How a date picker shows its date, in the letters both toolkits' formats use.
inline constexpr const char* kDatePickerFormat = "dd.MM.yyyy";

// A closed drop-down is as high as an edit; the template's height includes the open list.
inline constexpr int kClosedDropDownHeight = 12;

// How many rows a drop-down's open list shows at once: its template height below the field, in
// rows of a line each (8 dialog units), and at least three.
constexpr int OpenListRows(const FormControl& list) {
    return std::max(3, (list.rect.height - kClosedDropDownHeight) / 8);
}

} // namespace kvitok
