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
class AccessibleNames {
public:
    AccessibleNames(HWND dialog, const DialogTemplate& dialogTemplate);
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

private:
    void Name(HWND control, const std::wstring& name);

    IAccPropServices* m_service = nullptr;
    std::vector<HWND> m_named;
};

} // namespace kvitok
