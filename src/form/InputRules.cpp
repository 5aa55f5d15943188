#include "InputRules.h"

#include "receipt/PaymentLineText.h"
#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"
#include "text/Format.h"
#include "text/Utf16.h"

#include <algorithm>
#include <vector>

namespace kvitok {

namespace {

std::u16string Utf16(std::string_view cp1251) {
    return Cp1251ToUtf16(cp1251);
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

// The code points of a UTF-16 text; a surrogate without its partner stands for itself.
std::vector<char32_t> CodePoints(std::u16string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            points.push_back(0x10000 + ((char32_t(text[i]) - 0xD800) << 10) +
                             (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else {
            points.push_back(text[i]);
        }
    }
    return points;
}

std::u16string FromCodePoints(const std::vector<char32_t>& points) {
    std::u16string text;
    for (const char32_t c : points) {
        if (c >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(c);
        }
    }
    return text;
}

std::u16string CodeOf(char32_t c) {
    const std::string code = FormatText("U+%04X", static_cast<unsigned>(c));
    return std::u16string(code.begin(), code.end());
}

// How the words name a character: itself in quotes, or its code where it has no glyph; one the
// code page lacks carries its code too, as the field's font may well lack it.
std::u16string CharacterName(char32_t c) {
    if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c < 0xE000)) {
        return CodeOf(c);
    }
    std::u16string name = u"«";
    name += FromCodePoints({c});
    name += u"»";
    if (!IsCp1251Representable(c)) {
        name += u" (";
        name += CodeOf(c);
        name += u")";
    }
    return name;
}

std::u16string Refusal(char32_t c, std::string_view why) {
    std::u16string words = Utf16("Символ "_cp);
    words += CharacterName(c);
    words += u' ';
    words += Utf16(why);
    return words += u'.';
}

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// What a copied number carries around and between its digits.
bool IsBlank(char32_t c) {
    return c == U' ' || c == 0xA0 || c == 0x2007 || c == 0x202F || c == U'\t' || c == U'\r' || c == U'\n';
}

bool IsDash(char32_t c) {
    return c == U'-' || (c >= 0x2010 && c <= 0x2015) || c == 0x2212;
}

// A number pasted as people copy it ("7701 2345 6703", "123-456-789 01"): the blanks around it,
// and the blanks and dashes between its digits, go. Anything else stays, to be judged.
std::vector<char32_t> WithoutSeparators(std::vector<char32_t> run) {
    while (!run.empty() && IsBlank(run.back())) {
        run.pop_back();
    }
    const auto firstKept = std::find_if_not(run.begin(), run.end(), IsBlank);
    run.erase(run.begin(), firstKept);
    const auto first = std::find_if(run.begin(), run.end(), IsDigit);
    const auto last = std::find_if(run.rbegin(), run.rend(), IsDigit).base();
    if (first < last) {
        run.erase(std::remove_if(first, last,
                                 [](char32_t c) {
                                     return IsBlank(c) || IsDash(c);
                                 }),
                  last);
    }
    return run;
}

// Why the field does not take this character, nothing when it does.
std::string_view CharacterRefused(const FieldRule& rule, char32_t c) {
    switch (rule.takes) {
    case Takes::Printed:
        return IsCp1251Representable(c) && FitsPaymentLine(c) ? std::string_view()
                                                              : "нельзя напечатать в квитанции"_cp;
    case Takes::FileName:
        return IsCp1251Representable(c) && c >= 0x20 &&
                       std::u32string_view(U"<>\"|?*").find(c) == std::u32string_view::npos
                   ? std::string_view()
                   : "нельзя использовать в имени файла"_cp;
    case Takes::Digits:
        // A masked field shows its own separators anyway: typing one is no fault.
        if (IsDigit(c) ||
            (c < 0x80 && c != U'_' && rule.mask.find(static_cast<char>(c)) != std::string_view::npos)) {
            return {};
        }
        return "недопустим: здесь вводятся только цифры"_cp;
    }
    return {};
}

std::string NoRoom(const FieldRule& rule, std::size_t most, std::string_view units) {
    return FormatText("%s%s%s%d%s", std::string("не помещается: в поле «"_cp).c_str(), rule.name.c_str(),
                      std::string("» не больше "_cp).c_str(), static_cast<int>(most),
                      std::string(units).c_str());
}

} // namespace

FieldRule RuleOf(const FormControl& field, std::size_t limit) {
    return {field.takes, field.mask, limit, AccessibleName(MainDialogTemplate(), field)};
}

std::u16string RefusalTitle() {
    return Utf16("Недопустимый символ"_cp);
}

std::optional<std::string> TakenWhole(Takes takes, std::u16string_view text) {
    const FieldRule rule {takes, {}, 0, {}};
    for (const char32_t c : CodePoints(text)) {
        if (!CharacterRefused(rule, c).empty()) {
            return std::nullopt;
        }
    }
    return Utf16ToCp1251(text);
}

InputVerdict JudgeInput(const FieldRule& rule, const std::u16string& held, const std::u16string& reached) {
    InputVerdict verdict {true, reached, 0, {}};
    if (held == reached) {
        return verdict;
    }
    // The change: what lies between the text both share at the start and at the end, a
    // surrogate pair never cut in two.
    std::size_t begin = static_cast<std::size_t>(
        std::mismatch(held.begin(), held.end(), reached.begin(), reached.end()).first - held.begin());
    if (begin > 0 && IsHighSurrogate(reached[begin - 1])) {
        --begin;
    }
    std::size_t tail = 0;
    while (tail < held.size() - begin && tail < reached.size() - begin &&
           held[held.size() - 1 - tail] == reached[reached.size() - 1 - tail]) {
        ++tail;
    }
    if (tail > 0 && tail < reached.size() && IsLowSurrogate(reached[reached.size() - tail])) {
        --tail;
    }
    std::vector<char32_t> run =
        CodePoints(std::u16string_view(reached).substr(begin, reached.size() - tail - begin));
    if (run.size() > 1 && rule.takes == Takes::Digits) {
        run = WithoutSeparators(std::move(run));
    }
    const auto refuse = [&](char32_t c, std::string_view why) {
        verdict = {false, held, static_cast<int>(begin), Refusal(c, why)};
        return verdict;
    };
    for (const char32_t c : run) {
        if (const std::string_view why = CharacterRefused(rule, c); !why.empty()) {
            return refuse(c, why);
        }
    }

    const std::u16string inserted = FromCodePoints(run);
    const std::u16string text = held.substr(0, begin) + inserted + held.substr(held.size() - tail);
    if (!rule.mask.empty()) {
        // A value put there from elsewhere may hold more digits than the mask; it gets no more.
        const auto places = static_cast<std::size_t>(std::count(rule.mask.begin(), rule.mask.end(), '_'));
        const std::size_t room =
            std::max<std::size_t>(places, std::count_if(held.begin(), held.end(), IsDigit));
        std::size_t digits = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            digits += IsDigit(text[i]) ? 1 : 0;
            if (digits > room) {
                const bool brought = i >= begin && i < begin + inserted.size();
                return refuse(brought ? text[i] : *std::find_if(run.begin(), run.end(), IsDigit),
                              NoRoom(rule, places, " цифр"_cp));
            }
        }
    } else if (rule.limit > 0 && text.size() > std::max(rule.limit, held.size())) {
        const std::size_t room = std::max(rule.limit, held.size());
        const std::size_t first = std::clamp(room, begin, begin + inserted.size() - 1) - begin;
        return refuse(inserted[first], NoRoom(rule, rule.limit, " символов"_cp));
    }
    if (text != reached) {
        verdict.text = text;
        verdict.caret = static_cast<int>(begin + inserted.size());
    }
    return verdict;
}

} // namespace kvitok
