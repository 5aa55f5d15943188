// The dialog units widened for a font on a small table of its own.
#include "form/DialogUnits.h"

#include <gtest/gtest.h>

#include <array>

namespace kvitok::testing {
namespace {

// Each label needs so many pixels: the unit grows just enough for the widest need, and each
// text is measured only as often as it does not fit yet.
TEST(DialogUnits, WidenJustEnoughMeasuringEachTextOnce) {
    constexpr std::array kRows {
        FormControl {.text = "a", .rect = {0, 0, 40, 8}},
        FormControl {.kind = ControlKind::Edit, .rect = {0, 10, 400, 12}}, // not a text shown whole
        FormControl {.text = "b", .rect = {0, 20, 80, 8}},
        FormControl {.text = "c", .rect = {0, 30, 20, 8}},
    };
    const DialogTemplate table {"t", 100, 50, kRows};
    struct Case {
        int aNeeds, bNeeds, cNeeds; // pixels
        int calls;
        int aWidth, cWidth; // pixels after: the one that needed most has just what it needs
    };
    // 1.5 pixels a unit at first, each eighth of a pixel more on the average character adds 1.25
    // pixels to a 40-unit label and 0.625 to a 20-unit one.
    for (const Case c : {Case {10, 10, 10, 3, 60, 30}, Case {70, 10, 10, 3 + 8, 70, 35},
                         Case {10, 10, 40, 3 + 16, 80, 40}}) {
        DialogUnits units(26 * 2 * 6, 13); // an average character 6 pixels wide
        int calls = 0;
        units.WidenUntilTextsFit(table, [&](const FormControl& control, const PixelRect& rect) {
            ++calls;
            const int needs = control.text == "a" ? c.aNeeds : control.text == "b" ? c.bNeeds : c.cNeeds;
            return rect.width >= needs;
        });
        EXPECT_EQ(units.ToPixels(kRows[0]).width, c.aWidth);
        EXPECT_EQ(units.ToPixels(kRows[3]).width, c.cWidth);
        EXPECT_EQ(calls, c.calls);
    }
}

} // namespace
} // namespace kvitok::testing
