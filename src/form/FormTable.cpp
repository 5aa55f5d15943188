#include "FormTable.h"

#include "InputMasks.h"
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
    FormControl {.text = "Плательщик"_cp, .rect = {6, 66, 58, 8}, .labels = Id::Payer},
    FormControl {.id = Id::Payer,
                 .kind = K::EditableDropDown,
                 .rect = {6, 75, 216, 83},
                 .field = &F::payerName,
                 .onAction = &D::OnSelchangePayer,
                 .profile = {.key = "kvt_insurer", .savedAs = 1, .restoredAt = 8},
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
    FormControl {.text = "Адрес"_cp, .rect = {6, 91, 47, 8}, .labels = Id::Address},
    FormControl {.id = Id::Address,
                 .kind = K::Edit,
                 .rect = {6, 100, 338, 12},
                 .field = &F::address,
                 .profile = {.key = "kvt_addr", .savedAs = 2, .restoredAt = 8}},
    FormControl {.text = "Статус"_cp, .rect = {8, 116, 24, 8}, .labels = Id::Status},
    FormControl {.id = Id::Status,
                 .kind = K::DropDownList,
                 .rect = {6, 125, 216, 121},
                 .onAction = &D::OnSelchangeStatus,
                 .profile = {.key = "kvt_stat", .byDefault = "0", .savedAs = 3, .restoredAt = 1}},
    FormControl {.text = "Налоговый период"_cp, .rect = {230, 116, 65, 8}, .labels = Id::Year},
    FormControl {.id = Id::Year,
                 .kind = K::DropDownList,
                 .rect = {230, 125, 38, 91},
                 .onAction = &D::OnSelchangeYear,
                 .profile = {.key = "kvt_year", .byDefault = "0", .savedAs = 10, .restoredAt = 2},
                 .sorted = true},
    FormControl {.id = Id::HelpYear,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {268, 125, 13, 12},
                 .onAction = &D::OnHelp,
                 .readsForm = false,
                 .help = "\"Год\"\n- для плательщиков со статусом 9-13 используется для расчета взносов"_cp,
                 .helps = Id::Year},
    FormControl {.id = Id::TaxPeriod,
                 .kind = K::DropDownList,
                 .rect = {289, 125, 41, 166},
                 .name = "Налоговый период, показатель"_cp,
                 .profile = {.key = "kvt_per", .byDefault = "0", .savedAs = 9, .restoredAt = 5}},
    FormControl {.id = Id::HelpTaxPeriod,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {331, 125, 13, 12},
                 .onAction = &D::OnHelp,
                 .readsForm = false,
                 .help =
                     "\"Период\"\n- ГД - год, для плательщиков со статусом 9-13\nКВ - квартал, МС - месяц, "
                     "для плательщиков со статусом 14"_cp,
                 .helps = Id::TaxPeriod},
    FormControl {.text = "КБК"_cp, .rect = {6, 141, 15, 8}, .labels = Id::Kbk},
    FormControl {.id = Id::Kbk,
                 .kind = K::DropDownList,
                 .rect = {6, 150, 338, 151},
                 .onAction = &D::OnSelchangeKbk,
                 .profile = {.key = "kvt_kbk", .byDefault = "0", .savedAs = 4, .restoredAt = 6}},
    FormControl {.text = "ИНН"_cp, .rect = {6, 166, 17, 8}, .labels = Id::Inn},
    FormControl {.id = Id::Inn,
                 .kind = K::Edit,
                 .rect = {6, 175, 70, 12},
                 .field = &F::inn,
                 .profile = {.key = "kvt_inn", .savedAs = 5, .restoredAt = 8},
                 .switchKey = "INN",
                 .limit = 12,
                 .takes = Takes::Digits},
    FormControl {.text = "Рег.номер ЗВФ"_cp, .rect = {101, 166, 56, 8}, .labels = Id::RegNumber},
    FormControl {.id = Id::RegNumber,
                 .kind = K::Edit,
                 .rect = {100, 175, 70, 12},
                 .complaint = "Рег.номер"_cp,
                 .field = &F::regNumber,
                 .onAction = &D::OnChangeRegNumber,
                 .onFocus = &D::OnSetfocusRegNumber,
                 .profile = {.key = "kvt_regnum", .savedAs = 6, .restoredAt = 8},
                 .switchKey = "REGNUM",
                 .takes = Takes::Digits,
                 .mask = kRegNumberMask},
    FormControl {.text = "СНИЛС"_cp, .rect = {194, 166, 26, 8}, .labels = Id::Snils},
    FormControl {.id = Id::Snils,
                 .kind = K::Edit,
                 .rect = {194, 175, 72, 12},
                 .field = &F::snils,
                 .onAction = &D::OnChangeSnils,
                 .onFocus = &D::OnSetfocusSnils,
                 .profile = {.key = "kvt_snils", .savedAs = 7, .restoredAt = 8},
                 .switchKey = "SNILS",
                 .takes = Takes::Digits,
                 .mask = kSnilsMask},
    FormControl {.text = "Год рождения"_cp, .rect = {290, 166, 48, 8}, .labels = Id::BirthYear},
    FormControl {.id = Id::BirthYear,
                 .kind = K::Edit,
                 .rect = {290, 175, 40, 12},
                 .field = &F::birthYear,
                 .onAction = &D::OnChangeBirthYear,
                 .profile = {.key = "kvt_bornyear", .savedAs = 8, .restoredAt = 8},
                 .switchKey = "BYEAR",
                 .limit = 4,
                 .takes = Takes::Digits},
    FormControl {.id = Id::HelpBirthYear,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {331, 175, 13, 12},
                 .onAction = &D::OnHelp,
                 .readsForm = false,
                 .help = "\"Год рождения\"\n- для плательщиков со статусом 9-13 используется для расчета "
                         "взносов"_cp,
                 .helps = Id::BirthYear},
    FormControl {.text = "ОКТМО"_cp, .rect = {8, 191, 27, 8}, .labels = Id::Oktmo},
    FormControl {.id = Id::Oktmo,
                 .kind = K::DropDownList,
                 .rect = {6, 200, 138, 115},
                 .field = &F::oktmo,
                 .profile = {.key = "kvt_oktmo", .savedAs = 11, .restoredAt = 7},
                 .switchKey = "OKTMO",
                 .sorted = true},
    FormControl {.id = Id::HelpOktmo,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {145, 200, 13, 12},
                 .onAction = &D::OnHelp,
                 .readsForm = false,
                 .help =
                     "\"ОКМТО\"\n- территориальный признак, при оплате ДСВ указывается ОКТМО г.Ольмграда"_cp,
                 .helps = Id::Oktmo},
    FormControl {
        .text = "Сумма дохода за отчетный период"_cp, .rect = {226, 191, 118, 8}, .labels = Id::IncomeRub},
    FormControl {.id = Id::IncomeRub,
                 .kind = K::Edit,
                 .rect = {226, 200, 46, 12},
                 .field = &F::incomeRub,
                 .onAction = &D::OnChangeIncome,
                 .profile = {.key = "kvt_revrub", .byDefault = "0", .savedAs = 14, .restoredAt = 8},
                 .switchKey = "REVR",
                 .takes = Takes::Digits},
    FormControl {.text = "руб"_cp, .rect = {276, 202, 12, 8}},
    FormControl {.id = Id::IncomeKop,
                 .kind = K::Edit,
                 .rect = {292, 200, 19, 12},
                 .name = "Сумма дохода за отчетный период, коп"_cp,
                 .field = &F::incomeKop,
                 .onAction = &D::OnChangeIncome,
                 .profile = {.key = "kvt_revkop", .byDefault = "00", .savedAs = 15, .restoredAt = 8},
                 .switchKey = "REVK",
                 .takes = Takes::Digits},
    FormControl {.text = "коп"_cp, .rect = {314, 202, 13, 8}},
    FormControl {.id = Id::HelpIncome,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {331, 200, 13, 12},
                 .onAction = &D::OnHelp,
                 .readsForm = false,
                 .help =
                     "\"Сумма дохода за период\"\n- при выборе периода 2014г для \nплательщиков со статусом "
                     "9-12 указывается сумма дохода если она превышает 300 000 руб"_cp,
                 .helps = Id::IncomeRub},
    FormControl {.text = "Период уплаты"_cp, .rect = {6, 216, 52, 8}, .labels = Id::PeriodFrom},
    FormControl {.id = Id::PeriodFrom,
                 .kind = K::DatePicker,
                 .rect = {6, 225, 56, 12},
                 .field = &F::periodFrom,
                 .onAction = &D::OnCloseupPeriodFrom,
                 .profile = {.key = "kvt_fromDate", .savedAs = 17, .restoredAt = 3},
                 .switchKey = "CYEAR"},
    FormControl {.id = Id::HelpPeriodFrom,
                 .kind = K::Button,
                 .text = "?",
                 .rect = {63, 224, 13, 12},
                 .onAction = &D::OnHelp,
                 .readsForm = false,
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
                 .profile = {.key = "kvt_toDate", .savedAs = 18, .restoredAt = 4},
                 .switchKey = "CYEAR"},
    FormControl {
        .id = Id::HelpPeriodTo,
        .kind = K::Button,
        .text = "?",
        .rect = {145, 224, 13, 12},
        .onAction = &D::OnHelp,
        .readsForm =
            false,
        .help = "\"Период уплаты по\"\n- корректируется в случае снятия с учета \nв регистрирующем органе "
                "в выбранном году"_cp,
        .helps = Id::PeriodTo},
    FormControl {.text = "Сумма"_cp, .rect = {231, 216, 24, 8}, .labels = Id::SumRub},
    FormControl {.id = Id::SumRub,
                 .kind = K::Edit,
                 .rect = {226, 225, 46, 12},
                 .complaint = "руб"_cp,
                 .field = &F::sumRub,
                 .profile = {.key = "kvt_rub", .byDefault = "0", .savedAs = 12, .restoredAt = 8},
                 .switchKey = "RUB",
                 .takes = Takes::Digits},
    FormControl {.text = "руб"_cp, .rect = {276, 227, 12, 8}},
    FormControl {.id = Id::SumKop,
                 .kind = K::Edit,
                 .rect = {292, 225, 19, 12},
                 .name = "Сумма, коп"_cp,
                 .complaint = "коп"_cp,
                 .field = &F::sumKop,
                 .profile = {.key = "kvt_kop", .byDefault = "00", .savedAs = 13, .restoredAt = 8},
                 .switchKey = "KOP",
                 .takes = Takes::Digits},
    FormControl {.text = "коп"_cp, .rect = {314, 227, 13, 8}},
    FormControl {
        .id = Id::HelpSum,
        .kind = K::Button,
        .text = "?",
        .rect = {331, 225, 13, 12},
        .onAction = &D::OnHelp,
        .readsForm =
            false,
        .help = "\"Сумма\"\n- при выборе \"Все взносы\" из списка КБК для \nплательщиков со статусом 9-13 "
                "указывается общая сумма"_cp,
        .helps = Id::SumRub},
    FormControl {.text = "Файл"_cp, .rect = {6, 241, 20, 8}, .labels = Id::FileName},
    FormControl {.id = Id::FileName,
                 .kind = K::Edit,
                 .rect = {6, 251, 295, 12},
                 .field = &F::fileName,
                 .profile = {.key = "kvt_filename", .byDefault = "kvt.html", .savedAs = 16, .restoredAt = 8},
                 .switchKey = "FILE",
                 .takes = Takes::FileName},
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

// The main dialog's own size is not part of its control table: it is the extent of the
// controls plus the same margin as at the top left.
constexpr DialogTemplate kMain {"kvitok", 351, 294, kMainControls};

} // namespace

const DialogTemplate& MainDialogTemplate() {
    return kMain;
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

} // namespace kvitok
