#include "ReceiptComposer.h"

#include "Base64Encoder.h"
#include "EncodeQrPng.h"
#include "ReceiptTemplates.h"
#include "StripMask.h"

#include "refdata/ReferenceDictionary.h"
#include "text/Cp1251Literal.h"
#include "text/Format.h"
#include "text/NumberText.h"

#include <climits>
#include <string_view>

namespace kvitok {

namespace {

constexpr std::string_view kSeparator = " - ";

// Replaces every occurrence, left to right; an inserted value is not searched again.
void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view value) {
    std::size_t pos = text.find(placeholder);
    if (pos == std::string::npos) {
        return;
    }
    std::string result;
    result.reserve(text.size() + value.size());
    std::size_t from = 0;
    for (; pos != std::string::npos; pos = text.find(placeholder, from)) {
        result.append(text, from, pos - from);
        result.append(value);
        from = pos + placeholder.size();
    }
    result.append(text, from, std::string::npos);
    text = std::move(result);
}

// Values go into the page as text, never as markup: an address with quotes or angle brackets
// prints as typed and cannot inject anything into the page the browser opens.
std::string EscapeHtml(std::string_view value) {
    std::string result;
    result.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        default:
            result.push_back(c);
        }
    }
    return result;
}

// The kopeck total in 64 bits, saturating: it must not wrap for large sums.
long long TotalKopecks(std::string_view rub, std::string_view kop) {
    long long total = 0;
    if (__builtin_mul_overflow(AtoLL(rub), 100LL, &total) ||
        __builtin_add_overflow(total, AtoLL(kop), &total)) {
        return AtoLL(rub) < 0 ? LLONG_MIN : LLONG_MAX;
    }
    return total;
}

std::string_view Before(std::string_view text, std::string_view separator) {
    const std::size_t pos = text.find(separator);
    return pos == std::string_view::npos ? std::string_view() : text.substr(0, pos);
}

std::string_view After(std::string_view text, std::string_view separator) {
    const std::size_t pos = text.find(separator);
    return pos == std::string_view::npos ? std::string_view() : text.substr(pos + separator.size());
}

struct NameParts {
    std::string_view last;
    std::string_view first;
    std::string_view middle;
};

// Splits on the first two spaces; a missing word leaves its part empty, and whatever follows
// the second space (further words too) is the middle name.
NameParts SplitName(std::string_view name) {
    NameParts parts;
    const std::size_t i = name.find(' ');
    parts.last = i == std::string_view::npos ? std::string_view() : name.substr(0, i);
    const std::string_view rest = i == std::string_view::npos ? name : name.substr(i + 1);
    const std::size_t j = rest.find(' ');
    parts.first = j == std::string_view::npos ? std::string_view() : rest.substr(0, j);
    parts.middle = j == std::string_view::npos ? rest : rest.substr(j + 1);
    return parts;
}

// The two working texts of one page.
struct Working {
    std::string page;
    std::string payload;

    void Both(std::string_view placeholder, std::string_view value) {
        ReplaceAll(page, placeholder, EscapeHtml(value));
        ReplaceAll(payload, placeholder, value);
    }
    void PageOnly(std::string_view placeholder, std::string_view value) {
        ReplaceAll(page, placeholder, EscapeHtml(value));
    }
    void PayloadOnly(std::string_view placeholder, std::string_view value) {
        ReplaceAll(payload, placeholder, value);
    }
};

} // namespace

ComposedPage ReceiptComposer::Compose(const ReceiptInput& input, std::string kbkCode, std::string paymentName,
                                      std::string amountRub, std::string amountKop) const {
    // The order of the steps matters: a value inserted early is searched by the later steps.
    Working w;
    {
        const ReceiptTemplates templates;
        w.page = templates.GetReceiptTemplate();
        w.payload = templates.GetPayloadTemplate();
    }

    const std::string statusCode = m_dictionary.Lookup(FormatText("STATUS_NUM_%d", input.statusRow));

    if (statusCode == "13" || input.statusRow == 3) {
        w.Both("@InsRegNum", StripMask(input.snils, "___-___-___ __", '_'));
        w.Both("@ServiceName", "61001350");
    } else {
        w.Both("@InsRegNum", StripMask(input.regNumber, "___-___-______", '_'));
        w.Both("@ServiceName", "61000312");
    }

    w.Both("@Stat", input.printStatus ? std::string_view(statusCode) : std::string_view());

    w.Both("@Type", m_dictionary.Lookup(FormatText("PAY_TYPE_%d", input.kbkNumber)));
    w.Both("@Kind", m_dictionary.Lookup(FormatText("PAY_KIND_%d", input.kbkNumber)));

    w.Both("@OKTMO", input.oktmoEnabled ? Before(input.oktmo, kSeparator) : std::string_view());
    w.Both("@InsINN", input.innEnabled ? std::string_view(input.inn) : std::string_view());

    const std::string_view entry = input.kbkEntryText;
    w.Both("@KBK", kbkCode.empty() ? Before(entry, kSeparator) : std::string_view(kbkCode));
    w.Both("@Payment", paymentName.empty() ? After(entry, kSeparator) : std::string_view(paymentName));

    std::string period = m_dictionary.Lookup("PERIODFORM");
    ReplaceAll(period, "@Period", input.yearEntryText);
    ReplaceAll(period, "@Markper", input.periodMarkText);
    w.Both("@NalPer", period);

    const bool fromForm = amountRub.empty();
    const std::string& rub = fromForm ? input.sumRub : amountRub;
    const std::string& kop = fromForm ? input.sumKop : amountKop;
    w.PageOnly("@Rub", rub);
    w.PageOnly("@Kop", kop);
    w.PayloadOnly("@FullSumKop", IntToText(TotalKopecks(rub, kop)));

    w.PageOnly("@InsName", input.payerName);
    const NameParts name = SplitName(input.payerName);
    w.PayloadOnly("@LastInsName", name.last);
    w.PayloadOnly("@FirstInsName", name.first);
    w.PayloadOnly("@MiddleInsName", name.middle);

    w.Both("@InsAddr", input.address);

    w.Both("@BIK", m_dictionary.Lookup("BIK"));
    w.Both("@Account", m_dictionary.Lookup("ACCOUNT"));
    w.Both("@Reciever", m_dictionary.Lookup("RECIEVER"));
    w.Both("@KPP", m_dictionary.Lookup("KPP"));
    w.Both("@INN", m_dictionary.Lookup("INN"));
    w.Both("@Bank", m_dictionary.Lookup("BANK"));

    std::string png;
    if (!EncodeQrPng(w.payload, png)) {
        return {std::move(w.page), Failure {std::string("Ошибка при создании QR кода!"_cp)}};
    }
    ReplaceAll(w.page, "@BarCode", Base64Encoder().Encode(png));
    return {std::move(w.page), {}};
}

} // namespace kvitok
