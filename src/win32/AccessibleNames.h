#pragma once

#include "form/FormTable.h"

#include <string>
#include <vector>

#include <windows.h>

#include <oleacc.h>

namespace kvitok {

// Names the inputs of a dialog for screen readers (MSAA and UI Automation). A field is already
// named after the label standing right before it in the tab order; the names given here also
// cover a second input under one label and the "?" buttons, which are named after their field.
// Where the system has no annotation service the dialog simply keeps the labels' names.
//
// The names are given when an accessibility client first asks the dialog or one of its windows
// for its object (WM_GETOBJECT), before the client builds it: a run without a screen reader
// never loads COM's accessibility libraries.
class AccessibleNames {
public:
    AccessibleNames(HWND dialog, const DialogTemplate& dialogTemplate);
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

private:
    static BOOL CALLBACK ListenTo(HWND window, LPARAM self);
    static LRESULT CALLBACK Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void StopListening();
    void NameFields();
    void Name(HWND control, const std::wstring& name);

    HWND m_dialog;
    const DialogTemplate& m_template;
    IAccPropServices* m_service = nullptr;
    std::vector<HWND> m_named;
};

} // namespace kvitok
