#pragma once

#include "ControlModels.h"
#include "FormTable.h"

#include <map>
#include <variant>

namespace kvitok {

// The models of the dialog's controls, one for each control of the form table that has an id:
// an edit, a list, a date picker or a button by the control's kind.
class DialogControls {
public:
    explicit DialogControls(const DialogTemplate& dialog = MainDialogTemplate());

    EditModel& Edit(int id) { return std::get<EditModel>(m_models.at(id)); }
    const EditModel& Edit(int id) const { return std::get<EditModel>(m_models.at(id)); }
    ListModel& List(int id) { return std::get<ListModel>(m_models.at(id)); }
    const ListModel& List(int id) const { return std::get<ListModel>(m_models.at(id)); }
    DatePickerModel& Date(int id) { return std::get<DatePickerModel>(m_models.at(id)); }
    const DatePickerModel& Date(int id) const { return std::get<DatePickerModel>(m_models.at(id)); }
    ButtonModel& Button(int id) { return std::get<ButtonModel>(m_models.at(id)); }
    const ButtonModel& Button(int id) const { return std::get<ButtonModel>(m_models.at(id)); }

    // Whether the control can be used, whatever its kind.
    bool Enabled(int id) const;
    void SetEnabled(int id, bool enabled);

private:
    std::map<int, std::variant<EditModel, ListModel, DatePickerModel, ButtonModel>> m_models;
};

} // namespace kvitok
