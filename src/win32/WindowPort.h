#pragma once

#include "RefusalTip.h"
#include "SuggestionList.h"
#include "form/ControlPort.h"

#include <windows.h>

namespace kvitok {

// The control sync's port over the controls of a dialog, each reached by its id in the form
// table: edits, combo boxes (an editable one's edit is its edit), date and time pickers.
class WindowPort final : public ControlPort {
public:
    void Attach(HWND dialog) { m_dialog = dialog; }

    void BeginUpdate() override {}
    // Moves the focus on when the update switched off the control that had it.
    void EndUpdate() override;
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
    void ShowSuggestions(int id, const std::vector<std::u16string>& rows) override;
    // The edit's balloon tip; where the edit draws none, a tip of our own.
    void TellRefused(int id, const std::u16string& title, const std::u16string& text) override;
    // The person's next key or click: a tip of our own has been read.
    void PersonActs() { m_tip.Hide(); }
    const RefusalTip& Tip() const { return m_tip; }
    SuggestionList& Suggestions() { return m_suggestions; }

private:
    HWND Control(int id) const;

    HWND m_dialog = nullptr;
    RefusalTip m_tip;
    SuggestionList m_suggestions;
};

} // namespace kvitok
