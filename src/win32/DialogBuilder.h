#pragma once

#include "form/FormTable.h"

#include <string_view>
#include <vector>

#include <windows.h>

namespace kvitok {

// A dialog template (DLGTEMPLATEEX) in memory, made from the dialog's control table: the same
// ids, kinds, texts, rectangles in dialog units and tab order as every window of the program
// uses, in the dialog font "MS Shell Dlg" 8. The picture is an owner-drawn static.
class DialogBuilder {
public:
    DialogBuilder(const DialogTemplate& dialog, DWORD style, DWORD exStyle);

    const DLGTEMPLATE* Get() const;

private:
    void Word(WORD value) { m_words.push_back(value); }
    void Dword(DWORD value);
    void Text(std::wstring_view text);
    void AlignToDword();
    void Control(const FormControl& control);

    // Whole 16-bit words: a new vector's storage is aligned for DWORDs, so aligning an offset
    // aligns the address.
    std::vector<WORD> m_words;
};

// What the template cannot say, done to a dialog made from it while it is still hidden: room for
// its texts, the pickers' date format, the emblem, and the inputs' names for screen readers
// (given for the dialog's life). Room: where the letters of its font at the screen's DPI need
// more than the layout gives them ("MS Shell Dlg" is drawn in the wider Tahoma on many systems),
// the unit is widened as the Qt window widens it, so the layout keeps its alignment; nothing
// moves when every text fits.
void DressDialog(HWND dialog, const DialogTemplate& dialogTemplate);

} // namespace kvitok
