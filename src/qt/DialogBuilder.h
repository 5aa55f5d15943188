#pragma once

#include "form/DialogUnits.h"

#include <QWidget>

#include <map>

class QDialog;

namespace kvitok {

// Creates the widgets of a dialog template inside `dialog`, at their places in pixels of the
// dialog font, and sizes the dialog. Returns the widgets that have an id, by id. With `fitTexts`
// false they stand at the font's average units, for FitTexts to widen where the font's letters
// need it before the dialog is shown: measuring every text is the most a start spends here,
// and a window that waits for the person first can spend it meanwhile.
std::map<int, QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate,
                                    bool fitTexts = true);
// Widens the units of a dialog built without fitting its texts, and places its widgets again,
// where its font's letters need more room than the average gives them (see DialogUnits).
void FitTexts(QDialog& dialog, const DialogTemplate& dialogTemplate);

} // namespace kvitok
