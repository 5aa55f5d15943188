#pragma once

#include "form/MainDialog.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace kvitok {

class AccessibleNames;

// The Win32 view of MainDialog: a dialog made from the form's template. Each control is bound
// to its model: a notification copies the control's state into the model and runs the handler,
// then every control the handler changed is refreshed while notifications are ignored, so
// values written by the program raise no handler. The keyboard is the dialog manager's.
class MainWindow {
public:
    explicit MainWindow(MainDialog& dialog);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, which runs the dialog's initialisation (the about box comes first
    // and stands alone), then shows it. False when the window could not be made.
    bool Create();
    // Runs the dialog until it ends, as a modal dialog does.
    void Run();
    // Handles what is queued without waiting; false once the dialog has ended.
    bool ProcessPendingMessages();

    // Shows the models in the controls (only what changed since the last time).
    void Refresh();

    HWND Handle() const { return m_window; }
    // The control of an id of the dialog template, nullptr for an unknown id.
    HWND Control(int id) const;
    bool Ended() const { return m_ended; }

private:
    using Handler = std::function<void()>;

    struct EditBinding {
        int id;
        EditModel* model;
        Handler onChange;
        bool digitsOnly;
        EditModel shown;
    };
    struct ListBinding {
        int id;
        ListModel* model;
        Handler onSelchange;
        std::vector<std::string> rows;
        int selected = -1;
        std::string editText;
        bool enabled = true;
    };
    struct DateBinding {
        int id;
        DatePickerModel* model;
        Handler onCloseup;
        DatePickerModel shown;
    };

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommand(int id, int code);
    void OnNotify(const NMHDR& header);
    void OnCancelCommand();

    void Bind();
    void RunHandler(const Handler& handler);
    void ReadEdit(EditBinding& binding);
    void ReadDate(DateBinding& binding);
    void ShowEdit(EditBinding& binding, bool force);
    void ShowList(ListBinding& binding, bool force);
    void ShowDate(DateBinding& binding, bool force);
    void KeepFocusOnEnabledControl();

    MainDialog& m_dialog;
    HWND m_window = nullptr;
    bool m_ended = false;
    // While the program writes into the controls their notifications are its own, not the user's.
    bool m_writing = false;
    bool m_shownOnce = false;
    std::deque<EditBinding> m_edits;
    std::deque<ListBinding> m_lists;
    std::deque<DateBinding> m_dates;
    std::map<int, Handler> m_buttons;
    std::map<int, Handler> m_focusHandlers;
    std::unique_ptr<AccessibleNames> m_names;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
};

} // namespace kvitok
