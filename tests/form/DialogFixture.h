#pragma once

#include "FakePlatform.h"
#include "FakePort.h"
#include "form/ControlSync.h"
#include "form/MainDialog.h"
#include "support/TestFiles.h"
#include "text/Utf16.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kvitok::testing {

namespace Id = ControlId;

// Year list rows: 0 is empty, 1 is 2009, 8 is 2016.
inline constexpr int kRow2013 = 5;
inline constexpr int kRow2014 = 6;
inline constexpr int kRow2016 = 8;

// A started dialog over the fakes, shown through a fake window, with its database and output
// in a temporary folder. The person's helpers act on the window and tell the control sync, as
// a toolkit does; Put stands for a value from elsewhere (the profile, a payer file).
class DialogTest : public ::testing::Test {
public:
    void SetUp() override { Start(); }

    void Start() {
        sync.reset();
        dialog = std::make_unique<MainDialog>(platform.Services(), folder.File("insurers.db"));
        port = FakePort();
        sync = std::make_unique<ControlSync>(*dialog, port);
        sync->Start();
    }

    DialogControls& C() { return dialog->Controls(); }

    void Pick(int id, int row) {
        port.controls[id].row = row;
        sync->RowPicked(id);
    }
    // Leaves `text` (windows-1251) in the field with the caret at its end, as typing does.
    void Type(int id, const std::string& text) { TypeUtf16(id, Cp1251ToUtf16(text)); }
    void TypeUtf16(int id, const std::u16string& text) {
        FakePort::Control& control = port.controls[id];
        control.text = text;
        control.selection = {static_cast<int>(text.size()), static_cast<int>(text.size())};
        sync->TextChanged(id);
    }
    void Click(int id) { sync->Clicked(id); }

    void SelectStatus(int row) { Pick(Id::Status, row); }
    void SelectYear(int row) { Pick(Id::Year, row); }
    void SelectKbk(int row) { Pick(Id::Kbk, row); }
    void SelectKbkNumber(int number) {
        const auto& numbers = dialog->KbkNumbers();
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (numbers[i] == number) {
                SelectKbk(static_cast<int>(i) + 1);
                return;
            }
        }
        ADD_FAILURE() << "KBK " << number << " is not offered";
    }
    void Put(int id, const std::string& text) {
        EditModel& edit = C().Edit(id);
        edit.text = text;
        edit.selectionStart = edit.selectionEnd = static_cast<int>(text.size());
    }

    // An entrepreneur's yearly contribution for 2016 (KBK 2), filled so that it passes the checks.
    void FillValidForm() {
        C().List(Id::Payer).SetEditText("Ivanov Ivan");
        Put(Id::Address, "Olmgrad, 1");
        SelectStatus(2);
        SelectYear(kRow2016);
        SelectKbkNumber(2);
        Put(Id::Inn, "500100732259");
        Put(Id::RegNumber, "123-456-789012");
        Put(Id::Snils, "112-233-445 95");
        Put(Id::BirthYear, "1970");
        dialog->OnChangeBirthYear();
        C().List(Id::Oktmo).Select(1);
        Put(Id::FileName, folder.File("kvt.html"));
        sync->Refresh();
    }

    TempFolder folder;
    FakePlatform platform;
    std::unique_ptr<MainDialog> dialog;
    FakePort port;
    std::unique_ptr<ControlSync> sync;
};

} // namespace kvitok::testing
