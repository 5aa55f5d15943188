#pragma once

#include <string>

#include <windows.h>

namespace kvitok {

// A tip at a field that tells what it refused, for a system whose edits draw no balloon of their
// own (EM_SHOWBALLOONTIP fails without the common controls of version 6, and under Wine): a
// tracking tool tip, in balloon style where the controls have it, under the field. It goes after
// a few seconds, or at the person's next key or click.
class RefusalTip {
public:
    RefusalTip() = default;
    ~RefusalTip();
    RefusalTip(const RefusalTip&) = delete;
    RefusalTip& operator=(const RefusalTip&) = delete;

    void Show(HWND field, const std::wstring& title, const std::wstring& text);
    void Hide();
    bool Visible() const;

private:
    static void CALLBACK HideLater(HWND tip, UINT message, UINT_PTR timer, DWORD time);

    HWND m_tip = nullptr;
    HWND m_owner = nullptr;
    std::wstring m_text; // the tool keeps a pointer to it
};

} // namespace kvitok
