#pragma once

#include "form/FormTable.h"

#include <QFont>
#include <QRect>

namespace kvitok {

// The font the dialogs are drawn and laid out with: the desktop's choice, so that a person who
// asked for larger text gets it, in a window grown to match.
QFont DialogFont();

// Dialog units to pixels for one font: x in quarters of the average character width, y in
// eighths of the character height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    // The units of a font for one template. Its layout was made for a font whose texts fit their
    // controls; where the letters of this one are wider than its average says (the Cyrillic of
    // many desktop fonts), the unit is widened just enough for every label and button text.
    DialogUnits(const QFont& font, const DialogTemplate& dialogTemplate);

    int X(int units) const { return (units * m_eighthsWide + 16) / 32; }
    int Y(int units) const { return (units * m_charHeight + 4) / 8; }
    QRect ToPixels(int x, int y, int width, int height) const;
    QRect ToPixels(const FormControl& control) const;

private:
    bool TextsFit(const QFont& font, const DialogTemplate& dialogTemplate) const;

    int m_eighthsWide; // the average character width in eighths of a pixel
    int m_charHeight;
};

} // namespace kvitok
