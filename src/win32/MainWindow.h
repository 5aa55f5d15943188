#pragma once

#include "WindowPort.h"
#include "form/ControlSync.h"

#include <windows.h>

namespace kvitok {

// The Win32 window of MainDialog: a dialog made from the form table, its controls reached by the
// control sync through a WindowPort. The window turns the controls' notifications into the
// sync's calls and handles the dialog manager's quirks; everything else is the sync's. The
// keyboard is the dialog manager's, but for the keys the list of suggestions takes while it shows.
class MainWindow {
public:
    explicit MainWindow(MainDialog& dialog);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, hidden. False when the window could not be made.
    bool Create();
    // The dialog's initialisation, while the window is still hidden. While the about box waits
    // for the person, the payer names are read and go into their list when nothing else is due.
    void Start();
    void Show();
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

    // The port through which the sync reaches the controls (for tests of its primitives).
    ControlPort& Port();

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommand(int id, int code);
    void OnNotify(const NMHDR& header);
    void OnCancel();
    void ShowAhead();
    // What the hidden form needs only once it is shown, once: room for its texts, its inputs'
    // names, its icons. Done while the about box waits at start, or when the box is closed.
    void FinishForm();
    void Dispatch(MSG& message);

    HWND m_window = nullptr;
    bool m_ended = false;
    bool m_aheadBegun = false; // past the first tick of the show-ahead timer
    bool m_finished = false;   // FinishForm has run
    WindowPort m_port;
    ControlSync m_sync;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
};

} // namespace kvitok
