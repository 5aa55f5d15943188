#include "DialogTemplate.h"

#include <array>

namespace kvitok {

namespace {

using K = ControlKind;

constexpr std::array kMainControls {
    ControlTemplate {-1, K::Picture, "", 8, 0, 67, 64},
    ControlTemplate {-1, K::CentredStatic,
                     "Программа для самостоятельного формирования платежных документов со штрих-кодом по "
                     "страховым взносам (автоматический расчет), пени, штрафам и дополнительным страховым "
                     "взносам,",
                     82, 4, 199, 32},
    ControlTemplate {-1, K::CentredStatic,
                     "оплачиваемым в Отделение Зорвенского фонда по Ольмской Республике индивидуальными "
                     "предпринимателями и физическими лицами",
                     83, 37, 199, 25},
    ControlTemplate {ControlId::About, K::Button, "О программе", 289, 52, 55, 12},
    ControlTemplate {-1, K::Static, "Плательщик", 6, 66, 58, 8},
    ControlTemplate {ControlId::Payer, K::EditableDropDown, "", 6, 75, 216, 83},
    ControlTemplate {ControlId::SavePayer, K::Button, "Сохранить", 229, 74, 50, 14},
    ControlTemplate {ControlId::DeletePayer, K::Button, "Удалить", 289, 74, 55, 14},
    ControlTemplate {-1, K::Static, "Адрес", 6, 91, 47, 8},
    ControlTemplate {ControlId::Address, K::Edit, "", 6, 100, 338, 12},
    ControlTemplate {-1, K::Static, "Статус", 8, 116, 24, 8},
    ControlTemplate {ControlId::Status, K::DropDownList, "", 6, 125, 216, 121},
    ControlTemplate {-1, K::Static, "Налоговый период", 230, 116, 65, 8},
    ControlTemplate {ControlId::Year, K::DropDownList, "", 230, 125, 38, 91},
    ControlTemplate {ControlId::HelpYear, K::Button, "?", 268, 125, 13, 12},
    ControlTemplate {ControlId::TaxPeriod, K::DropDownList, "", 289, 125, 41, 166},
    ControlTemplate {ControlId::HelpTaxPeriod, K::Button, "?", 331, 125, 13, 12},
    ControlTemplate {-1, K::Static, "КБК", 6, 141, 15, 8},
    ControlTemplate {ControlId::Kbk, K::DropDownList, "", 6, 150, 338, 151},
    ControlTemplate {-1, K::Static, "ИНН", 6, 166, 17, 8},
    ControlTemplate {ControlId::Inn, K::Edit, "", 6, 175, 70, 12},
    ControlTemplate {-1, K::Static, "Рег.номер ЗВФ", 101, 166, 56, 8},
    ControlTemplate {ControlId::RegNumber, K::Edit, "", 100, 175, 70, 12},
    ControlTemplate {-1, K::Static, "СНИЛС", 194, 166, 26, 8},
    ControlTemplate {ControlId::Snils, K::Edit, "", 194, 175, 72, 12},
    ControlTemplate {-1, K::Static, "Год рождения", 290, 166, 48, 8},
    ControlTemplate {ControlId::BirthYear, K::Edit, "", 290, 175, 40, 12},
    ControlTemplate {ControlId::HelpBirthYear, K::Button, "?", 331, 175, 13, 12},
    ControlTemplate {-1, K::Static, "ОКТМО", 8, 191, 27, 8},
    ControlTemplate {ControlId::Oktmo, K::DropDownList, "", 6, 200, 138, 115},
    ControlTemplate {ControlId::HelpOktmo, K::Button, "?", 145, 200, 13, 12},
    ControlTemplate {-1, K::Static, "Сумма дохода за отчетный период", 226, 191, 118, 8},
    ControlTemplate {ControlId::IncomeRub, K::Edit, "", 226, 200, 46, 12},
    ControlTemplate {-1, K::Static, "руб", 276, 202, 12, 8},
    ControlTemplate {ControlId::IncomeKop, K::Edit, "", 292, 200, 19, 12},
    ControlTemplate {-1, K::Static, "коп", 314, 202, 13, 8},
    ControlTemplate {ControlId::HelpIncome, K::Button, "?", 331, 200, 13, 12},
    ControlTemplate {-1, K::Static, "Период уплаты", 6, 216, 52, 8},
    ControlTemplate {ControlId::PeriodFrom, K::DatePicker, "", 6, 225, 56, 12},
    ControlTemplate {ControlId::HelpPeriodFrom, K::Button, "?", 63, 224, 13, 12},
    ControlTemplate {-1, K::Static, "--", 80, 227, 8, 8},
    ControlTemplate {ControlId::PeriodTo, K::DatePicker, "", 89, 225, 56, 12},
    ControlTemplate {ControlId::HelpPeriodTo, K::Button, "?", 145, 224, 13, 12},
    ControlTemplate {-1, K::Static, "Сумма", 231, 216, 24, 8},
    ControlTemplate {ControlId::SumRub, K::Edit, "", 226, 225, 46, 12},
    ControlTemplate {-1, K::Static, "руб", 276, 227, 12, 8},
    ControlTemplate {ControlId::SumKop, K::Edit, "", 292, 225, 19, 12},
    ControlTemplate {-1, K::Static, "коп", 314, 227, 13, 8},
    ControlTemplate {ControlId::HelpSum, K::Button, "?", 331, 225, 13, 12},
    ControlTemplate {-1, K::Static, "Файл", 6, 241, 20, 8},
    ControlTemplate {ControlId::FileName, K::Edit, "", 6, 251, 295, 12},
    ControlTemplate {ControlId::Browse, K::Button, "Обзор", 314, 251, 30, 12},
    ControlTemplate {ControlId::Create, K::DefaultButton, "Создать", 117, 274, 45, 13},
    ControlTemplate {ControlId::Cancel, K::Button, "Отмена", 188, 274, 45, 13},
};

constexpr std::array kAboutControls {
    ControlTemplate {-1, K::Picture, "", 43, 7, 67, 64},
    ControlTemplate {-1, K::CentredStatic, "Разработка Отделения Зорвенского фонда по Ольмской Республике", 7,
                     74, 139, 23},
    ControlTemplate {-1, K::Static, "kvitok Версия " KVITOK_VERSION, 44, 98, 67, 8},
    ControlTemplate {ControlId::PlatformLine, K::Static, "", 45, 108, 65, 8},
    ControlTemplate {-1, K::Static,
                     "Перед формированием ПД-4 необходимо уточнить актуальность версии программы у "
                     "специалистов Зорвенского фонда.",
                     7, 125, 140, 33},
    ControlTemplate {-1, K::Static, "сборка", 26, 163, 25, 8},
    ControlTemplate {ControlId::BuildStamp, K::BorderlessEdit, "", 55, 163, 74, 12},
    ControlTemplate {ControlId::Create, K::DefaultButton, "OK", 51, 178, 50, 14},
};

constexpr std::array kMainFields {
    FieldName {ControlId::Payer, "Плательщик"},
    FieldName {ControlId::Address, "Адрес"},
    FieldName {ControlId::Status, "Статус"},
    FieldName {ControlId::Year, "Налоговый период", nullptr, ControlId::HelpYear},
    FieldName {ControlId::TaxPeriod, "Налоговый период", "показатель", ControlId::HelpTaxPeriod},
    FieldName {ControlId::Kbk, "КБК"},
    FieldName {ControlId::Inn, "ИНН"},
    FieldName {ControlId::RegNumber, "Рег.номер ЗВФ"},
    FieldName {ControlId::Snils, "СНИЛС"},
    FieldName {ControlId::BirthYear, "Год рождения", nullptr, ControlId::HelpBirthYear},
    FieldName {ControlId::Oktmo, "ОКТМО", nullptr, ControlId::HelpOktmo},
    FieldName {ControlId::IncomeRub, "Сумма дохода за отчетный период", nullptr, ControlId::HelpIncome},
    FieldName {ControlId::IncomeKop, "Сумма дохода за отчетный период", "коп"},
    FieldName {ControlId::PeriodFrom, "Период уплаты", nullptr, ControlId::HelpPeriodFrom},
    FieldName {ControlId::PeriodTo, "Период уплаты", "по", ControlId::HelpPeriodTo},
    FieldName {ControlId::SumRub, "Сумма", nullptr, ControlId::HelpSum},
    FieldName {ControlId::SumKop, "Сумма", "коп"},
    FieldName {ControlId::FileName, "Файл"},
};

constexpr std::array kAboutFields {
    FieldName {ControlId::BuildStamp, "сборка"},
};

// The main dialog's own size is not part of its control table: it is the extent of the
// controls plus the same margin as at the top left.
const DialogTemplate kMain {"kvitok", 351, 294, kMainControls, kMainFields};
const DialogTemplate kAbout {"О программе\u00A0 kvitok", 154, 199, kAboutControls, kAboutFields};

} // namespace

const DialogTemplate& MainDialogTemplate() {
    return kMain;
}

const DialogTemplate& AboutDialogTemplate() {
    return kAbout;
}

} // namespace kvitok
