#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

namespace kvitok {

// Our own emblem, drawn rather than loaded: a shield holding a receipt with a payment code.
// The emblem fills `size` (the picture of the dialogs is 100x104); the icon is square.
QImage DrawEmblem(QSize size);
QImage DrawAppIcon(int side);

// The window icon at 88x88 and the sizes a desktop asks for.
QIcon AppIcon();

} // namespace kvitok
