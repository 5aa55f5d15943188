#include "form/InputMasks.h"

#include <gtest/gtest.h>

#include <string>

namespace kvitok {
namespace {

// What an edit control holds after a keystroke: the text and the caret (selection end).
struct Keystroke {
    std::string textAfter;
    int caretAfter;
    std::string expectedText;
    int expectedCaret;
};

// Runs the mask engine as the dialog does after each change and returns the field.
EditModel Apply(const std::string& previous, const std::string& typed, int caret, std::string_view mask) {
    EditModel edit;
    edit.text = typed;
    edit.selectionStart = caret;
    edit.selectionEnd = caret;
    int delta = 0;
    ApplyMask(edit, static_cast<int>(previous.size()), mask, kMaskPlaceholder, delta);
    EXPECT_EQ(delta, static_cast<int>(typed.size() - previous.size()));
    return edit;
}

TEST(ApplyMask, TypingDigitsOneByOneIntoTheRegistrationNumber) {
    const Keystroke steps[] = {
        {"1___-___-______", 1, "1__-___-______", 1},
        {"12__-___-______", 2, "12_-___-______", 2},
        {"123-___-______", 3, "123-___-______", 3},  // the placeholder was overtyped
        {"1234-___-______", 4, "123-4__-______", 5}, // the 4 lands behind the literal
    };
    std::string field(kRegNumberMask);
    for (const Keystroke& step : steps) {
        // A keystroke in a real edit inserts at the caret; the row gives the edit's result.
        const EditModel edit = Apply(field, step.textAfter, step.caretAfter, kRegNumberMask);
        EXPECT_EQ(edit.text, step.expectedText);
        EXPECT_EQ(edit.selectionStart, step.expectedCaret);
        EXPECT_EQ(edit.selectionEnd, step.expectedCaret);
        field = edit.text;
    }
}

TEST(ApplyMask, PastedSnilsKeepsTheFirstElevenDigits) {
    const std::string pasted = "123 456-789/012 34";
    const std::string mask(kSnilsMask);
    const EditModel edit = Apply(mask, pasted + mask, static_cast<int>(pasted.size()), kSnilsMask);
    EXPECT_EQ(edit.text, "123-456-789 01");
    EXPECT_EQ(edit.selectionEnd, static_cast<int>(edit.text.size()));
}

TEST(ApplyMask, BackspaceOverALiteralBringsItBack) {
    // "123-|___-______": backspace removes the "-" before the caret.
    const EditModel edit = Apply("123-___-______", "123___-______", 3, kRegNumberMask);
    EXPECT_EQ(edit.text, "123-___-______");
    EXPECT_EQ(edit.selectionEnd, 3);
}

TEST(ApplyMask, EmptyFieldShowsTheBareMask) {
    EXPECT_EQ(Apply("", "", 0, kSnilsMask).text, "___-___-___ __");
    EXPECT_EQ(Apply("", "abc", 3, kRegNumberMask).text, "___-___-______");
}

TEST(IsMaskComplete, CountsDigitsAgainstPlaceholders) {
    EXPECT_TRUE(IsMaskComplete("123-456-789 01", kSnilsMask, '_'));
    EXPECT_FALSE(IsMaskComplete("123-456-789 0_", kSnilsMask, '_'));
    EXPECT_TRUE(IsMaskComplete("12345678901", kSnilsMask, '_'));
    EXPECT_TRUE(IsMaskComplete("123-456-789012", kRegNumberMask, '_'));
    EXPECT_FALSE(IsMaskComplete("", kRegNumberMask, '_'));
}

TEST(IsValidSnils, CheckNumber) {
    // Nine-digit weighted sums in the comments; 100, 101 and 202 all need the control 00.
    const struct {
        const char* value;
        bool valid;
    } cases[] = {
        {"112-233-445 95", true},  // 95
        {"112-233-445 96", false}, // 95
        {"100-582-052 99", true},  // 99
        {"050-234-316 00", true},  // 100
        {"050-234-316 01", false}, // 100
        {"016-103-396 00", true},  // 101
        {"913-702-858 00", true},  // 202
        {"913-702-858 02", false}, // 202
        {"11223344595", true},     // no literals at all
        {"___-___-___ __", false}, {"123-456", false}, {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidSnils(c.value), c.valid) << c.value;
    }
}

TEST(IsValidInn, LengthsCheckDigitsAndNonDigits) {
    const struct {
        const char* inn;
        bool valid;
    } cases[] = {
        {"7707083893", true},
        {"7707083894", false},
        {"500100732259", true},
        {"500100732266", false}, // first check digit wrong, second right
        {"500100732250", false},
        {"50010073225", false}, // 11 characters
        {"", false},
        {"77070838 3", false}, // a blank in place of a digit
        {"7707083:93", false}, // ':' would weigh as 10 if characters were not tested
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidInn(c.inn), c.valid) << c.inn;
    }
}

} // namespace
} // namespace kvitok
