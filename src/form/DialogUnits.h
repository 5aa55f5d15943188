#pragma once

#include "FormTable.h"

#include <functional>

namespace kvitok {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Dialog units to pixels for one font, as the dialog manager converts them: x in quarters of
// the average character width, y in eighths of the character height. Both windows lay their
// dialogs out with it, so that they widen a layout alike where a font needs it.
class DialogUnits {
public:
    // From the dialog font: the width of the 52 Latin letters side by side, and the height of a
    // laid-out line, in pixels.
    DialogUnits(int latinLettersWidth, int lineHeight);

    int X(int units) const { return (units * m_eighthsWide + 16) / 32; }
    int Y(int units) const { return (units * m_lineHeight + 4) / 8; }
    PixelRect ToPixels(int x, int y, int width, int height) const;
    // A drop-down's closed height: the template's height includes its open list.
    PixelRect ToPixels(const FormControl& control) const;

    // A layout is made for a font whose texts fit their controls. Where the letters of this
    // one are wider than its average says (the Cyrillic of many fonts), the unit is widened, an
    // eighth of a pixel at a time and never past twice the average, until `fits` holds for the
    // text of every control that must show it whole (see MustShowWhole). True when it was.
    bool WidenUntilTextsFit(const DialogTemplate& dialog,
                            const std::function<bool(const FormControl&, const PixelRect&)>& fits);

private:
    int m_eighthsWide; // the average character width in eighths of a pixel
    int m_lineHeight;
};

// Labels, buttons and read-only texts: the program's own words, which are never cut.
bool MustShowWhole(const FormControl& control);

} // namespace kvitok
