// "Создать" and "Обзор": the receipt file and the path it goes to.
#include "InputRules.h"
#include "MainDialog.h"
#include "platform/PathText.h"
#include "receipt/ReceiptComposer.h"
#include "receipt/ReceiptFile.h"
#include "receipt/ReceiptInput.h"
#include "refdata/BudgetCodes.h"
#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace kvitok {

namespace {

bool EndsWith(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

bool MainDialog::FileExists(const std::string& path) {
    const std::filesystem::path file = PathFromText(path);
    // A folder opens for reading too, but it is no receipt to replace.
    std::error_code error;
    return !std::filesystem::is_directory(file, error) && std::ifstream(file).is_open();
}

std::vector<int> MainDialog::GetGroupMembers() const {
    return GroupMembersOfKbk(m_dictionary,
                             KbkNumberForRow(m_kbkNumbers, m_controls.List(ControlId::Kbk).Selected()));
}

void MainDialog::OnCreate() {
    // The validation has read the form, and nothing changes it before the file is written.
    const std::string complaint = ValidateForm();
    if (!complaint.empty()) {
        Message(complaint);
        return;
    }
    if (FileExists(m_form.fileName) &&
        Message(m_form.fileName + std::string(" уже существует. Заменить?"_cp), MessageIcon::None,
                MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return;
    }
    // A profile that cannot be written is told at closing, where it is written again; here it
    // would only stand between the person and the receipt.
    static_cast<void>(SaveFormState());

    namespace Id = ControlId;
    const DialogControls& c = m_controls;
    ReceiptInput input;
    input.statusRow = c.List(Id::Status).Selected();
    input.snils = m_form.snils;
    input.regNumber = m_form.regNumber;
    input.inn = m_form.inn;
    input.oktmo = m_form.oktmo;
    input.payerName = m_form.payerName;
    input.address = m_form.address;
    input.sumRub = m_form.sumRub;
    input.sumKop = m_form.sumKop;
    input.innEnabled = c.Edit(Id::Inn).enabled;
    input.oktmoEnabled = c.List(Id::Oktmo).Enabled();
    input.printStatus = m_printStatus;
    input.kbkEntryText = c.List(Id::Kbk).SelectedText();
    const int kbkRow = c.List(Id::Kbk).Selected();
    input.kbkNumber = KbkNumberForRow(m_kbkNumbers, kbkRow);
    input.yearEntryText = c.List(Id::Year).SelectedText();
    input.periodMarkText = c.List(Id::TaxPeriod).SelectedText();

    const ReceiptComposer composer(m_dictionary);
    std::string text;
    // A page whose QR code could not be made is told at once and still printed.
    const auto add = [this, &text](ComposedPage page) {
        text += page.html;
        if (!page.qrCode) {
            Message(page.qrCode.Reason(), MessageIcon::Error);
        }
    };
    const std::vector<int> members = GetGroupMembers();
    for (const int n : members) {
        const KbkCode member = KbkCodeAndName(m_dictionary, n, m_kbkPostfix);
        RecalculateSum(n);
        if (m_groupAmountRub != "0" || m_groupAmountKop != "00") {
            add(composer.Compose(input, member.code, member.name, m_groupAmountRub, m_groupAmountKop));
        }
    }
    if (members.empty()) {
        add(composer.Compose(input));
    }

    // A file that cannot be written is reported, and no stale file is opened in its place.
    const Result<> written = ReceiptFile::Write(PathFromText(m_form.fileName), text);
    if (!written) {
        Message(std::string("Не удалось записать файл "_cp) + m_form.fileName + ": " + written.Reason(),
                MessageIcon::Error);
        return;
    }
    // The file is there even when nothing shows it: the person is told where to find it.
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(PathFromText(m_form.fileName), error);
    const std::string file = error ? m_form.fileName : PathToReadableText(whole);
    m_services.shell.OpenInDefaultProgram(m_form.fileName, [this, file](const Failure& failure) {
        Message(std::string("Квитанция записана в файл "_cp) + file +
                    std::string(", но открыть его не удалось: "_cp) + failure.reason + ".",
                MessageIcon::Warning);
    });
}

void MainDialog::OnBrowse() {
    const std::optional<std::u16string> chosen =
        m_services.saveDialog.AskSavePath("kvt.html", kReceiptFilters);
    if (!chosen) {
        return;
    }
    // The file field's own rule: what it would refuse if typed, it refuses chosen.
    std::optional<std::string> taken = TakenWhole(FormRow(ControlId::FileName).takes, *chosen);
    if (!taken) {
        Message("Имя файла содержит символы, которые нельзя сохранить в форме."_cp, MessageIcon::Warning);
        return;
    }
    ReadControls();
    std::string path = std::move(*taken);
    if (!EndsWith(path, ".html") && !EndsWith(path, ".htm")) {
        path += ".html";
    }
    m_form.fileName = path;
    WriteControls();
}

} // namespace kvitok
