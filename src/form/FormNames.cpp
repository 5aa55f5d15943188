// The names the form table gives its controls: for the person, for screen readers, for the
// validation's complaints.
#include "FormTable.h"

#include "text/Cp1251Literal.h"

namespace kvitok {

const FormControl* LabelOf(const DialogTemplate& dialog, const FormControl& input) {
    if (input.id < 0) {
        return nullptr;
    }
    for (const FormControl& label : dialog.controls) {
        if (label.labels == input.id) {
            return &label;
        }
    }
    return nullptr;
}

std::string AccessibleName(const DialogTemplate& dialog, const FormControl& control) {
    if (control.helps >= 0) {
        for (const FormControl& field : dialog.controls) {
            if (field.id == control.helps) {
                return std::string("Справка: "_cp) + AccessibleName(dialog, field);
            }
        }
        return {};
    }
    if (!control.name.empty()) {
        return std::string(control.name);
    }
    const FormControl* label = LabelOf(dialog, control);
    return label == nullptr ? std::string() : std::string(label->text);
}

std::string ComplaintLabel(const FormControl& control) {
    return control.complaint.empty() ? AccessibleName(MainDialogTemplate(), control)
                                     : std::string(control.complaint);
}

} // namespace kvitok
