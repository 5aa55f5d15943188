// Any profile through the dialog: start, check, close, start again and close. The second saved
// profile equals the first; a close refused for an over-long value writes nothing.
#include "FuzzSupport.h"
#include "form/FakePlatform.h"
#include "form/MainDialog.h"
#include "platform/IniProfile.h"

namespace {

using namespace kvitok;

// One run of the program over the profile file; true when it closed.
bool Run(const std::filesystem::path& profileFile) {
    testing::FakePlatform platform;
    IniProfile profile(profileFile, "kvt_section");
    MainDialog dialog({platform.messages, platform.saveDialog, platform.shell, platform.about, profile},
                      ":memory:");
    dialog.OnInitDialog();
    dialog.ValidateForm();
    return dialog.OnCancel(); // every question is answered OK
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = fuzz::Folder() / "kvitok.ini";
    const std::string given(reinterpret_cast<const char*>(data), size);
    fuzz::WriteBytes(file, given);
    if (!Run(file)) {
        FUZZ_CHECK(fuzz::ReadBytes(file) == given);
        return 0;
    }
    const std::string first = fuzz::ReadBytes(file);
    FUZZ_CHECK(Run(file));
    FUZZ_CHECK(fuzz::ReadBytes(file) == first);
    return 0;
}
