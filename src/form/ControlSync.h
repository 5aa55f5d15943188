#pragma once

#include "ActionRunner.h"
#include "ControlPort.h"
#include "IdleWork.h"
#include "MainDialog.h"
#include "ViewSync.h"

#include <map>
#include <vector>

namespace kvitok {

// Keeps a window's controls and the dialog's models in step, written once for both windows. A
// window reports what happened to which control; the sync takes only the reports that are the
// person's doing and name a control of the kind reported, reads what the person left in the
// control into its model (every field judged by its input rule, a refusal told at the field),
// and hands the control's action to the action runner; the view sync shows the result.
class ControlSync {
public:
    ControlSync(MainDialog& dialog, ControlPort& port);

    // The dialog's initialisation (the about box comes up within it), then the form shown.
    void Start();
    // Shows what changed in the models since the last time; everything the first time.
    void Refresh() { m_view.Refresh(); }
    // The work left for a window that waits for the person anyway, as while the about box is up
    // at start: the dialog's reading ahead, then the rows of long lists. The dialog and Refresh
    // do what is left when they need it.
    IdleWork& Idle() { return m_idle; }

    // A person's actions as the window's toolkit reports them.
    void TextChanged(int id);
    void RowPicked(int id);
    void DateChanged(int id); // typing or spinning: no handler runs
    void CalendarClosed(int id);
    void FocusEntered(int id);
    // A push button, Enter on the default button, or the window's own about entry.
    void Clicked(int id);
    // "Отмена", Esc and the close box: true when the dialog ends.
    bool Cancel();
    // One of the rows suggested under a list's field, by its place among them: a pick of that row.
    void SuggestionTaken(int id, int index);
    // A list's drop-down closed with the person's choice (Enter, not Esc): the row it leaves
    // current is the pick even when the list did not report it (typing in the open list of an
    // editable one moves its current row silently).
    void ListClosed(int id);

private:
    bool Busy() const { return m_view.Writing() || m_runner.Running(); }
    // The row of the control a report names when it is the person's doing and names a control of
    // that kind; nothing otherwise (the program writing, an action running, another control).
    const FormControl* Reported(int id, bool (*ofKind)(ControlKind)) const;
    // Reads a field into its model; false when its rule refused what reached it.
    bool TakeText(const FormControl& control);
    // The same for every field whose text differs from the form's, whether or not a change was
    // reported (another program may set a field's text silently); false at the first refusal.
    bool TakeTexts(int actingId);
    // Shows the stored names that match what an editable list's field holds; hides them when none do.
    void Suggest(const FormControl& list);
    void Pick(const FormControl& list, int row);

    MainDialog& m_dialog;
    ControlPort& m_port;
    ViewSync m_view;
    ActionRunner m_runner;
    IdleWork m_idle;
    std::map<int, std::vector<int>> m_suggested; // the rows shown under a list's field
};

} // namespace kvitok
