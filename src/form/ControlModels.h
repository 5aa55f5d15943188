#pragma once

#include "base/CalendarDate.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kvitok {

// Plain models of the dialog's controls. The dialog logic changes only these; the view shows
// them and writes the user's actions back into them. All texts are windows-1251.

// A drop-down list. Row indexes are 0-based; -1 means that no row is selected. A sorted list
// inserts each added row at its place in the order a Russian reader expects (RussianLess).
// The payer list is editable: its edit text is what the user typed or the selected row's text.
class ListModel {
public:
    explicit ListModel(bool sorted = false, bool editable = false) : m_sorted(sorted), m_editable(editable) {}

    // Adds a row and returns its index.
    int AddRow(const std::string& text);
    // Adds many rows at once, with the order and selection that adding them one by one would
    // give, in O(n log n) rather than a shift of the whole list per row.
    void AddRows(std::vector<std::string> rows);
    // The first row with exactly this text, -1 when there is none.
    int FindRow(const std::string& text) const;
    void Clear();
    // Removes a row; removing the selected row leaves no row selected.
    void RemoveRow(int row);
    int Count() const { return static_cast<int>(m_rows.size()); }
    const std::string& RowText(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
    const std::vector<std::string>& Rows() const { return m_rows; }
    // Changes whenever the rows do, so that a view can tell cheaply whether to show them again.
    unsigned Revision() const { return m_revision; }

    int Selected() const { return m_selected; }
    // Selects a row (or none with -1); an index outside the list selects none. The edit text of
    // an editable list follows the selection.
    void Select(int row);
    // Text of the selected row, empty when none.
    std::string SelectedText() const;

    const std::string& EditText() const { return m_editText; }
    void SetEditText(const std::string& text) { m_editText = text; }

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool Sorted() const { return m_sorted; }
    bool Editable() const { return m_editable; }

private:
    std::vector<std::string> m_rows;
    int m_selected = -1;
    std::string m_editText;
    bool m_enabled = true;
    bool m_sorted;
    bool m_editable;
    unsigned m_revision = 0;
};

// A single-line edit: its text, the selection (caret = selection end), an optional length limit
// (0 = none) and whether it is enabled.
struct EditModel {
    std::string text;
    int selectionStart = 0;
    int selectionEnd = 0;
    std::size_t limit = 0;
    bool enabled = true;
};

struct DatePickerModel {
    CalendarDate date;
    bool enabled = true;
};

struct ButtonModel {
    bool enabled = true;
};

// Order of list texts for a Russian reader: case-insensitive, Ё beside Е, digits before letters.
bool RussianLess(const std::string& a, const std::string& b);

} // namespace kvitok
