#include "DialogControls.h"

namespace kvitok {

DialogControls::DialogControls(const DialogTemplate& dialog) {
    for (const FormControl& control : dialog.controls) {
        if (control.id < 0) {
            continue;
        }
        if (IsEdit(control.kind)) {
            m_models.emplace(control.id, EditModel {});
        } else if (IsList(control.kind)) {
            m_models.emplace(control.id,
                             ListModel(control.sorted, control.kind == ControlKind::EditableDropDown));
        } else if (IsDatePicker(control.kind)) {
            m_models.emplace(control.id, DatePickerModel {});
        } else if (IsButton(control.kind)) {
            m_models.emplace(control.id, ButtonModel {});
        }
    }
}

bool DialogControls::Enabled(int id) const {
    return std::visit(
        [](const auto& model) {
            if constexpr (std::is_same_v<std::decay_t<decltype(model)>, ListModel>) {
                return model.Enabled();
            } else {
                return model.enabled;
            }
        },
        m_models.at(id));
}

void DialogControls::SetEnabled(int id, bool enabled) {
    std::visit(
        [enabled](auto& model) {
            if constexpr (std::is_same_v<std::decay_t<decltype(model)>, ListModel>) {
                model.SetEnabled(enabled);
            } else {
                model.enabled = enabled;
            }
        },
        m_models.at(id));
}

} // namespace kvitok
