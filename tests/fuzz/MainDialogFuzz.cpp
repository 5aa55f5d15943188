// Any profile through the dialog: start, check, change the payer, close, start again and close.
// The second start shows the changed payer and the second saved profile equals the first; a close
// refused for an over-long value writes nothing.
#include "FuzzSupport.h"
#include "form/FakePlatform.h"
#include "form/MainDialog.h"
#include "platform/IniProfile.h"

namespace {

using namespace kvitok;

// One run of the program over the profile file: the payer it starts with, and whether it closed
// after the payer was changed to `payer`.
struct RunResult {
    std::string startPayer;
    bool closed;
};

RunResult Run(const std::filesystem::path& profileFile, const std::string& payer) {
    testing::FakePlatform platform;
    IniProfile profile(profileFile, "kvt_section");
    MainDialog dialog({platform.messages, platform.saveDialog, platform.shell, platform.about, profile},
                      ":memory:");
    dialog.OnInitDialog();
    ListModel& payers = dialog.Controls().List(ControlId::Payer);
    const std::string startPayer = payers.EditText();
    dialog.ValidateForm();
    payers.SetEditText(payer);
    return {startPayer, dialog.OnCancel()}; // every question is answered OK
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = fuzz::Folder() / "kvitok.ini";
    const std::string given(reinterpret_cast<const char*>(data), size);
    fuzz::WriteBytes(file, given);
    if (!Run(file, "First payer").closed) {
        FUZZ_CHECK(fuzz::ReadBytes(file) == given);
        return 0;
    }
    // What a close keeps is what the next start shows, and the same form is kept again.
    const std::string first = fuzz::ReadBytes(file);
    const RunResult second = Run(file, "First payer");
    FUZZ_CHECK(second.closed);
    FUZZ_CHECK(second.startPayer == "First payer");
    FUZZ_CHECK(fuzz::ReadBytes(file) == first);
    return 0;
}
