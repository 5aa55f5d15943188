#pragma once

#include "ControlModels.h"
#include "ControlPort.h"
#include "DialogControls.h"

#include <map>
#include <string>

namespace kvitok {

// Keeps a window's controls showing the models: remembers what each control was last shown
// with (or read as) and writes only what changed since, between the port's BeginUpdate and
// EndUpdate, so that nothing it writes counts as the person's doing.
class ViewSync {
public:
    ViewSync(const DialogTemplate& dialog, const DialogControls& models, ControlPort& port);

    // Shows what changed in the models since the last time; everything the first time.
    void Refresh();
    // Sends a piece of a long list's rows ahead of the next Refresh; false when none is left.
    bool SendRowsAhead();
    // True while it writes into the controls.
    bool Writing() const { return m_writing; }

    // What a control now shows, read from it, so that the next Refresh does not write it again.
    void Shows(int id, const EditModel& edit);
    void ShowsText(int id, const std::u16string& text);
    void ShowsRow(int id, int row);
    void ShowsDate(int id, const CalendarDate& date);
    // The text a field was last shown with or read as: where it shows another, something changed
    // it that did not say so.
    const std::u16string& ShownText(int id) { return m_shown[id].text; }
    // Puts a text into a field at once, the caret at `caret`, as the program's own doing.
    void Put(int id, const std::u16string& text, int caret);

private:
    // What a control was last shown with (or last read as).
    struct Shown {
        EditModel edit;
        std::u16string text; // of an edit, or of a list's edit
        unsigned revision = 0;
        std::size_t rowsShown = 0; // of that revision's rows, the first ones
        bool rowsSent = false;     // once: a list sent ahead is not sent again by the first refresh
        int selected = -1;
        CalendarDate date;
        bool enabled = true;
    };

    void ShowEdit(int id, Shown& shown, bool force);
    void ShowList(int id, Shown& shown, bool force);
    // Sends at most `most` of the rows the control lacks; anew, all of them from the first.
    void SendRows(int id, Shown& shown, bool anew, std::size_t most);
    void ShowDate(int id, Shown& shown, bool force);

    const DialogTemplate& m_dialog;
    const DialogControls& m_models;
    ControlPort& m_port;
    std::map<int, Shown> m_shown;
    bool m_shownOnce = false;
    bool m_writing = false;
};

} // namespace kvitok
