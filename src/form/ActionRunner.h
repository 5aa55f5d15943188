#pragma once

#include "FormTable.h"

#include <functional>
#include <map>
#include <string>

namespace kvitok {

// Runs each of the person's actions as one piece: the texts the fields show checked against the
// form first, the exchange's check of the form's values once, the handler, and the form shown.
// An action the checks refuse runs nothing, and a pick it refuses puts its list back, so that
// the screen keeps the form the handlers built. Actions do not nest: what the toolkit reports
// while one runs (behind a modal box) is not the person's doing.
class ActionRunner {
public:
    // `takeTexts` takes into the form what the fields show beyond it, the acting control's own
    // aside; false when it refused one (and told the person). `show` puts the models on screen.
    ActionRunner(MainDialog& dialog, std::function<bool(int actingId)> takeTexts, std::function<void()> show);

    bool Running() const { return m_running; }

    // The dialog's initialisation: handlers only, nothing checked.
    void Initialise(const std::function<void()>& initialise);
    // The action of a control's row, or `handler` in its place.
    void Run(const FormControl& control, FormHandler handler = nullptr);
    // Closing: the texts checked, then `close` (which asks and checks the form itself); true when
    // the dialog ends.
    bool Close(const std::function<bool()>& close);
    // A pick is about to reach a list: the text its edit showed, for a refused pick to go back to.
    void Picking(int id, std::string editText);

private:
    // True when the texts and the values of the form may be used; otherwise the person was told
    // why and a pick's list is back at its row.
    bool FormAgrees(const FormControl& control);
    void PutBack(int id);
    void RememberRows();

    MainDialog& m_dialog;
    std::function<bool(int)> m_takeTexts;
    std::function<void()> m_show;
    // The rows of the lists whose picks run a handler, as the person's last action left them.
    std::map<int, int> m_builtRows;
    std::map<int, std::string> m_textBeforePick;
    bool m_running = false;
};

} // namespace kvitok
