#pragma once

#include "form/ControlPort.h"
#include "form/FormTable.h"

#include <gtest/gtest.h>

namespace kvitok::testing {

// What every window's port must do on the main dialog's controls: read back the texts,
// selections, rows and dates it wrote, keep the current row when rows are added, and keep the date
// it had when given one its picker cannot show (`unshowable`). Leaves the OKTMO list disabled with five rows,
// the last "Четвёртый", for the caller to find on its own controls.
inline void ExpectPortReadsBackWhatItWrites(ControlPort& port, CalendarDate unshowable) {
    port.SetText(ControlId::Address, u"Ёж «Ъ»");
    EXPECT_TRUE(port.Text(ControlId::Address) == u"Ёж «Ъ»");
    port.SetSelection(ControlId::Address, {1, 3});
    EXPECT_EQ(port.GetSelection(ControlId::Address).start, 1);
    EXPECT_EQ(port.GetSelection(ControlId::Address).end, 3);
    port.SetText(ControlId::Payer, u"Пётр");
    port.SetSelection(ControlId::Payer, {0, 2});
    EXPECT_TRUE(port.Text(ControlId::Payer) == u"Пётр");
    EXPECT_EQ(port.GetSelection(ControlId::Payer).end, 2);
    port.SetRows(ControlId::Oktmo, {u"", u"Первый", u"Второй"});
    port.SetCurrentRow(ControlId::Oktmo, 2);
    EXPECT_EQ(port.CurrentRow(ControlId::Oktmo), 2);
    port.AddRows(ControlId::Oktmo, {u"Третий", u"Четвёртый"});
    EXPECT_EQ(port.CurrentRow(ControlId::Oktmo), 2);
    port.SetEnabled(ControlId::Oktmo, false);
    port.SetDate(ControlId::PeriodFrom, CalendarDate {2016, 2, 29, 0, 0, 0});
    port.SetDate(ControlId::PeriodFrom, unshowable);
    EXPECT_EQ(port.Date(ControlId::PeriodFrom), (CalendarDate {2016, 2, 29, 0, 0, 0}));
}

} // namespace kvitok::testing
