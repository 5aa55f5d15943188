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

// What the template cannot say, done to a dialog made from it while it is still hidden, in three
// parts: the pickers' date format and the emblem; room for its texts; the inputs' names. A window
// that waits for the person first (the form, behind the about box) does the last two meanwhile.
void DressDialog(HWND dialog, const DialogTemplate& dialogTemplate);
// The inputs' names for screen readers (see AccessibleNames), given for the dialog's life.
void NameControls(HWND dialog, const DialogTemplate& dialogTemplate);
// Room for a hidden dialog's texts: where the letters of its font at the screen's DPI need more
// than the layout gives them ("MS Shell Dlg" is drawn in the wider Tahoma on many systems), the
// unit is widened as the Qt window widens it, so the layout keeps its alignment; nothing moves
// when every text fits. Measuring every text is the most a start spends here: a window that waits
// for the person first can do it meanwhile.
void FitTexts(HWND dialog, const DialogTemplate& dialogTemplate);

} // namespace kvitok
