#include "DialogUnits.h"

namespace kvitok {

DialogUnits::DialogUnits(int latinLettersWidth, int lineHeight)
    : m_eighthsWide(8 * ((latinLettersWidth / 26 + 1) / 2)), m_lineHeight(lineHeight) {}

PixelRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    // Edges are placed on the grid, so that controls ending on one unit line up; a height is
    // taken whole, so that a label one line high always holds its line.
    const int left = X(x);
    return {left, Y(y), X(x + width) - left, Y(height)};
}

PixelRect DialogUnits::ToPixels(const FormControl& control) const {
    const DialogRect& r = control.rect;
    return ToPixels(r.x, r.y, r.width, IsList(control.kind) ? kClosedDropDownHeight : r.height);
}

bool DialogUnits::WidenUntilTextsFit(const DialogTemplate& dialog,
                                     const std::function<bool(const FormControl&, const PixelRect&)>& fits) {
    // A text that fits at one unit fits at every wider one: each control widens the unit from
    // where the ones before it left it, and none is measured again. Measuring is what a start
    // spends most on here, under Wine above all.
    const int average = m_eighthsWide;
    for (const FormControl& control : dialog.controls) {
        if (!MustShowWhole(control)) {
            continue;
        }
        while (m_eighthsWide < 2 * average && !fits(control, ToPixels(control))) {
            ++m_eighthsWide;
        }
    }
    return m_eighthsWide != average;
}

bool MustShowWhole(const FormControl& control) {
    return (IsLabel(control.kind) || IsButton(control.kind) || control.kind == ControlKind::BorderlessEdit) &&
           !control.text.empty();
}

} // namespace kvitok
