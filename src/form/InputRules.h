#pragma once

#include "FormTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kvitok {

// What a field takes from the person, and how it tells them what it did not take. Written once
// for both windows: whatever reached a field (a key, a paste, an input method, a drop, another
// program) is judged here as the change from the text the form holds to the text the field
// shows, and every character refused is named with the reason, in the field's own terms.

struct FieldRule {
    Takes takes = Takes::Printed;
    std::string_view mask; // "_" a digit; the mask's other characters are its own
    std::size_t limit = 0; // the most characters, 0 for none
    std::string name;      // how the words name the field (windows-1251)
};

// The rule of a field of the main dialog; its limit is the exchange's.
FieldRule RuleOf(const FormControl& field, std::size_t limit);

struct InputVerdict {
    bool taken = true;
    // What the field is to show: what reached it, with the blanks and dashes a pasted number
    // carries dropped; the text the form held when refused.
    std::u16string text;
    // Where the caret goes when `text` is not what reached the field: after the change, or where
    // a refused change began.
    int caret = 0;
    std::u16string refusal; // the words for the person, naming the first character refused
};

// The title every refusal is told under.
std::u16string RefusalTitle();

// Judges the change from `held` (what the form holds) to `reached` (what the field shows).
// What the field already held stays, whatever it is (a value from a hand-edited profile may hold
// what could not be typed); only what the change brought is judged.
InputVerdict JudgeInput(const FieldRule& rule, const std::u16string& held, const std::u16string& reached);

// A whole text for a field that takes `takes`, in windows-1251; nothing when the field would
// refuse a character of it.
std::optional<std::string> TakenWhole(Takes takes, std::u16string_view text);

} // namespace kvitok
