#pragma once

#include "form/ControlPort.h"

#include <QWidget>

#include <functional>
#include <map>

namespace kvitok {

// The control sync's port over Qt widgets, each reached by its id in the form table: line
// edits, combo boxes (an editable one's line edit is its edit), date edits.
class WindowPort final : public ControlPort {
public:
    explicit WindowPort(const std::map<int, QWidget*>& widgets);

    // Makes the widgets first, when they are not there yet (see MakeWidgetsWith).
    void BeginUpdate() override;
    void EndUpdate() override {}
    std::u16string Text(int id) const override;
    void SetText(int id, const std::u16string& text) override;
    Selection GetSelection(int id) const override;
    void SetSelection(int id, Selection selection) override;
    void SetEnabled(int id, bool enabled) override;
    void SetRows(int id, const std::vector<std::u16string>& rows) override;
    void AddRows(int id, const std::vector<std::u16string>& rows) override;
    int CurrentRow(int id) const override;
    void SetCurrentRow(int id, int row) override;
    std::optional<CalendarDate> Date(int id) const override;
    void SetDate(int id, const CalendarDate& date) override;
    // The list of a completer of the field's own, under the field while it has the focus; made
    // when first shown. A row the person takes there reaches `taken`.
    void ShowSuggestions(int id, const std::vector<std::u16string>& rows) override;
    void OnSuggestionTaken(std::function<void(int id, int index)> taken) {
        m_suggestionTaken = std::move(taken);
    }
    // The window makes its widgets when it has time; the first write makes them if it has not yet.
    void MakeWidgetsWith(std::function<void()> make) { m_makeWidgets = std::move(make); }
    // A tool tip under the field.
    void TellRefused(int id, const std::u16string& title, const std::u16string& text) override;

private:
    const std::map<int, QWidget*>& m_widgets;
    std::function<void(int id, int index)> m_suggestionTaken;
    std::function<void()> m_makeWidgets;
};

} // namespace kvitok
