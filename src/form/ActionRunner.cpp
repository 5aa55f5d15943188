#include "ActionRunner.h"

#include "MainDialog.h"

namespace kvitok {

namespace {

// Sets a flag for the time of a scope.
class Flagged {
public:
    explicit Flagged(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Flagged() { m_flag = false; }
    Flagged(const Flagged&) = delete;
    Flagged& operator=(const Flagged&) = delete;

private:
    bool& m_flag;
};

} // namespace

ActionRunner::ActionRunner(MainDialog& dialog, std::function<bool(int)> takeTexts, std::function<void()> show)
    : m_dialog(dialog), m_takeTexts(std::move(takeTexts)), m_show(std::move(show)) {}

void ActionRunner::Initialise(const std::function<void()>& initialise) {
    {
        const Flagged running(m_running);
        initialise();
        RememberRows();
    }
    m_show();
}

void ActionRunner::Run(const FormControl& control, FormHandler handler) {
    const Flagged running(m_running);
    if (control.readsForm && !FormAgrees(control)) {
        return;
    }
    if (handler != nullptr) {
        (m_dialog.*handler)();
    } else {
        m_dialog.Act(control);
    }
    RememberRows();
    m_show();
}

bool ActionRunner::FormAgrees(const FormControl& control) {
    const bool pick = IsList(control.kind);
    const bool texts = m_takeTexts(control.id);
    const std::optional<std::string> complaint =
        texts ? m_dialog.RefusedValue(pick ? control.id : -1) : std::nullopt;
    if (texts && !complaint) {
        return true;
    }
    // Back to the row first, so that the form behind the message is the one it keeps.
    if (pick) {
        PutBack(control.id);
    }
    m_show();
    if (complaint) {
        m_dialog.Complain(*complaint);
        m_show();
    }
    return false;
}

bool ActionRunner::Close(const std::function<bool()>& close) {
    bool ended = false;
    {
        const Flagged running(m_running);
        ended = m_takeTexts(ControlId::Cancel) && close();
    }
    m_show();
    return ended;
}

void ActionRunner::Picking(int id, std::string editText) {
    m_textBeforePick[id] = std::move(editText);
}

void ActionRunner::RememberRows() {
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (IsList(control.kind) && !std::holds_alternative<std::monostate>(control.onAction)) {
            m_builtRows[control.id] = m_dialog.Controls().List(control.id).Selected();
        }
    }
}

void ActionRunner::PutBack(int id) {
    ListModel& list = m_dialog.Controls().List(id);
    if (const auto built = m_builtRows.find(id); built != m_builtRows.end()) {
        list.Select(built->second);
    }
    // The person's typing stays, as the field showed it before the pick.
    if (const auto typed = m_textBeforePick.find(id); list.Editable() && typed != m_textBeforePick.end()) {
        list.SetEditText(typed->second);
    }
}

} // namespace kvitok
