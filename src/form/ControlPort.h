#pragma once

#include "base/CalendarDate.h"

#include <optional>
#include <string>
#include <vector>

namespace kvitok {

// What the control sync asks of a window: a few primitives over its controls, each control
// addressed by its id in the form table. Texts are UTF-16, as both toolkits hold them; the sync
// converts. Between BeginUpdate and EndUpdate the calls are the program's own: what they make
// the controls report is not the person's doing, and the sync takes no notice of it.
class ControlPort {
public:
    struct Selection {
        int start = 0;
        int end = 0; // the caret
    };

    virtual ~ControlPort() = default;

    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;

    // An edit's text, or the text in the edit of an editable list.
    virtual std::u16string Text(int id) const = 0;
    virtual void SetText(int id, const std::u16string& text) = 0;
    virtual Selection GetSelection(int id) const = 0;
    // Also scrolls the caret into view.
    virtual void SetSelection(int id, Selection selection) = 0;

    virtual void SetEnabled(int id, bool enabled) = 0;

    virtual void SetRows(int id, const std::vector<std::u16string>& rows) = 0;
    // After the rows the list holds, as they come: a long list is sent a piece at a time.
    virtual void AddRows(int id, const std::vector<std::u16string>& rows) = 0;
    // -1 when no row is selected.
    virtual int CurrentRow(int id) const = 0;
    virtual void SetCurrentRow(int id, int row) = 0;

    // Nothing when the picker holds no date.
    virtual std::optional<CalendarDate> Date(int id) const = 0;
    virtual void SetDate(int id, const CalendarDate& date) = 0;

    // Shows, in a list under an editable list's field, the rows that match what the person typed,
    // none of them chosen; no rows hide it. Up and Down move in it, Enter or a click takes one
    // (the window reports it to the sync), Esc hides it and keeps the text; it also goes when the
    // field loses the focus.
    virtual void ShowSuggestions(int id, const std::vector<std::u16string>& rows) = 0;

    // Tells the person at the field that what reached it was refused, and why, in the platform's
    // way for an edit (a balloon tip on Windows, a tool tip in Qt).
    virtual void TellRefused(int id, const std::u16string& title, const std::u16string& text) = 0;
};

} // namespace kvitok
