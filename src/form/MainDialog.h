#pragma once

#include "DialogControls.h"
#include "PaymentForm.h"
#include "Platform.h"
#include "refdata/ReferenceDictionary.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvitok {

class PayerStore;

// The program's only working window, without any toolkit: the models of its controls, the
// form record, the working state the handlers share, and the handlers themselves. A view shows
// the models, copies each user action into them and calls the handler; values the handlers
// write into the models raise no handler.
class MainDialog {
public:
    explicit MainDialog(PlatformServices services, std::string databasePath = "insurers.db");
    ~MainDialog();
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    DialogControls& Controls() { return m_controls; }
    const DialogControls& Controls() const { return m_controls; }

    void OnInitDialog();
    // Asks "Закрыть программу?"; true when the user confirmed and the dialog ends (form saved,
    // or the person told why it could not be). A refused read of the controls keeps it open.
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

    // The "?" buttons: 1020, 1022, 1025, 1026, 1021, 1024, 1029, 1030. Other ids do nothing.
    void OnHelp(int buttonId);

    // The complaint about the form, empty when it may be used; reads the controls first.
    std::string ValidateForm();
    // Reads the controls and stores the form in the profile; what went wrong when it could not
    // be stored. When the read is refused its complaint has been shown and nothing is written.
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
    // Marks one handler running. The outermost is the person's action: only its first read of
    // the controls may be refused, and the rows it leaves in the lists are the ones a refused
    // pick goes back to.
    class Handling {
    public:
        explicit Handling(MainDialog& dialog);
        ~Handling();
        Handling(const Handling&) = delete;
        Handling& operator=(const Handling&) = delete;

    private:
        MainDialog& m_dialog;
    };

    // The data exchange. The first read of the person's action refuses an INN over 12 or a
    // birth year over 4 characters in an enabled field with a message and stops at that field;
    // it returns false then. A handler whose read is refused returns at once and writes
    // nothing back, so nothing typed is reverted, and the list the person picked in (`picked`)
    // goes back to its row: the screen keeps the form the handlers built. The handlers the
    // action runs read the values just checked again, and are never refused half-way. A payer
    // pick replaces the INN, so its old value (`innReplaced`) does not stop the pick.
    bool ReadControls(ListModel* picked = nullptr, bool innReplaced = false);
    void WriteControls();
    void RememberBuiltRows();
    void RestoreBuiltRow(ListModel& list);

    void FillYearList();
    void FillStatusList();
    void LoadPayerNames();
    void ApplySwitchLists(const std::string& kbkList, const std::string& yearList);
    void ApplyFieldMask(EditModel& edit, std::string& value, std::string_view mask);
    void PutCaretHomeIfBare(EditModel& edit, const std::string& value, std::string_view mask);
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
    std::vector<int> m_kbkNumbers;
    bool m_printStatus = false;

    struct BuiltRow {
        explicit BuiltRow(ListModel& model) : list(&model) {}
        ListModel* list;
        int row = -1;
        std::string editText;
    };
    // The lists whose handlers read the form, as the person's last action left them.
    std::array<BuiltRow, 4> m_builtRows {BuiltRow(m_controls.status), BuiltRow(m_controls.year),
                                         BuiltRow(m_controls.kbk), BuiltRow(m_controls.payer)};
    int m_handlerDepth = 0;
    bool m_actionRead = false; // the person's action has read the controls once
};

} // namespace kvitok
