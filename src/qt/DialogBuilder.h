#pragma once

#include "form/DialogUnits.h"

#include <QWidget>

#include <map>

class QDialog;

namespace kvitok {

// Creates the widgets of a dialog template inside `dialog`, at their places in pixels of the
// dialog font, and sizes the dialog. Returns the widgets that have an id, by id.
std::map<int, QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate);

} // namespace kvitok
