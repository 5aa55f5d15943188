#include "DialogControls.h"

namespace kvitok {

DialogControls::DialogControls(const DialogTemplate& dialog) {
    for (const FormControl& control : dialog.controls) {
        if (control.id < 0) {
            continue;
        }
        switch (control.kind) {
        case ControlKind::Edit:
        case ControlKind::BorderlessEdit:
            m_models.emplace(control.id, EditModel {});
            break;
        case ControlKind::DropDownList:
        case ControlKind::EditableDropDown:
            m_models.emplace(control.id,
                             ListModel(control.sorted, control.kind == ControlKind::EditableDropDown));
            break;
        case ControlKind::DatePicker:
            m_models.emplace(control.id, DatePickerModel {});
            break;
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            m_models.emplace(control.id, ButtonModel {});
            break;
        case ControlKind::Picture:
        case ControlKind::Static:
        case ControlKind::CentredStatic:
            break;
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
