#include "FormTable.h"

#include "text/Cp1251Literal.h"

#include <array>

namespace kvitok {

namespace {

using K = ControlKind;
namespace Id = ControlId;

constexpr std::array kAboutControls {
    FormControl {.kind = K::Picture, .rect = {43, 7, 67, 64}},
    FormControl {.kind = K::CentredStatic,
                 .text = "Разработка Отделения Зорвенского фонда по Ольмской Республике"_cp,
                 .rect = {7, 74, 139, 23}},
    FormControl {.text = "kvitok Версия " KVITOK_VERSION ""_cp, .rect = {44, 98, 67, 8}},
    FormControl {.id = Id::PlatformLine, .rect = {45, 108, 65, 8}},
    FormControl {.text = "Перед формированием ПД-4 необходимо уточнить актуальность версии программы у "
                         "специалистов Зорвенского фонда."_cp,
                 .rect = {7, 125, 140, 33}},
    FormControl {.text = "сборка"_cp, .rect = {26, 163, 25, 8}, .labels = Id::BuildStamp},
    // The compile date and time, "Mmm dd yyyy hh:mm:ss".
    FormControl {.id = Id::BuildStamp,
                 .kind = K::BorderlessEdit,
                 .text = __DATE__ " " __TIME__ ""_cp,
                 .rect = {55, 163, 74, 12}},
    FormControl {.id = Id::Create, .kind = K::DefaultButton, .text = "OK", .rect = {51, 178, 50, 14}},
};

constexpr DialogTemplate kAbout {"О программе\u00A0 kvitok"_cp, 154, 199, kAboutControls};

} // namespace

const DialogTemplate& AboutDialogTemplate() {
    return kAbout;
}

} // namespace kvitok
