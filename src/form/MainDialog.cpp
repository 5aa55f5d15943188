#include "MainDialog.h"

#include "payers/PayerStore.h"
#include "platform/LocalClock.h"
#include "text/Cp1251Literal.h"
#include "text/Format.h"
#include "text/NumberText.h"

#include <algorithm>
#include <utility>

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
    m_controls.periodFrom.date = m_form.periodFrom;
    m_controls.periodTo.date = m_form.periodTo;
}

MainDialog::~MainDialog() = default;

MessageAnswer MainDialog::Message(std::string_view text, MessageIcon icon, MessageButtons buttons) {
    return m_services.messages.Show(std::string(text), icon, buttons);
}

MainDialog::Handling::Handling(MainDialog& dialog) : m_dialog(dialog) {
    if (m_dialog.m_handlerDepth++ == 0) {
        m_dialog.m_actionRead = false;
    }
}

MainDialog::Handling::~Handling() {
    if (--m_dialog.m_handlerDepth == 0) {
        m_dialog.RememberBuiltRows();
    }
}

void MainDialog::RememberBuiltRows() {
    for (BuiltRow& built : m_builtRows) {
        built.row = built.list->Selected();
        built.editText = built.list->EditText();
    }
}

void MainDialog::RestoreBuiltRow(ListModel& list) {
    for (const BuiltRow& built : m_builtRows) {
        if (built.list == &list) {
            list.Select(built.row);
            if (list.Editable()) {
                list.SetEditText(built.editText);
            }
        }
    }
}

bool MainDialog::ReadControls(ListModel* picked, bool innReplaced) {
    const bool mayRefuse = m_handlerDepth == 0 || !m_actionRead;
    m_actionRead = true;
    // Only a field the person can mend refuses: a disabled one holding a longer value from a
    // hand-edited profile or a foreign payer file would otherwise refuse every action, closing
    // the program included, with no way out.
    const auto tooLong = [&](const EditModel& edit, std::size_t limit) {
        if (!mayRefuse || !edit.enabled || edit.text.size() <= limit) {
            return false;
        }
        // Back to the row first, so that the form behind the message is the one it keeps.
        if (picked != nullptr) {
            RestoreBuiltRow(*picked);
        }
        Message(FormatText("%s%d%s", std::string("Введите не более "_cp).c_str(), static_cast<int>(limit),
                           std::string(" символов."_cp).c_str()),
                MessageIcon::Warning);
        return true;
    };
    m_form.payerName = m_controls.payer.EditText();
    m_form.address = m_controls.address.text;
    m_form.inn = m_controls.inn.text;
    if (!innReplaced && tooLong(m_controls.inn, 12)) {
        return false;
    }
    m_form.regNumber = m_controls.regNumber.text;
    m_form.fileName = m_controls.fileName.text;
    m_form.sumRub = m_controls.sumRub.text;
    m_form.sumKop = m_controls.sumKop.text;
    m_form.oktmo = m_controls.oktmo.SelectedText();
    m_form.periodFrom = m_controls.periodFrom.date;
    m_form.periodTo = m_controls.periodTo.date;
    m_form.snils = m_controls.snils.text;
    m_form.birthYear = m_controls.birthYear.text;
    if (tooLong(m_controls.birthYear, 4)) {
        return false;
    }
    m_form.incomeRub = m_controls.incomeRub.text;
    m_form.incomeKop = m_controls.incomeKop.text;
    return true;
}

void MainDialog::WriteControls() {
    m_controls.payer.SetEditText(m_form.payerName);
    WriteEdit(m_controls.address, m_form.address);
    WriteEdit(m_controls.inn, m_form.inn);
    m_controls.inn.limit = 12;
    WriteEdit(m_controls.regNumber, m_form.regNumber);
    WriteEdit(m_controls.fileName, m_form.fileName);
    WriteEdit(m_controls.sumRub, m_form.sumRub);
    WriteEdit(m_controls.sumKop, m_form.sumKop);
    SelectByPrefix(m_controls.oktmo, m_form.oktmo);
    WriteDate(m_controls.periodFrom, m_form.periodFrom);
    WriteDate(m_controls.periodTo, m_form.periodTo);
    WriteEdit(m_controls.snils, m_form.snils);
    WriteEdit(m_controls.birthYear, m_form.birthYear);
    m_controls.birthYear.limit = 4;
    WriteEdit(m_controls.incomeRub, m_form.incomeRub);
    WriteEdit(m_controls.incomeKop, m_form.incomeKop);
}

std::vector<std::string> MainDialog::CountedRun(std::string_view prefix) const {
    if (m_dictionary.Lookup("BEGIN").empty()) {
        return {};
    }
    return m_dictionary.CountedRun(prefix);
}

void MainDialog::FillYearList() {
    ListModel& years = m_controls.year;
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
    ListModel& statuses = m_controls.status;
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
    const Handling handling(*this);
    m_yearText = "0";
    m_kbkPostfix = "0";
    FillStatusList();
    LoadPayerNames();
    m_controls.year.Select(0);
    WriteControls();
    OnChangeRegNumber();
    OnChangeSnils();
    OnSelchangeKbk();
    m_services.about.ShowAbout();
    LoadFormState();
}

bool MainDialog::OnCancel() {
    if (Message("Закрыть программу?"_cp, MessageIcon::None, MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return false;
    }
    const Handling handling(*this);
    // Closing over a refused value would lose what was typed since; its complaint says what to fix.
    if (!ReadControls()) {
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

void MainDialog::OnHelp(int buttonId) {
    std::string_view text;
    switch (buttonId) {
    case 1020:
        text = "\"Год\"\n- для плательщиков со статусом 9-13 используется для расчета взносов"_cp;
        break;
    case 1022:
        text = "\"Период\"\n- ГД - год, для плательщиков со статусом 9-13\nКВ - квартал, МС - месяц, для "
               "плательщиков со статусом 14"_cp;
        break;
    case 1025:
        text =
            "\"Период уплаты с\"\n- корректируется в случае постановки на учет \nв регистрирующем органе в "
            "выбранном году"_cp;
        break;
    case 1026:
        text = "\"Период уплаты по\"\n- корректируется в случае снятия с учета \nв регистрирующем органе в "
               "выбранном году"_cp;
        break;
    case 1021:
        text = "\"Год рождения\"\n- для плательщиков со статусом 9-13 используется для расчета взносов"_cp;
        break;
    case 1024:
        text = "\"ОКМТО\"\n- территориальный признак, при оплате ДСВ указывается ОКТМО г.Ольмграда"_cp;
        break;
    case 1029:
        text = "\"Сумма\"\n- при выборе \"Все взносы\" из списка КБК для \nплательщиков со статусом 9-13 "
               "указывается общая сумма"_cp;
        break;
    case 1030:
        text = "\"Сумма дохода за период\"\n- при выборе периода 2014г для \nплательщиков со статусом 9-12 "
               "указывается сумма дохода если она превышает 300 000 руб"_cp;
        break;
    default:
        return;
    }
    Message(text, MessageIcon::Information);
}

} // namespace kvitok
