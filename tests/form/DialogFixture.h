#pragma once

#include "FakePlatform.h"
#include "form/MainDialog.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kvitok::testing {

// Year list rows: 0 is empty, 1 is 2009, 8 is 2016.
inline constexpr int kRow2013 = 5;
inline constexpr int kRow2014 = 6;
inline constexpr int kRow2016 = 8;

// A started dialog over the fakes, with its database and output in a temporary folder. The
// helpers act as a user does: change the model, then call the handler.
class DialogTest : public ::testing::Test {
public:
    void SetUp() override { Start(); }

    void Start() {
        dialog = std::make_unique<MainDialog>(platform.Services(), folder.File("insurers.db"));
        dialog->OnInitDialog();
    }

    DialogControls& C() { return dialog->Controls(); }

    void SelectStatus(int row) {
        C().status.Select(row);
        dialog->OnSelchangeStatus();
    }
    void SelectYear(int row) {
        C().year.Select(row);
        dialog->OnSelchangeYear();
    }
    void SelectKbk(int row) {
        C().kbk.Select(row);
        dialog->OnSelchangeKbk();
    }
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
    static void Type(EditModel& edit, const std::string& text) {
        edit.text = text;
        edit.selectionStart = edit.selectionEnd = static_cast<int>(text.size());
    }

    // An entrepreneur's yearly contribution for 2016 (KBK 2), filled so that it passes the checks.
    void FillValidForm() {
        C().payer.SetEditText("Ivanov Ivan");
        Type(C().address, "Olmgrad, 1");
        SelectStatus(2);
        SelectYear(kRow2016);
        SelectKbkNumber(2);
        Type(C().inn, "500100732259");
        Type(C().regNumber, "123-456-789012");
        Type(C().snils, "112-233-445 95");
        Type(C().birthYear, "1970");
        dialog->OnChangeBirthYear();
        C().oktmo.Select(1);
        Type(C().fileName, folder.File("kvt.html"));
    }

    TempFolder folder;
    FakePlatform platform;
    std::unique_ptr<MainDialog> dialog;
};

} // namespace kvitok::testing
