#include "MainDialog.h"

#include "SortInPieces.h"
#include "payers/PayerStore.h"
#include "platform/LocalClock.h"
#include "text/Cp1251Literal.h"
#include "text/Format.h"
#include "text/NumberText.h"

#include <algorithm>
#include <utility>
#include <variant>

namespace kvitok {

namespace {

unsigned char FoldCase(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF)) {
        return static_cast<unsigned char>(c + 0x20);
    }
    return c == 0xA8 ? 0xB8 : c; // Ё
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(static_cast<unsigned char>(text[i])) !=
            FoldCase(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

// The OKTMO list takes part in the exchange by text: the first row that begins with the
// field's text is selected; an empty or unknown text leaves the selection alone.
void SelectByPrefix(ListModel& list, const std::string& text) {
    if (text.empty()) {
        return;
    }
    for (int row = 0; row < list.Count(); ++row) {
        if (StartsWithIgnoringCase(list.RowText(row), text)) {
            list.Select(row);
            return;
        }
    }
}

void WriteEdit(EditModel& edit, const std::string& text) {
    if (edit.text != text) {
        edit.text = text;
        const int length = static_cast<int>(text.size());
        edit.selectionStart = std::min(edit.selectionStart, length);
        edit.selectionEnd = std::min(edit.selectionEnd, length);
    }
}

// One visitor of a form field from a lambda for each of its kinds.
template <class... Visit>
struct FieldVisitor : Visit... {
    using Visit::operator()...;
};
template <class... Visit>
FieldVisitor(Visit...) -> FieldVisitor<Visit...>;

void WriteDate(DatePickerModel& picker, const CalendarDate& date) {
    if (date.IsValid()) {
        picker.date = date;
    }
}

} // namespace

MainDialog::MainDialog(PlatformServices services, std::string databasePath)
    : m_services(services), m_databasePath(std::move(databasePath)),
      m_payers(std::make_unique<PayerStore>()) {
    m_form.periodFrom = LocalNow();
    m_form.periodTo = m_form.periodFrom;
    Date(ControlId::PeriodFrom).date = m_form.periodFrom;
    Date(ControlId::PeriodTo).date = m_form.periodTo;
}

MainDialog::~MainDialog() = default;

MessageAnswer MainDialog::Message(std::string_view text, MessageIcon icon, MessageButtons buttons) {
    return m_services.messages.Show(std::string(text), icon, buttons);
}

void MainDialog::ReadControls() {
    for (const FormControl& control : MainDialogTemplate().controls) {
        std::visit(FieldVisitor {
                       [](std::monostate) {},
                       [&](TextField text) {
                           switch (control.kind) {
                           case ControlKind::EditableDropDown:
                               m_form.*text = List(control.id).EditText();
                               break;
                           case ControlKind::DropDownList:
                               m_form.*text = List(control.id).SelectedText();
                               break;
                           default:
                               m_form.*text = Edit(control.id).text;
                               break;
                           }
                       },
                       [&](DateField date) {
                           m_form.*date = Date(control.id).date;
                       },
                   },
                   control.field);
    }
}

void MainDialog::WriteControls() {
    for (const FormControl& control : MainDialogTemplate().controls) {
        std::visit(FieldVisitor {
                       [](std::monostate) {},
                       [&](TextField text) {
                           switch (control.kind) {
                           case ControlKind::EditableDropDown:
                               List(control.id).SetEditText(m_form.*text);
                               break;
                           case ControlKind::DropDownList:
                               SelectByPrefix(List(control.id), m_form.*text);
                               break;
                           default:
                               WriteEdit(Edit(control.id), m_form.*text);
                               Edit(control.id).limit = control.limit;
                               break;
                           }
                       },
                       [&](DateField date) {
                           WriteDate(Date(control.id), m_form.*date);
                       },
                   },
                   control.field);
    }
}

std::optional<std::string> MainDialog::RefusedValue(int pickedId) const {
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (control.limit == 0 || (pickedId == ControlId::Payer && control.id == ControlId::Inn)) {
            continue;
        }
        const EditModel& edit = m_controls.Edit(control.id);
        if (edit.enabled && edit.text.size() > control.limit) {
            return FormatText("%s%d%s", std::string("Введите не более "_cp).c_str(),
                              static_cast<int>(control.limit), std::string(" символов."_cp).c_str());
        }
    }
    return std::nullopt;
}

void MainDialog::Complain(std::string_view complaint) {
    Message(complaint, MessageIcon::Warning);
}

std::vector<std::string> MainDialog::CountedRun(std::string_view prefix) const {
    if (m_dictionary.Lookup("BEGIN").empty()) {
        return {};
    }
    return m_dictionary.CountedRun(prefix);
}

void MainDialog::FillYearList() {
    ListModel& years = List(ControlId::Year);
    years.Clear();
    years.AddRow("");
    const int maxYear = m_dictionary.LookupInt("MAX_YEAR");
    for (int year = 2009; year <= maxYear; ++year) {
        years.AddRow(IntToText(year));
    }
    years.Select(0);
}

void MainDialog::FillStatusList() {
    FillYearList();
    ListModel& statuses = List(ControlId::Status);
    statuses.Clear();
    statuses.AddRow("");
    const std::vector<std::string> codes = CountedRun("STATUS_NUM_");
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const std::string name = m_dictionary.Lookup(FormatText("STATUS_NAME_%d", static_cast<int>(i + 1)));
        statuses.AddRow(codes[i] + " - " + name);
    }
    statuses.Select(0);
    m_form.fileName = "kvt.html";
    m_form.sumRub = "0";
    m_form.sumKop = "00";
    WriteControls();
}

void MainDialog::OnInitDialog() {
    m_yearText = "0";
    m_kbkPostfix = "0";
    FillStatusList();
    LoadPayerNames();
    List(ControlId::Year).Select(0);
    OnChangeRegNumber();
    OnChangeSnils();
    OnSelchangeKbk();
    m_services.about.ShowAbout();
    FinishPayerNames();
    LoadFormState();
}

bool MainDialog::OnCancel() {
    if (Message("Закрыть программу?"_cp, MessageIcon::None, MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return false;
    }
    // Closing over a refused value would lose what was typed since; its complaint says what to fix.
    if (const std::optional<std::string> complaint = RefusedValue()) {
        Complain(*complaint);
        return false;
    }
    if (const Result<> saved = SaveFormState(); !saved) {
        Message(std::string("Не удалось сохранить форму в файл "_cp) + saved.Reason(), MessageIcon::Warning);
    }
    return true;
}

void MainDialog::OnAbout() {
    m_services.about.ShowAbout();
}

void MainDialog::OnHelp(const FormControl& button) {
    Message(button.help, MessageIcon::Information);
}

void MainDialog::Act(const FormControl& control) {
    std::visit(FieldVisitor {
                   [](std::monostate) {},
                   [this](FormHandler handler) {
                       (this->*handler)();
                   },
                   [this, &control](RowHandler handler) {
                       (this->*handler)(control);
                   },
               },
               control.onAction);
}

} // namespace kvitok
