#include "AccessibleNames.h"

#include "TextBridge.h"

#include <string>

namespace kvitok {

AccessibleNames::AccessibleNames(HWND dialog, const DialogTemplate& dialogTemplate) {
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&m_service)))) {
        m_service = nullptr;
        return;
    }
    for (const FormControl& control : dialogTemplate.controls) {
        if (const std::string name = AccessibleName(dialogTemplate, control);
            control.id >= 0 && !name.empty()) {
            Name(GetDlgItem(dialog, control.id), Wide(name));
        }
    }
}

AccessibleNames::~AccessibleNames() {
    if (m_service == nullptr) {
        return;
    }
    MSAAPROPID name = PROPID_ACC_NAME;
    for (HWND control : m_named) {
        m_service->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    }
    m_service->Release();
}

void AccessibleNames::Name(HWND control, const std::wstring& name) {
    if (control != nullptr &&
        SUCCEEDED(m_service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                            PROPID_ACC_NAME, name.c_str()))) {
        m_named.push_back(control);
    }
}

} // namespace kvitok
