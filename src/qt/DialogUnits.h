#pragma once

#include "form/DialogTemplate.h"

#include <QFont>
#include <QRect>

namespace kvitok {

// The font the dialogs are drawn with: a sans font with Cyrillic at the size of the 8-point
// dialog font.
QFont DialogFont();

// Dialog units to pixels for one font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const { return (units * m_charWidth + 2) / 4; }
    int Y(int units) const { return (units * m_charHeight + 4) / 8; }
    QRect ToPixels(int x, int y, int width, int height) const;
    QRect ToPixels(const ControlTemplate& control) const;
    int CharWidth() const { return m_charWidth; }
    int CharHeight() const { return m_charHeight; }

private:
    int m_charWidth;
    int m_charHeight;
};

} // namespace kvitok
