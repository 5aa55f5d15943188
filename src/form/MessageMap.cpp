#include "MessageMap.h"

#include "DialogTemplate.h"
#include "MainDialog.h"

#include <array>

namespace kvitok::MessageMap {

namespace {

using C = DialogControls;
using D = MainDialog;
namespace Id = ControlId;

constexpr std::array kEdits {
    Edit {Id::Address, &C::address, nullptr, false},
    Edit {Id::Inn, &C::inn, nullptr, true},
    Edit {Id::RegNumber, &C::regNumber, &D::OnChangeRegNumber, false},
    Edit {Id::Snils, &C::snils, &D::OnChangeSnils, false},
    Edit {Id::BirthYear, &C::birthYear, &D::OnChangeBirthYear, true},
    Edit {Id::IncomeRub, &C::incomeRub, &D::OnChangeIncome, true},
    Edit {Id::IncomeKop, &C::incomeKop, &D::OnChangeIncome, true},
    Edit {Id::SumRub, &C::sumRub, nullptr, true},
    Edit {Id::SumKop, &C::sumKop, nullptr, true},
    Edit {Id::FileName, &C::fileName, nullptr, false},
};

constexpr std::array kLists {
    List {Id::Payer, &C::payer, &D::OnSelchangePayer}, List {Id::Status, &C::status, &D::OnSelchangeStatus},
    List {Id::Year, &C::year, &D::OnSelchangeYear},    List {Id::TaxPeriod, &C::taxPeriod, nullptr},
    List {Id::Kbk, &C::kbk, &D::OnSelchangeKbk},       List {Id::Oktmo, &C::oktmo, nullptr},
};

constexpr std::array kDates {
    Date {Id::PeriodFrom, &C::periodFrom, &D::OnCloseupPeriodFrom},
    Date {Id::PeriodTo, &C::periodTo, &D::OnCloseupPeriodTo},
};

constexpr std::array kFocusCommands {
    Command {Id::RegNumber, &D::OnSetfocusRegNumber},
    Command {Id::Snils, &D::OnSetfocusSnils},
};

constexpr std::array kButtons {
    Command {Id::Create, &D::OnCreate},           Command {Id::About, &D::OnAbout},
    Command {Id::Browse, &D::OnBrowse},           Command {Id::SavePayer, &D::OnSavePayer},
    Command {Id::DeletePayer, &D::OnDeletePayer},
};

constexpr std::array kHelpButtons {Id::HelpYear,      Id::HelpTaxPeriod, Id::HelpPeriodFrom, Id::HelpPeriodTo,
                                   Id::HelpBirthYear, Id::HelpOktmo,     Id::HelpSum,        Id::HelpIncome};

} // namespace

std::span<const Edit> Edits() {
    return kEdits;
}
std::span<const List> Lists() {
    return kLists;
}
std::span<const Date> Dates() {
    return kDates;
}
std::span<const Command> FocusCommands() {
    return kFocusCommands;
}
std::span<const Command> Buttons() {
    return kButtons;
}
std::span<const int> HelpButtons() {
    return kHelpButtons;
}

} // namespace kvitok::MessageMap
