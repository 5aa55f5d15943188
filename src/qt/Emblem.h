#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

namespace kvitok {

// Our own emblem, drawn rather than loaded: a shield holding a receipt with a payment code.
// The emblem fills `size` (the picture of the dialogs is 100x104); the icon is square.
QImage DrawEmblem(QSize size);
QImage DrawAppIcon(int side);

// The window icon. Each size is drawn when first asked for; a window hands the window system the
// few small sizes a title bar and a task switcher show (the desktop entry's icon comes from the
// installed icon theme instead).
QIcon AppIcon();

} // namespace kvitok
