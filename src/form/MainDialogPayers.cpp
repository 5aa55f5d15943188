// The saved payers: the payer list and the database behind it.
#include "MainDialog.h"
#include "payers/DbException.h"
#include "payers/PayerStore.h"

namespace kvitok {

void MainDialog::LoadPayerNames() {
    try {
        m_payers->Open(m_databasePath);
        for (const std::string& name : m_payers->ListNames()) {
            m_controls.payer.AddRow(name);
        }
    } catch (const DbException& error) {
        Message(error.message());
    }
}

void MainDialog::OnSavePayer() {
    ReadControls();
    const DialogControls& c = m_controls;
    const PayerRecord record{m_form.payerName, m_form.address,   c.status.Selected(), c.kbk.Selected(),
                             m_form.inn,       m_form.regNumber, m_form.snils,        c.oktmo.Selected()};
    try {
        // The list gains the name only once the row is really there.
        if (m_payers->Save(record) == PayerStore::SaveOutcome::Inserted) {
            m_controls.payer.AddRow(m_form.payerName);
        }
    } catch (const DbException& error) {
        Message(error.message());
    }
}

void MainDialog::OnDeletePayer() {
    ReadControls();
    try {
        m_payers->Delete(m_form.payerName);
        m_controls.payer.RemoveRow(m_controls.payer.Selected());
    } catch (const DbException& error) {
        Message(error.message());
    }
    WriteControls();
}

void MainDialog::OnSelchangePayer() {
    ReadControls();
    // The edit text may still show the previous name: the selected row says which payer.
    const int row = m_controls.payer.Selected();
    const std::string name = m_controls.payer.SelectedText();
    try {
        if (const std::optional<PayerRecord> payer = m_payers->Load(name)) {
            m_controls.status.Select(payer->status);
            OnSelchangeStatus();
            m_controls.kbk.Select(payer->kbk);
            OnSelchangeKbk();
            m_controls.oktmo.Select(payer->oktmo);
            ReadControls();
            m_form.address = payer->address;
            m_form.inn = payer->inn;
            m_form.regNumber = payer->regNumber;
            m_form.snils = payer->snils;
        }
    } catch (const DbException& error) {
        Message(error.message());
    }
    if (row >= 0) {
        m_form.payerName = name;
    }
    WriteControls();
}

} // namespace kvitok
