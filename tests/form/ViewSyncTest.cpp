// The view sync on a small table of its own: what it writes into a window's controls, and when.
#include "form/ViewSync.h"
#include "FakePort.h"
#include "form/DialogControls.h"

#include <gtest/gtest.h>

#include <array>

namespace kvitok::testing {
namespace {

constexpr std::array kRows {
    FormControl {.id = 1, .kind = ControlKind::Edit},
    FormControl {.id = 2, .kind = ControlKind::DropDownList},
    FormControl {.id = 3, .kind = ControlKind::Button},
};
constexpr DialogTemplate kTable {"t", 10, 10, kRows};

// A refresh writes only what changed since it last wrote or read a control: writing a field the
// person is typing in would move the caret, and rows sent again cost a long list its start.
TEST(ViewSync, WritesOnlyWhatChanged) {
    DialogControls models(kTable);
    FakePort port;
    ViewSync view(kTable, models, port);
    view.Refresh();
    EXPECT_EQ(port.writesOutsideUpdate, 0);
    const int everything = port.writes;
    EXPECT_GT(everything, 0);
    view.Refresh();
    EXPECT_EQ(port.writes, everything);

    models.Edit(1).text = "Ab";
    view.Refresh();
    EXPECT_TRUE(port.controls[1].text == u"Ab");
    const int afterText = port.writes;

    // What the person typed, read back, is not written again.
    port.controls[1].text = u"Abc";
    models.Edit(1).text = "Abc";
    view.Shows(1, models.Edit(1));
    view.Refresh();
    EXPECT_EQ(port.writes, afterText);

    // A long list goes ahead a piece at a time, and the refresh after sends nothing twice.
    std::vector<std::string> rows(5000, "row");
    models.List(2).AddRows(rows);
    int pieces = 0;
    while (view.SendRowsAhead()) {
        ++pieces;
    }
    EXPECT_EQ(pieces, 3);
    view.Refresh();
    EXPECT_EQ(port.controls[2].rowsSent, 5000u);
    models.Button(3).enabled = false;
    view.Refresh();
    EXPECT_FALSE(port.controls[3].enabled);
}

} // namespace
} // namespace kvitok::testing
