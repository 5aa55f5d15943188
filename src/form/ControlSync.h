#pragma once

#include "ControlPort.h"
#include "MainDialog.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace kvitok {

// Keeps a window's controls and the dialog's models in step, written once for both windows.
// It owns what the controls show and writes only what changed since, without raising handlers.
// It is the one entry for a person's action: the window reports what happened to which control,
// and the sync reads it into the models, checks the form's values once, runs the control's
// handler from the form table and shows the result. A pick that the check refuses puts its list
// back, so the screen keeps the form the handlers built. What reaches an edit (typing, a paste,
// an input method, another program) is checked as it is read: a character the receipt cannot
// print, or a non-digit in a digits field, sends the field back to the form's value, and the
// person is told at the field.
class ControlSync {
public:
    ControlSync(MainDialog& dialog, ControlPort& port);

    // The dialog's initialisation (the about box comes up within it), then the form shown.
    void Start();
    // Shows what changed in the models since the last time; everything the first time.
    void Refresh();
    // The work left for a window that waits for the person anyway, as while the about box is up
    // at start: the dialog's reading ahead, then what the next Refresh would do for long lists
    // (their rows sent a few thousand at a time). Done a short piece at a time for at most
    // `slice`, or until `othersWait` tells that something else waits; true while some is left.
    // The dialog and Refresh do what is left when they need it.
    bool ShowAhead(std::chrono::milliseconds slice, const std::function<bool()>& othersWait = nullptr);
    // One piece of it; false when none is left.
    bool ShowAheadPiece();

    // A person's actions as the window's toolkit reports them. Those that arrive while the
    // program writes into the controls, or while an action runs (from behind a modal box), are
    // not the person's and are ignored.
    void TextChanged(int id);
    void RowPicked(int id);
    void DateChanged(int id); // typing or spinning: no handler runs
    void CalendarClosed(int id);
    void FocusEntered(int id);
    // A push button, Enter on the default button, or the window's own about entry.
    void Clicked(int id);
    // "Отмена", Esc and the close box: true when the dialog ends.
    bool Cancel();

private:
    // What a control was last shown with (or last read as).
    struct Shown {
        EditModel edit;
        unsigned revision = 0;
        std::size_t rowsShown = 0; // of that revision's rows, the first ones
        int selected = -1;
        CalendarDate date;
        bool enabled = true;
    };
    struct BuiltRow {
        int row = -1;
        std::string editText;
    };

    // One action of the person's: the form's values checked once, the handler run, the rows
    // the handler left remembered, and what changed shown.
    void Act(const FormControl& control, FormHandler handler);
    void Act(const FormControl& control, const std::function<void()>& handler);
    bool TakeText(const FormControl& control);
    void PutBack(int id);
    void RememberRows();
    void ShowEdit(int id, Shown& shown, bool force);
    void ShowList(int id, Shown& shown, bool force);
    // Sends at most `most` of the rows the control lacks; anew, all of them from the first.
    void SendRows(int id, Shown& shown, bool anew, std::size_t most);
    void ShowDate(int id, Shown& shown, bool force);
    bool Busy() const { return m_updating || m_acting; }
    // The row of the control a report names when it is the person's doing and names a control of
    // that kind; nothing otherwise (the program writing, an action running, another control).
    const FormControl* Reported(int id, bool (*ofKind)(ControlKind)) const;

    MainDialog& m_dialog;
    ControlPort& m_port;
    std::map<int, Shown> m_shown;
    // The rows of the lists whose picks run a handler, as the person's last action left them.
    std::map<int, BuiltRow> m_builtRows;
    bool m_shownOnce = false;
    bool m_updating = false;
    bool m_acting = false;
};

// Why a text that reached a field is refused, naming the character (UTF-16), or nothing when
// every character it did not hold before (`before`, windows-1251) may stand there: one the
// receipt can print, and in a digits field a digit.
std::optional<std::u16string> RefusedInput(const std::u16string& typed, const std::string& before,
                                           bool digitsOnly);

} // namespace kvitok
