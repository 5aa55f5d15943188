// The number readers agree with the C library's strtoll and strtod in the "C" locale; the input
// masks lay out exactly the digits typed; the INN and SNILS checks accept only what they may.
#include "FuzzSupport.h"
#include "form/InputMasks.h"
#include "receipt/StripMask.h"
#include "text/NumberText.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

using namespace kvitok;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void CheckNumbers(const std::string& text) {
    const std::string terminated = text.c_str(); // what the C library sees
    const long long expected = std::strtoll(terminated.c_str(), nullptr, 10);
    FUZZ_CHECK(AtoLL(text) == expected);
    FUZZ_CHECK(AtoI(text) == std::clamp<long long>(expected, INT_MIN, INT_MAX));
    FUZZ_CHECK(AtoLL(IntToText(expected)) == expected);
    const double real = AtoF(text);
    const double c = std::strtod(terminated.c_str(), nullptr);
    FUZZ_CHECK(real == c || (std::isnan(real) && std::isnan(c)));
}

void CheckMask(const std::string& text, std::string_view mask, int prevLength, int caret) {
    EditModel edit;
    edit.text = text;
    edit.selectionStart = edit.selectionEnd = std::min(caret, static_cast<int>(text.size()));
    int delta = 0;
    ApplyMask(edit, prevLength, mask, kMaskPlaceholder, delta);
    FUZZ_CHECK(delta == static_cast<int>(text.size()) - prevLength);

    // The literals stand where the mask has them; the first digits typed fill the placeholders
    // from the left, and the rest stay placeholders.
    const auto positions = static_cast<std::size_t>(std::count(mask.begin(), mask.end(), kMaskPlaceholder));
    std::string typed;
    std::copy_if(text.begin(), text.end(), std::back_inserter(typed), IsDigit);
    typed.resize(std::min(typed.size(), positions));
    FUZZ_CHECK(edit.text.size() == mask.size());
    std::string laid;
    bool gap = false;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] != kMaskPlaceholder) {
            FUZZ_CHECK(edit.text[i] == mask[i]);
        } else if (edit.text[i] == kMaskPlaceholder) {
            gap = true;
        } else {
            FUZZ_CHECK(IsDigit(edit.text[i]) && !gap);
            laid += edit.text[i];
        }
    }
    FUZZ_CHECK(laid == typed);
    FUZZ_CHECK(edit.selectionStart == edit.selectionEnd);
    FUZZ_CHECK(edit.selectionEnd >= 0 && edit.selectionEnd <= static_cast<int>(mask.size()));
    FUZZ_CHECK(IsMaskComplete(edit.text, mask, kMaskPlaceholder) == (typed.size() == positions));

    // A laid-out value stays as it is when the mask runs on it again.
    EditModel again = edit;
    ApplyMask(again, static_cast<int>(edit.text.size()), mask, kMaskPlaceholder, delta);
    FUZZ_CHECK(again.text == edit.text);

    std::string stripped = text;
    std::erase_if(stripped, [&](char c) {
        return c != kMaskPlaceholder && mask.find(c) != std::string_view::npos;
    });
    FUZZ_CHECK(StripMask(text, mask, kMaskPlaceholder) == stripped);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool snils = in.ConsumeBool();
    const int prevLength = in.ConsumeIntegralInRange(0, 40);
    const int caret = in.ConsumeIntegralInRange(0, 40);
    const std::string text = in.ConsumeRemainingBytesAsString();

    CheckNumbers(text);
    CheckMask(text, snils ? kSnilsMask : kRegNumberMask, prevLength, caret);
    // A number that passes stops passing when one of its check digits is changed.
    if (IsValidInn(text)) {
        for (std::size_t check = 9 + (text.size() == 12 ? 1 : 0); check < text.size(); ++check) {
            std::string changed = text;
            changed[check] = static_cast<char>('0' + (text[check] - '0' + 1) % 10);
            FUZZ_CHECK(!IsValidInn(changed));
        }
    }
    if (IsValidSnils(text)) {
        std::string changed = StripMask(text, kSnilsMask, kMaskPlaceholder);
        changed[10] = static_cast<char>(changed[10] == '0' ? '1' : '0');
        FUZZ_CHECK(!IsValidSnils(changed));
    }
    return 0;
}
