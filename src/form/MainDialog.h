#pragma once

#include "DialogControls.h"
#include "PaymentForm.h"
#include "Platform.h"
#include "refdata/ReferenceDictionary.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvitok {

class NameReader;
class PayerStore;
class SortInPieces;

// The program's only working window, without any toolkit: the models of its controls, the
// form record, the working state the handlers share, and the handlers themselves. Handlers
// change only the models and call each other directly; the control sync brings a person's
// actions to them and shows what they changed.
class MainDialog {
public:
    explicit MainDialog(PlatformServices services, std::string databasePath = "insurers.db");
    ~MainDialog();
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    DialogControls& Controls() { return m_controls; }
    const DialogControls& Controls() const { return m_controls; }

    void OnInitDialog();
    // While the about box waits at start: reads a part of the payer names the initialisation
    // left, or puts a part of them in order; false when none is left. What is left then is done
    // once the box is closed.
    bool ReadAhead();
    // Asks "Закрыть программу?"; true when the user confirmed and the dialog ends (form saved,
    // or the person told why it could not be). A value the exchange refuses keeps it open.
    bool OnCancel();

    void OnCreate();
    void OnBrowse();
    void OnAbout();

    void OnSavePayer();
    void OnDeletePayer();
    void OnSelchangePayer();

    void OnSelchangeStatus();
    void OnSelchangeYear();
    void OnSelchangeKbk();

    void OnChangeRegNumber();
    void OnSetfocusRegNumber();
    void OnChangeSnils();
    void OnSetfocusSnils();
    void OnChangeBirthYear();
    void OnChangeIncome();
    void OnCloseupPeriodFrom();
    void OnCloseupPeriodTo();

    // A "?" button: the message of its row of the form table.
    void OnHelp(const FormControl& button);

    // Runs the handler a row of the form table names for its notification.
    void Act(const FormControl& control);

    // The exchange's length check, made once at the start of a person's action: the complaint
    // about the first enabled field holding more than its limit, nothing when every value fits.
    // Only a field the person can mend refuses: a disabled one holding a longer value from a
    // hand-edited profile or a foreign payer file would otherwise refuse every action, closing
    // included. A payer pick (`pickedId`) replaces the INN, so its old value does not stop it.
    std::optional<std::string> RefusedValue(int pickedId = -1) const;
    // Shows a complaint about the form: a warning box.
    void Complain(std::string_view complaint);

    // The complaint about the form, empty when it may be used; reads the controls first.
    std::string ValidateForm();
    // Reads the controls and stores the form in the profile; what went wrong when it could not
    // be stored.
    Result<> SaveFormState();
    void LoadFormState();
    std::vector<int> GetGroupMembers() const;
    // True when the file (a windows-1251 path) can be opened for reading and is not a folder.
    static bool FileExists(const std::string& path);
    // Computes the contribution for the selected KBK (0) or for one KBK number, and writes it
    // to the sum fields or to the group amount; returns the amount in kopecks.
    double RecalculateSum(int kbkNumber);

    // Working state, for the view and for tests.
    const PaymentForm& Form() const { return m_form; }
    const std::vector<int>& KbkNumbers() const { return m_kbkNumbers; }
    const std::string& KbkPostfix() const { return m_kbkPostfix; }
    const std::string& YearText() const { return m_yearText; }
    bool PrintStatus() const { return m_printStatus; }
    const std::string& GroupAmountRub() const { return m_groupAmountRub; }
    const std::string& GroupAmountKop() const { return m_groupAmountKop; }

private:
    // The data exchange between the models and the form, by the form table: every control that
    // shows a field of the form. The person's typing reaches the models, not the form, so a
    // handler reads before it uses the form or writes it back; where it reads or writes again in
    // one action, the line says why. Reading never refuses (see RefusedValue).
    void ReadControls();
    void WriteControls();

    EditModel& Edit(int id) { return m_controls.Edit(id); }
    ListModel& List(int id) { return m_controls.List(id); }
    DatePickerModel& Date(int id) { return m_controls.Date(id); }

    void FillYearList();
    void FillStatusList();
    void LoadPayerNames();
    void FinishPayerNames();
    void ApplySwitchLists(const std::string& kbkList, const std::string& yearList);
    void ApplyFieldMask(int id, std::string& value, std::string_view mask);
    void PutCaretHomeIfBare(int id, const std::string& value, std::string_view mask);
    void CheckPeriodDate(const CalendarDate& date);
    // Counted run over <prefix>1, <prefix>2, ... guarded by the dictionary's BEGIN sentinel.
    std::vector<std::string> CountedRun(std::string_view prefix) const;
    std::string MunicipalityRow(int n) const;
    void AddAllMunicipalities();
    MessageAnswer Message(std::string_view text, MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::Ok);

    PlatformServices m_services;
    std::string m_databasePath;
    DialogControls m_controls;
    PaymentForm m_form;

    int m_maskPrevLength = 0;
    int m_maskDelta = 0;
    std::string m_groupAmountRub;
    std::string m_groupAmountKop;
    int m_rememberedKbkRow = -1;
    int m_rememberedOktmoRow = -1;
    ReferenceDictionary m_dictionary;
    std::string m_yearText;
    std::string m_kbkPostfix;
    std::unique_ptr<PayerStore> m_payers;
    // The payer names while they are read, and how the reading ended.
    std::unique_ptr<NameReader> m_nameReader;
    std::vector<std::string> m_namesRead;
    std::unique_ptr<SortInPieces> m_namesInOrder;
    Result<> m_namesReadEnd;
    std::vector<int> m_kbkNumbers;
    bool m_printStatus = false;
};

} // namespace kvitok
