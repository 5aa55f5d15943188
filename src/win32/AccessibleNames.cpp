#include "AccessibleNames.h"

#include "WideText.h"
#include "Win32Platform.h"

#include <string>

namespace kvitok {

AccessibleNames::AccessibleNames(HWND dialog, std::span<const FieldName> fields) {
    EnterCom();
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&m_service)))) {
        m_service = nullptr;
        return;
    }
    for (const FieldName& field : fields) {
        std::wstring name = WideFromUtf8(field.label);
        if (field.part != nullptr) {
            name += L", " + WideFromUtf8(field.part);
        }
        Name(GetDlgItem(dialog, field.id), name);
        if (field.helpId >= 0) {
            Name(GetDlgItem(dialog, field.helpId), L"Справка: " + name);
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
