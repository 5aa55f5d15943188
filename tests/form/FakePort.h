#pragma once

#include "form/ControlPort.h"
#include "form/ControlSync.h"

#include <map>
#include <string>
#include <vector>

namespace kvitok::testing {

// A window's controls as plain values, for the control sync: what the program wrote is there
// to be read back, and a test changes them as a person would before telling the sync.
class FakePort : public ControlPort {
public:
    struct Control {
        std::u16string text;
        Selection selection;
        bool enabled = true;
        std::vector<std::u16string> rows;
        std::size_t rowsSent = 0; // by SetRows and AddRows, all told
        int row = -1;
        std::optional<CalendarDate> date;
    };
    struct Tip {
        int id;
        std::u16string title;
        std::u16string text;
    };

    std::map<int, Control> controls;
    std::vector<Tip> tips;
    std::map<int, std::vector<std::u16string>> suggestions; // as last shown
    // Writes to the controls, and those made outside an update (which the sync never does).
    int writes = 0;
    int writesOutsideUpdate = 0;
    // When set, the program's writes are reported back to it as a toolkit may report them.
    ControlSync* echo = nullptr;

    void BeginUpdate() override { m_updating = true; }
    void EndUpdate() override { m_updating = false; }
    std::u16string Text(int id) const override { return controls.at(id).text; }
    void SetText(int id, const std::u16string& text) override {
        Write(id).text = text;
        if (echo != nullptr) {
            echo->TextChanged(id);
        }
    }
    Selection GetSelection(int id) const override { return controls.at(id).selection; }
    void SetSelection(int id, Selection selection) override { Write(id).selection = selection; }
    void SetEnabled(int id, bool enabled) override { Write(id).enabled = enabled; }
    void SetRows(int id, const std::vector<std::u16string>& rows) override {
        Control& control = Write(id);
        control.rows = rows;
        control.rowsSent += rows.size();
        control.row = -1;
    }
    void AddRows(int id, const std::vector<std::u16string>& rows) override {
        Control& control = Write(id);
        control.rows.insert(control.rows.end(), rows.begin(), rows.end());
        control.rowsSent += rows.size();
    }
    int CurrentRow(int id) const override { return controls.at(id).row; }
    void SetCurrentRow(int id, int row) override {
        Write(id).row = row;
        if (echo != nullptr) {
            echo->RowPicked(id);
        }
    }
    std::optional<CalendarDate> Date(int id) const override { return controls.at(id).date; }
    void SetDate(int id, const CalendarDate& date) override {
        Write(id).date = date;
        if (echo != nullptr) {
            echo->CalendarClosed(id);
        }
    }
    void ShowSuggestions(int id, const std::vector<std::u16string>& suggestedRows) override {
        suggestions[id] = suggestedRows;
    }
    void TellRefused(int id, const std::u16string& title, const std::u16string& text) override {
        tips.push_back({id, title, text});
    }

private:
    Control& Write(int id) {
        ++writes;
        writesOutsideUpdate += m_updating ? 0 : 1;
        return controls[id];
    }

    bool m_updating = false;
};

} // namespace kvitok::testing
