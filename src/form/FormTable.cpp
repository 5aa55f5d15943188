#include "FormTable.h"

#include "MainDialog.h"
#include "text/Cp1251Literal.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace kvitok {

namespace {

using K = ControlKind;
using D = MainDialog;
using F = PaymentForm;
namespace Id = ControlId;

// In tab order: each label stands right before the input it names, as the dialog manager and
// screen readers expect.
constexpr std::array kMainControls {
    FormControl {.kind = K::Picture, .rect = {8, 0, 67, 64}},
    FormControl {.kind = K::CentredStatic,
                 .text = "Программа для самостоятельного формирования платежных документов со штрих-кодом "
                         "по страховым взносам (автоматический расчет), пени, штрафам и дополнительным "
                         "страховым взносам,"_cp,
                 .rect = {82, 4, 199, 32}},
    FormControl {.kind = K::CentredStatic,
                 .text = "оплачиваемым в Отделение Зорвенского фонда по Ольмской Республике "
                         "индивидуальными предпринимателями и физическими лицами"_cp,
                 .rect = {83, 37, 199, 25}},
    FormControl {.id = Id::About,
                 .kind = K::Button,
                 .text = "О программе"_cp,
                 .rect = {289, 52, 55, 12},
                 .onAction = &D::OnAbout,
                 .readsForm = false},
    FormControl {.text = "Плательщик"_cp, .rect = {6, 66, 58, 8}},
    FormControl {.id = Id::Payer,
                 .kind = K::EditableDropDown,
                 .rect = {6, 75, 216, 83},
                 .name = "Плательщик"_cp,
                 .field = &F::payerName,
                 .onAction = &D::OnSelchangePayer,
                 .profileKey = "kvt_insurer",
                 .sorted = true},
    FormControl {.id = Id::SavePayer,
                 .kind = K::Button,
                 .text = "Сохранить"_cp,
                 .rect = {229, 74, 50, 14},
                 .onAction = &D::OnSavePayer},
    FormControl {.id = Id::DeletePayer,
                 .kind = K::Button,
                 .text = "Удалить"_cp,
                 .rect = {289, 74, 55, 14},
                 .onAction = &D::OnDeletePayer},
    FormControl {.text = "Адрес"_cp, .rect = {6, 91, 47, 8}},
    FormControl {.id = Id::Address,
                 .kind = K::Edit,
                 .rect = {6, 100, 338, 12},
                 .name = "Адрес"_cp,
                 .field = &F::address,
                 .profileKey = "kvt_addr"},
    FormControl {.text = "Статус"_cp, .rect = {8, 116, 24, 8}},
    FormControl {.id = Id::Status,
                 .kind = K::DropDownList,
                 .rect = {6, 125, 216, 121},
                 .name = "Статус"_cp,
                 .onAction = &D::OnSelchangeStatus,
                 .profileKey = "kvt_stat",
                 .profileDefault = "0"},
    FormControl {.text = "Налоговый период"_cp, .rect = {230, 116, 65, 8}},
    FormControl {.id = Id::Year,
                 .kind = K::DropDownList,
                 .rect = {230, 125, 38, 91},
                 .name = "Налоговый период"_cp,
                 .onAction = &D::OnSelchangeYear,
                 .profileKey = "kvt_year",
                 .profileDefault = "0",
                 .sorted = true},
    FormControl {.id = Id::HelpYear,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {268, 125, 13, 12},
                 .help = "\"Год\"\n- для плательщиков со статусом 9-13 используется для расчета взносов"_cp,
                 .helps = Id::Year},
    FormControl {.id = Id::TaxPeriod,
                 .kind = K::DropDownList,
                 .rect = {289, 125, 41, 166},
                 .name = "Налоговый период, показатель"_cp,
                 .profileKey = "kvt_per",
                 .profileDefault = "0"},
    FormControl {.id = Id::HelpTaxPeriod,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {331, 125, 13, 12},
                 .help =
                     "\"Период\"\n- ГД - год, для плательщиков со статусом 9-13\nКВ - квартал, МС - месяц, "
                     "для плательщиков со статусом 14"_cp,
                 .helps = Id::TaxPeriod},
    FormControl {.text = "КБК"_cp, .rect = {6, 141, 15, 8}},
    FormControl {.id = Id::Kbk,
                 .kind = K::DropDownList,
                 .rect = {6, 150, 338, 151},
                 .name = "КБК"_cp,
                 .onAction = &D::OnSelchangeKbk,
                 .profileKey = "kvt_kbk",
                 .profileDefault = "0"},
    FormControl {.text = "ИНН"_cp, .rect = {6, 166, 17, 8}},
    FormControl {.id = Id::Inn,
                 .kind = K::Edit,
                 .rect = {6, 175, 70, 12},
                 .name = "ИНН"_cp,
                 .field = &F::inn,
                 .profileKey = "kvt_inn",
                 .switchKey = "INN",
                 .limit = 12,
                 .digitsOnly = true},
    FormControl {.text = "Рег.номер ЗВФ"_cp, .rect = {101, 166, 56, 8}},
    FormControl {.id = Id::RegNumber,
                 .kind = K::Edit,
                 .rect = {100, 175, 70, 12},
                 .name = "Рег.номер ЗВФ"_cp,
                 .field = &F::regNumber,
                 .onAction = &D::OnChangeRegNumber,
                 .onFocus = &D::OnSetfocusRegNumber,
                 .profileKey = "kvt_regnum",
                 .switchKey = "REGNUM"},
    FormControl {.text = "СНИЛС"_cp, .rect = {194, 166, 26, 8}},
    FormControl {.id = Id::Snils,
                 .kind = K::Edit,
                 .rect = {194, 175, 72, 12},
                 .name = "СНИЛС"_cp,
                 .field = &F::snils,
                 .onAction = &D::OnChangeSnils,
                 .onFocus = &D::OnSetfocusSnils,
                 .profileKey = "kvt_snils",
                 .switchKey = "SNILS"},
    FormControl {.text = "Год рождения"_cp, .rect = {290, 166, 48, 8}},
    FormControl {.id = Id::BirthYear,
                 .kind = K::Edit,
                 .rect = {290, 175, 40, 12},
                 .name = "Год рождения"_cp,
                 .field = &F::birthYear,
                 .onAction = &D::OnChangeBirthYear,
                 .profileKey = "kvt_bornyear",
                 .switchKey = "BYEAR",
                 .limit = 4,
                 .digitsOnly = true},
    FormControl {.id = Id::HelpBirthYear,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {331, 175, 13, 12},
                 .help = "\"Год рождения\"\n- для плательщиков со статусом 9-13 используется для расчета "
                         "взносов"_cp,
                 .helps = Id::BirthYear},
    FormControl {.text = "ОКТМО"_cp, .rect = {8, 191, 27, 8}},
    FormControl {.id = Id::Oktmo,
                 .kind = K::DropDownList,
                 .rect = {6, 200, 138, 115},
                 .name = "ОКТМО"_cp,
                 .field = &F::oktmo,
                 .profileKey = "kvt_oktmo",
                 .switchKey = "OKTMO",
                 .sorted = true},
    FormControl {.id = Id::HelpOktmo,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {145, 200, 13, 12},
                 .help =
                     "\"ОКМТО\"\n- территориальный признак, при оплате ДСВ указывается ОКТМО г.Ольмграда"_cp,
                 .helps = Id::Oktmo},
    FormControl {.text = "Сумма дохода за отчетный период"_cp, .rect = {226, 191, 118, 8}},
    FormControl {.id = Id::IncomeRub,
                 .kind = K::Edit,
                 .rect = {226, 200, 46, 12},
                 .name = "Сумма дохода за отчетный период"_cp,
                 .field = &F::incomeRub,
                 .onAction = &D::OnChangeIncome,
                 .profileKey = "kvt_revrub",
                 .profileDefault = "0",
                 .switchKey = "REVR",
                 .digitsOnly = true},
    FormControl {.text = "руб"_cp, .rect = {276, 202, 12, 8}},
    FormControl {.id = Id::IncomeKop,
                 .kind = K::Edit,
                 .rect = {292, 200, 19, 12},
                 .name = "Сумма дохода за отчетный период, коп"_cp,
                 .field = &F::incomeKop,
                 .onAction = &D::OnChangeIncome,
                 .profileKey = "kvt_revkop",
                 .profileDefault = "00",
                 .switchKey = "REVK",
                 .digitsOnly = true},
    FormControl {.text = "коп"_cp, .rect = {314, 202, 13, 8}},
    FormControl {.id = Id::HelpIncome,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {331, 200, 13, 12},
                 .help =
                     "\"Сумма дохода за период\"\n- при выборе периода 2014г для \nплательщиков со статусом "
                     "9-12 указывается сумма дохода если она превышает 300 000 руб"_cp,
                 .helps = Id::IncomeRub},
    FormControl {.text = "Период уплаты"_cp, .rect = {6, 216, 52, 8}},
    FormControl {.id = Id::PeriodFrom,
                 .kind = K::DatePicker,
                 .rect = {6, 225, 56, 12},
                 .name = "Период уплаты"_cp,
                 .field = &F::periodFrom,
                 .onAction = &D::OnCloseupPeriodFrom,
                 .profileKey = "kvt_fromDate",
                 .switchKey = "CYEAR"},
    FormControl {.id = Id::HelpPeriodFrom,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {63, 224, 13, 12},
                 .help =
                     "\"Период уплаты с\"\n- корректируется в случае постановки на учет \nв регистрирующем "
                     "органе в выбранном году"_cp,
                 .helps = Id::PeriodFrom},
    FormControl {.text = "--", .rect = {80, 227, 8, 8}},
    FormControl {.id = Id::PeriodTo,
                 .kind = K::DatePicker,
                 .rect = {89, 225, 56, 12},
                 .name = "Период уплаты, по"_cp,
                 .field = &F::periodTo,
                 .onAction = &D::OnCloseupPeriodTo,
                 .profileKey = "kvt_toDate",
                 .switchKey = "CYEAR"},
    FormControl {
        .id = Id::HelpPeriodTo,
        .kind = K::Button,
        .text = "?",
        .rect = {145, 224, 13, 12},
        .help = "\"Период уплаты по\"\n- корректируется в случае снятия с учета \nв регистрирующем органе "
                "в выбранном году"_cp,
        .helps = Id::PeriodTo},
    FormControl {.text = "Сумма"_cp, .rect = {231, 216, 24, 8}},
    FormControl {.id = Id::SumRub,
                 .kind = K::Edit,
                 .rect = {226, 225, 46, 12},
                 .name = "Сумма"_cp,
                 .field = &F::sumRub,
                 .profileKey = "kvt_rub",
                 .profileDefault = "0",
                 .switchKey = "RUB",
                 .digitsOnly = true},
    FormControl {.text = "руб"_cp, .rect = {276, 227, 12, 8}},
    FormControl {.id = Id::SumKop,
                 .kind = K::Edit,
                 .rect = {292, 225, 19, 12},
                 .name = "Сумма, коп"_cp,
                 .field = &F::sumKop,
                 .profileKey = "kvt_kop",
                 .profileDefault = "00",
                 .switchKey = "KOP",
                 .digitsOnly = true},
    FormControl {.text = "коп"_cp, .rect = {314, 227, 13, 8}},
    FormControl {
        .id = Id::HelpSum,
        .kind = K::Button,
        .text = "?",
        .rect = {331, 225, 13, 12},
        .help = "\"Сумма\"\n- при выборе \"Все взносы\" из списка КБК для \nплательщиков со статусом 9-13 "
                "указывается общая сумма"_cp,
        .helps = Id::SumRub},
    FormControl {.text = "Файл"_cp, .rect = {6, 241, 20, 8}},
    FormControl {.id = Id::FileName,
                 .kind = K::Edit,
                 .rect = {6, 251, 295, 12},
                 .name = "Файл"_cp,
                 .field = &F::fileName,
                 .profileKey = "kvt_filename",
                 .profileDefault = "kvt.html",
                 .switchKey = "FILE"},
    FormControl {.id = Id::Browse,
                 .kind = K::Button,
                 .text = "Обзор"_cp,
                 .rect = {314, 251, 30, 12},
                 .onAction = &D::OnBrowse,
                 .switchKey = "BROWSE"},
    FormControl {.id = Id::Create,
                 .kind = K::DefaultButton,
                 .text = "Создать"_cp,
                 .rect = {117, 274, 45, 13},
                 .onAction = &D::OnCreate,
                 .switchKey = "OK"},
    // Esc and the close box cancel too; each window brings all three to the sync's Cancel.
    FormControl {.id = Id::Cancel, .kind = K::Button, .text = "Отмена"_cp, .rect = {188, 274, 45, 13}},
};

constexpr std::array kAboutControls {
    FormControl {.kind = K::Picture, .rect = {43, 7, 67, 64}},
    FormControl {.kind = K::CentredStatic,
                 .text = "Разработка Отделения Зорвенского фонда по Ольмской Республике"_cp,
                 .rect = {7, 74, 139, 23}},
    FormControl {.text = "kvitok Версия " KVITOK_VERSION ""_cp, .rect = {44, 98, 67, 8}},
    FormControl {.id = Id::PlatformLine, .rect = {45, 108, 65, 8}},
    FormControl {.text = "Перед формированием ПД-4 необходимо уточнить актуальность версии программы у "
                         "специалистов Зорвенского фонда."_cp,
                 .rect = {7, 125, 140, 33}},
    FormControl {.text = "сборка"_cp, .rect = {26, 163, 25, 8}},
    // The compile date and time, "Mmm dd yyyy hh:mm:ss".
    FormControl {.id = Id::BuildStamp,
                 .kind = K::BorderlessEdit,
                 .text = __DATE__ " " __TIME__ ""_cp,
                 .rect = {55, 163, 74, 12},
                 .name = "сборка"_cp},
    FormControl {.id = Id::Create, .kind = K::DefaultButton, .text = "OK", .rect = {51, 178, 50, 14}},
};

// The main dialog's own size is not part of its control table: it is the extent of the
// controls plus the same margin as at the top left.
constexpr DialogTemplate kMain {"kvitok", 351, 294, kMainControls};
constexpr DialogTemplate kAbout {"О программе\u00A0 kvitok"_cp, 154, 199, kAboutControls};

} // namespace

const DialogTemplate& MainDialogTemplate() {
    return kMain;
}

const DialogTemplate& AboutDialogTemplate() {
    return kAbout;
}

const FormControl* FindFormRow(int id) {
    if (id < 0) {
        return nullptr;
    }
    const auto row = std::find_if(kMainControls.begin(), kMainControls.end(), [id](const FormControl& c) {
        return c.id == id;
    });
    return row == kMainControls.end() ? nullptr : &*row;
}

const FormControl& FormRow(int id) {
    const FormControl* row = FindFormRow(id);
    if (row == nullptr) {
        throw std::out_of_range("no control of that id in the form");
    }
    return *row;
}

std::string AccessibleName(const DialogTemplate& dialog, const FormControl& control) {
    if (control.helps < 0) {
        return std::string(control.name);
    }
    for (const FormControl& field : dialog.controls) {
        if (field.id == control.helps) {
            return std::string("Справка: "_cp) + std::string(field.name);
        }
    }
    return {};
}

} // namespace kvitok
