#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace kvitok {

// The rows suggested under a field as the person types: a list box of its own, a popup owned by
// the field's dialog that is never activated, so that the field keeps the focus and the caret. Up
// and Down choose in it, Enter or a click takes the chosen row, Esc hides it; the window hands
// it the keys and clicks before the dialog manager, and tells it when it is to go.
class SuggestionList {
public:
    // A row taken, by the id of the field it was shown for and its place among the rows.
    using Taken = std::function<void(int id, int index)>;

    SuggestionList() = default;
    ~SuggestionList();
    SuggestionList(const SuggestionList&) = delete;
    SuggestionList& operator=(const SuggestionList&) = delete;

    void WhenTaken(Taken taken) { m_taken = std::move(taken); }
    // The rows under `field`, whose edit is `edit`, none chosen; hidden instead when there are
    // none, when the focus is not in the edit or when the field's own list is open. The list
    // box is made the first time.
    void Show(int id, HWND field, HWND edit, const std::vector<std::wstring>& rows);
    void Hide();
    bool Visible() const;
    // A key or click on its way to the dialog manager: true when it was the list's, and the
    // dialog manager is not to see it.
    bool Sees(const MSG& message);

    HWND Handle() const { return m_list; }
    int Chosen() const;

private:
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self);
    bool Make(HWND field);
    void Place(int rows);
    void Choose(int row);
    // Up and Down go through the rows and back to none, the text as typed.
    void Move(int by);
    void Take(int row);
    // The row under a point of the list's client area, -1 outside the rows.
    int RowAt(LPARAM point) const;

    HWND m_list = nullptr;
    HWND m_field = nullptr;
    HWND m_edit = nullptr;
    int m_id = 0;
    Taken m_taken;
};

} // namespace kvitok
