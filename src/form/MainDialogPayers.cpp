// The saved payers: the payer list and the database behind it.
#include "MainDialog.h"
#include "payers/DbException.h"
#include "payers/PayerStore.h"

#include <optional>

namespace kvitok {

void MainDialog::LoadPayerNames() {
    // Names read before a failure (a damaged page late in the file) stay in the list.
    std::vector<std::string> names;
    std::optional<std::string> failure;
    try {
        m_payers->Open(m_databasePath);
        m_payers->AppendNames(names);
    } catch (const DbException& error) {
        failure = error.message();
    }
    List(ControlId::Payer).AddRows(std::move(names));
    if (failure) {
        Message(*failure);
    }
}

void MainDialog::OnSavePayer() {
    ReadControls();
    const PayerRecord record {m_form.payerName,
                              m_form.address,
                              List(ControlId::Status).Selected(),
                              List(ControlId::Kbk).Selected(),
                              m_form.inn,
                              m_form.regNumber,
                              m_form.snils,
                              List(ControlId::Oktmo).Selected()};
    try {
        // The list gains the name only once the row is really there, and only once: a row
        // stored again after its deletion already has its entry.
        if (m_payers->Save(record) == PayerStore::SaveOutcome::Inserted &&
            List(ControlId::Payer).FindRow(m_form.payerName) < 0) {
            List(ControlId::Payer).AddRow(m_form.payerName);
        }
    } catch (const DbException& error) {
        Message(error.message());
    }
}

void MainDialog::OnDeletePayer() {
    ReadControls();
    try {
        // The entry that goes is the one whose rows went, typed or picked; another entry that
        // happens to be selected is a payer still stored, and stays.
        m_payers->Delete(m_form.payerName);
        ListModel& payers = List(ControlId::Payer);
        payers.RemoveRow(payers.FindRow(m_form.payerName));
    } catch (const DbException& error) {
        Message(error.message());
    }
    WriteControls();
}

void MainDialog::OnSelchangePayer() {
    ReadControls();
    // The edit text may still show the previous name: the selected row says which payer.
    const int row = List(ControlId::Payer).Selected();
    const std::string name = List(ControlId::Payer).SelectedText();
    // Each column is applied as soon as it is read: a column that a table made elsewhere lacks
    // stops here with everything before it applied, and shown before the message.
    std::optional<std::string> failure;
    try {
        if (const std::optional<StoredPayer> payer = m_payers->Find(name)) {
            List(ControlId::Status).Select(payer->Position("status"));
            OnSelchangeStatus();
            List(ControlId::Kbk).Select(payer->Position("kbk"));
            OnSelchangeKbk();
            List(ControlId::Oktmo).Select(payer->Position("oktmo"));
            ReadControls();
            m_form.address = payer->Text("address");
            m_form.inn = payer->Text("inn");
            m_form.regNumber = payer->Text("regnumber");
            m_form.snils = payer->Text("snils");
        }
    } catch (const DbException& error) {
        failure = error.message();
    }
    if (row >= 0) {
        m_form.payerName = name;
    }
    WriteControls();
    if (failure) {
        Message(*failure);
    }
}

} // namespace kvitok
