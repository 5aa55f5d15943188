// The saved payers: the payer list and the database behind it.
#include "MainDialog.h"
#include "SortInPieces.h"
#include "payers/PayerStore.h"
#include "text/Cp1251Literal.h"

#include <optional>
#include <tuple>

namespace kvitok {

void MainDialog::LoadPayerNames() {
    // Only the file is opened here: reading a large file's names would keep the about box, the
    // first window a person sees, waiting. They are read while it is up, or once it is closed.
    Result<> opened = m_payers->Open(m_databasePath);
    if (opened) {
        Result<NameReader> reader = m_payers->ReadNames();
        if (reader) {
            m_nameReader = std::make_unique<NameReader>(std::move(*reader));
        } else {
            opened = reader.Error();
        }
    }
    if (!opened) {
        Message(opened.Reason());
    }
}

bool MainDialog::ReadAhead() {
    // A part takes a few milliseconds even in a slow file system.
    constexpr std::size_t kNamesAPart = 4096;
    if (m_nameReader) {
        const Result<bool> more = m_nameReader->ReadSome(m_namesRead, kNamesAPart);
        if (more && *more) {
            return true;
        }
        // Names read before a failure (a damaged page late in the file) stay in the list.
        m_nameReader.reset();
        m_namesInOrder = std::make_unique<SortInPieces>(std::move(m_namesRead));
        m_namesRead.clear();
        if (!more) {
            m_namesReadEnd = more.Error();
        }
        return true;
    }
    if (m_namesInOrder) {
        if (!m_namesInOrder->Step()) {
            List(ControlId::Payer).AddRows(m_namesInOrder->Take());
            m_namesInOrder.reset();
        }
        return true;
    }
    return false;
}

void MainDialog::FinishPayerNames() {
    while (ReadAhead()) {}
    if (!m_namesReadEnd) {
        Message(m_namesReadEnd.Reason());
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
    const Result<PayerStore::SaveOutcome> saved = m_payers->Save(record);
    if (!saved) {
        Message(saved.Reason());
        return;
    }
    // The list gains the name only once the row is really there, and only once: a row stored
    // again after its deletion already has its entry.
    if (*saved == PayerStore::SaveOutcome::Inserted && List(ControlId::Payer).FindRow(m_form.payerName) < 0) {
        List(ControlId::Payer).AddRow(m_form.payerName);
    }
}

void MainDialog::OnDeletePayer() {
    ReadControls();
    // A stored payer is gone for good once deleted: the person says which first, and is told
    // when no stored payer has the name in the field.
    const std::string& name = m_form.payerName;
    const Result<std::optional<StoredPayer>> stored = m_payers->Find(name);
    if (stored && !*stored) {
        Message(std::string("Плательщика «"_cp) + name + std::string("» нет в списке."_cp),
                MessageIcon::Information);
        return;
    }
    if (stored && Message(std::string("Удалить плательщика «"_cp) + name + std::string("» из списка?"_cp),
                          MessageIcon::Warning, MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return;
    }
    // The entry that goes is the one whose rows went, typed or picked; another entry that happens
    // to be selected is a payer still stored, and stays.
    const Result<int> deleted = stored ? m_payers->Delete(m_form.payerName) : stored.Error();
    if (deleted) {
        ListModel& payers = List(ControlId::Payer);
        payers.RemoveRow(payers.FindRow(m_form.payerName));
    } else {
        Message(deleted.Reason());
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
    const auto apply = [this](const StoredPayer& payer) -> Result<> {
        // Each list in turn, with the handler that rebuilds the lists after it.
        const std::tuple<const char*, int, FormHandler> positions[] = {
            {"status", ControlId::Status, &MainDialog::OnSelchangeStatus},
            {"kbk", ControlId::Kbk, &MainDialog::OnSelchangeKbk},
            {"oktmo", ControlId::Oktmo, nullptr}};
        for (const auto& [column, id, rebuild] : positions) {
            const Result<int> position = payer.Position(column);
            if (!position) {
                return position.Error();
            }
            List(id).Select(*position);
            if (rebuild != nullptr) {
                (this->*rebuild)();
            }
        }
        ReadControls(); // the handlers rebuilt the lists: the form takes their rows, OKTMO's text among them
        const std::pair<const char*, std::string*> texts[] = {{"address", &m_form.address},
                                                              {"inn", &m_form.inn},
                                                              {"regnumber", &m_form.regNumber},
                                                              {"snils", &m_form.snils}};
        for (const auto& [column, field] : texts) {
            const Result<std::string> text = payer.Text(column);
            if (!text) {
                return text.Error();
            }
            *field = *text;
        }
        return {};
    };
    const Result<std::optional<StoredPayer>> found = m_payers->Find(name);
    Result<> applied = found ? Result<>() : found.Error();
    if (found && *found) {
        applied = apply(**found);
    }
    if (row >= 0) {
        m_form.payerName = name;
    }
    WriteControls();
    if (!applied) {
        Message(applied.Reason());
    }
}

} // namespace kvitok
