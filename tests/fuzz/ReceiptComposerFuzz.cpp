// The composer with any text in every field: the page keeps the template's markup, and the QR
// code, when there is one, carries the whole payment line to its Sum, which is the amount the
// page shows. Without odd characters each field of the line decodes back to what went in.
#include "FuzzSupport.h"
#include "receipt/QrDecode.h"
#include "receipt/ReceiptComposer.h"
#include "receipt/ReceiptTemplates.h"
#include "refdata/ReferenceDictionary.h"
#include "text/Cp1251.h"
#include "text/NumberText.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

namespace {

using namespace kvitok;

constexpr std::string_view kImageSource = "src=\"data:image/png;base64,";

// The payment line in the page's QR code, as UTF-8; nothing when zbar finds no single symbol.
std::optional<std::string> PaymentLine(const std::string& page) {
    const std::vector<std::string> symbols = DecodeQrPng(PageImage(page, page.find(kImageSource)));
    if (symbols.size() != 1) {
        return std::nullopt;
    }
    return symbols[0];
}

std::size_t MarkupCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return c == '<' || c == '>';
    }));
}

// An amount in plain digits short enough for any reader, in kopecks; nothing for any other.
std::optional<long long> PlainKopecks(const std::string& rub, const std::string& kop) {
    const auto number = [](const std::string& text) -> std::optional<long long> {
        long long value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || text.size() > 12 || text[0] == '-' || error != std::errc() ||
            end != text.data() + text.size()) {
            return std::nullopt;
        }
        return value;
    };
    const std::optional<long long> rubles = number(rub);
    const std::optional<long long> kopecks = number(kop);
    if (!rubles || !kopecks) {
        return std::nullopt;
    }
    return *rubles * 100 + *kopecks;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t bar = line.find('|'); bar != std::string::npos; bar = line.find('|', start)) {
        fields.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ReferenceDictionary dictionary;
    static const std::string pageTemplate = ReceiptTemplates().GetReceiptTemplate();
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> names;
        for (const std::string& field : Fields(ReceiptTemplates().GetPayloadTemplate())) {
            names.push_back(field.substr(0, field.find('=') + 1));
        }
        return names;
    }();
    // The payment line of a form with nothing in it, for the room the fields leave.
    static const std::size_t emptyLine = [] {
        const std::optional<std::string> line = PaymentLine(ReceiptComposer(dictionary).Compose({}).html);
        FUZZ_CHECK(line);
        return line->size();
    }();

    FuzzedDataProvider in(data, size);
    ReceiptInput input;
    input.statusRow = in.ConsumeIntegralInRange(-1, 4);
    input.kbkNumber = in.ConsumeIntegralInRange(-1, 30);
    input.innEnabled = in.ConsumeBool();
    input.oktmoEnabled = in.ConsumeBool();
    input.printStatus = in.ConsumeBool();
    std::string kbkCode;
    std::string paymentName;
    std::string amountRub;
    std::string amountKop;
    std::string* const texts[] = {
        &input.payerName,      &input.address, &input.inn,   &input.regNumber,    &input.snils,
        &input.sumRub,         &input.sumKop,  &input.oktmo, &input.kbkEntryText, &input.yearEntryText,
        &input.periodMarkText, &kbkCode,       &paymentName, &amountRub,          &amountKop};
    for (std::string* text : texts) {
        *text = in.ConsumeRandomLengthString(300);
    }

    const ComposedPage composed =
        ReceiptComposer(dictionary).Compose(input, kbkCode, paymentName, amountRub, amountKop);
    const std::string& page = composed.html;
    FUZZ_CHECK(MarkupCount(page) == MarkupCount(pageTemplate));

    bool anyZero = false;
    bool anyPlaceholder = false; // an "@" may be taken for a placeholder and grow the line
    bool plain = true;           // nor "|" to split a field, nor any control character
    std::size_t room = 0;
    for (const std::string* text : texts) {
        anyZero = anyZero || text->find('\0') != std::string::npos;
        anyPlaceholder = anyPlaceholder || text->find('@') != std::string::npos;
        plain = plain && std::none_of(text->begin(), text->end(), [](char c) {
                    return c == '|' || c == '@' || static_cast<unsigned char>(c) < 0x20;
                });
        room += Cp1251ToUtf8(*text).size();
    }

    if (!composed.qrCode) {
        FUZZ_CHECK(page.find(std::string(kImageSource) + "@BarCode\"") != std::string::npos);
        // Only a zero byte or a line too long for any symbol (at most 1273 bytes) stops the code.
        FUZZ_CHECK(anyZero || anyPlaceholder || emptyLine + room + 40 > 1200);
        return 0;
    }
    const std::optional<std::string> line = PaymentLine(page);
    FUZZ_CHECK(line);
    const bool fromForm = amountRub.empty();
    FUZZ_CHECK(line->starts_with("ST00012|Name="));
    const std::size_t sumAt = line->rfind("|Sum=");
    FUZZ_CHECK(sumAt != std::string::npos);
    const std::string sum = line->substr(sumAt + 5);
    FUZZ_CHECK(!sum.empty() && std::all_of(sum.begin() + (sum[0] == '-' ? 1 : 0), sum.end(), [](char c) {
        return c >= '0' && c <= '9';
    }));
    if (const std::optional<long long> plain =
            fromForm ? PlainKopecks(input.sumRub, input.sumKop) : PlainKopecks(amountRub, amountKop)) {
        FUZZ_CHECK(sum == std::to_string(*plain));
    }
    if (!plain) {
        return 0;
    }
    const std::vector<std::string> fields = Fields(*line);
    FUZZ_CHECK(fields.size() == keys.size());
    std::map<std::string, std::string> value;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        FUZZ_CHECK(fields[i].starts_with(keys[i]));
        value[keys[i]] = fields[i].substr(keys[i].size());
    }
    FUZZ_CHECK(value["PayerAddress="] == Cp1251ToUtf8(input.address));
    FUZZ_CHECK(value["PayerINN="] == (input.innEnabled ? Cp1251ToUtf8(input.inn) : ""));
    // The name is its parts put together again, the first two spaces between them: the last and
    // first names are single words, and whatever follows stays whole in the middle name.
    const std::string& last = value["LastName="];
    const std::string& first = value["FirstName="];
    const std::string& middle = value["MiddleName="];
    const std::string name = Cp1251ToUtf8(input.payerName);
    FUZZ_CHECK(last.find(' ') == std::string::npos && first.find(' ') == std::string::npos);
    switch (std::min<std::ptrdiff_t>(std::count(name.begin(), name.end(), ' '), 2)) {
    case 0:
        FUZZ_CHECK(last.empty() && first.empty() && middle == name);
        break;
    case 1:
        FUZZ_CHECK(first.empty() && last + " " + middle == name);
        break;
    default:
        FUZZ_CHECK(last + " " + first + " " + middle == name);
        break;
    }
    return 0;
}
