#pragma once

#include "DialogControls.h"

#include <span>

namespace kvitok {

class MainDialog;

// The form's message map: for each control of the form template, the model it shows and the
// handler of MainDialog its notification runs (none where the control only holds a value).
// Both windows bind their controls from these tables, so they cannot drift apart.
namespace MessageMap {

using Handler = void (MainDialog::*)();
// The model of a control, as a member of DialogControls.
template <typename Model>
using Field = Model DialogControls::*;

struct Edit {
    int id;
    Field<EditModel> model;
    Handler onChange;
    bool digitsOnly;
};

struct List {
    int id;
    Field<ListModel> model;
    Handler onSelchange;
};

struct Date {
    int id;
    Field<DatePickerModel> model;
    Handler onCloseup; // when the calendar closes; typing only changes the date
};

struct Command {
    int id;
    Handler handler;
};

std::span<const Edit> Edits();
std::span<const List> Lists();
std::span<const Date> Dates();
// The fields whose handler runs when they take the focus.
std::span<const Command> FocusCommands();
// The push buttons but "Отмена" (which ends the window its own way) and the "?" buttons.
std::span<const Command> Buttons();
// The "?" buttons; each runs OnHelp with its own id.
std::span<const int> HelpButtons();

} // namespace MessageMap

} // namespace kvitok
