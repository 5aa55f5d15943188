// The receipt file, byte for byte, for a handful of forms that together reach every branch of
// the page. The golden files hold the file as "Создать" writes it, with each image's base64
// replaced by a marker, and the payment line of each page as a decoder reads it from the QR
// code, and a fingerprint of each image's pixels. After a change that is meant,
// scripts/update-golden.sh rewrites them.
#include "QrDecode.h"
#include "TypicalReceipt.h"

#include "form/DialogFixture.h"
#include "receipt/ReceiptComposer.h"
#include "receipt/ReceiptFile.h"
#include "text/Cp1251.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kvitok::testing {
namespace {

constexpr std::string_view kImagePrefix = "data:image/png;base64,";
constexpr std::string_view kImageMarker = "@PNG_BASE64@";

struct GoldenForm {
    const char* name;
    // Fills the form and writes the receipt; returns the path of the file written.
    std::string (*write)(DialogTest& t);
};

void PrintTo(const GoldenForm& form, std::ostream* out) {
    *out << form.name;
}

std::string Create(DialogTest& t) {
    t.Click(Id::Create);
    for (const ShownMessage& shown : t.platform.messages.shown) {
        ADD_FAILURE() << "message: " << Cp1251ToUtf8(shown.text);
    }
    return t.C().Edit(Id::FileName).text;
}

void TypeSum(DialogTest& t, const char* rubles, const char* kopecks) {
    t.Put(Id::SumRub, rubles);
    t.Put(Id::SumKop, kopecks);
}

// Selects the row of a list whose text starts with `prefix`.
void SelectRowStarting(ListModel& list, std::string_view prefix) {
    for (int row = 0; row < list.Count(); ++row) {
        if (list.RowText(row).starts_with(prefix)) {
            list.Select(row);
            return;
        }
    }
    ADD_FAILURE() << "no row starts with " << Cp1251ToUtf8(std::string(prefix));
}

const GoldenForm kForms[] = {
    {"contribution",
     [](DialogTest& t) {
         t.FillValidForm();
         return Create(t);
     }},
    {"group-2016",
     [](DialogTest& t) {
         t.FillValidForm();
         t.SelectKbkNumber(1);
         t.Put(Id::IncomeRub, "500000");
         t.Put(Id::IncomeKop, "00");
         t.dialog->OnChangeIncome();
         return Create(t);
     }},
    {"status3-snils",
     [](DialogTest& t) {
         t.FillValidForm();
         t.SelectStatus(3);
         t.Put(Id::Snils, "112-233-445 95");
         TypeSum(t, "12000", "00");
         return Create(t);
     }},
    {"penalty-quarter",
     [](DialogTest& t) {
         t.FillValidForm();
         t.SelectStatus(1);
         t.SelectKbkNumber(18);
         SelectRowStarting(t.C().List(Id::TaxPeriod), "КВ.02."_cp);
         t.C().List(Id::Oktmo).Select(3);
         TypeSum(t, "1500", "05");
         return Create(t);
     }},
    {"fine",
     [](DialogTest& t) {
         t.FillValidForm();
         t.SelectKbkNumber(10);
         TypeSum(t, "5000", "00");
         return Create(t);
     }},
    {"address-markup",
     [](DialogTest& t) {
         t.FillValidForm();
         t.C().List(Id::Payer).SetEditText(std::string("Петров Пётр"_cp));
         t.Put(Id::Address, std::string("ООО \"Ромашка\" <офис 5> & 'склад' @BIK"_cp));
         return Create(t);
     }},
    // No budget code of the shipped table leaves the status out, so this page is composed
    // directly, from the same input the browser check uses.
    {"no-status",
     [](DialogTest& t) {
         ReceiptInput input = TypicalReceiptInput();
         input.printStatus = false;
         const ReferenceDictionary dictionary;
         const std::string path = t.folder.File("kvt.html");
         const ComposedPage page = ReceiptComposer(dictionary).Compose(input);
         EXPECT_TRUE(page.qrCode);
         EXPECT_TRUE(ReceiptFile::Write(path, page.html));
         return path;
     }},
};

// The file with every image replaced by the marker, and the payment line decoded from each
// image, one per line.
struct Observed {
    std::string page;
    std::string payloads;
    std::vector<std::string> images; // the PNG bytes
};

Observed Observe(const std::string& file) {
    Observed seen;
    std::size_t copied = 0;
    for (std::size_t at = file.find(kImagePrefix); at != std::string::npos;
         at = file.find(kImagePrefix, at + 1)) {
        const std::size_t begin = at + kImagePrefix.size();
        const std::size_t end = file.find('"', begin);
        seen.images.push_back(PageImage(file, at));
        if (HaveQrDecoder()) {
            const std::vector<std::string> decoded = DecodeQrPng(seen.images.back());
            EXPECT_EQ(decoded.size(), 1u) << "image at byte " << at;
            seen.payloads += (decoded.empty() ? std::string("(no QR code)") : decoded.front()) + "\n";
        }
        seen.page.append(file, copied, begin - copied).append(kImageMarker);
        copied = end;
    }
    seen.page.append(file, copied);
    return seen;
}

// Where two texts first differ, line by line, shown in UTF-8.
std::string FirstDifference(const std::string& expected, const std::string& actual, bool cp1251) {
    std::istringstream e(expected);
    std::istringstream a(actual);
    std::string el;
    std::string al;
    for (int line = 1;; ++line) {
        const bool moreE = static_cast<bool>(std::getline(e, el));
        const bool moreA = static_cast<bool>(std::getline(a, al));
        if (!moreE && !moreA) {
            return "texts differ in their last line end";
        }
        if (moreE != moreA || el != al) {
            const auto show = [cp1251](bool more, const std::string& text) {
                return more ? (cp1251 ? Cp1251ToUtf8(text) : text) : std::string("(end of text)");
            };
            return "line " + std::to_string(line) + "\n  golden: " + show(moreE, el) +
                   "\n  actual: " + show(moreA, al);
        }
    }
}

void CompareWithGolden(const std::string& file, const std::string& actual, bool cp1251) {
    const std::filesystem::path path = std::filesystem::path(KVITOK_GOLDEN_DIR) / file;
    if (std::getenv("KVITOK_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " is missing: run scripts/update-golden.sh";
    const std::string expected = ReadFile(path);
    EXPECT_TRUE(expected == actual) << file << " differs at " << FirstDifference(expected, actual, cp1251);
}

// Each image as its size and a fingerprint of its pixels (64-bit FNV-1a), one line each. The
// reviewed lines were made on Linux, where zbar reads the same images, so a platform whose own
// QR and PNG libraries drew another symbol (or none) fails here without a decoder of its own.
std::string Fingerprints(const std::vector<std::string>& images) {
    std::string lines;
    for (const std::string& image : images) {
        const PngPicture picture = ReadPng(image);
        std::uint64_t hash = 14695981039346656037ull;
        for (const unsigned char byte : picture.rgb) {
            hash = (hash ^ byte) * 1099511628211ull;
        }
        char line[64];
        std::snprintf(line, sizeof line, "%ux%u %016llx\n", picture.width, picture.height,
                      static_cast<unsigned long long>(hash));
        lines += picture.valid ? line : "(no picture)\n";
    }
    return lines;
}

class GoldenReceipt : public DialogTest, public ::testing::WithParamInterface<GoldenForm> {};

TEST_P(GoldenReceipt, FileAndPaymentLinesAreAsReviewed) {
    const std::string path = GetParam().write(*this);
    const Observed seen = Observe(ReadFile(path));
    CompareWithGolden(std::string(GetParam().name) + ".html", seen.page, true);
    if (HaveQrDecoder()) {
        CompareWithGolden(std::string(GetParam().name) + ".payload.txt", seen.payloads, false);
    }
    CompareWithGolden(std::string(GetParam().name) + ".symbols.txt", Fingerprints(seen.images), false);
}

INSTANTIATE_TEST_SUITE_P(Forms, GoldenReceipt, ::testing::ValuesIn(kForms),
                         [](const ::testing::TestParamInfo<GoldenForm>& info) {
                             std::string name = info.param.name;
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
} // namespace kvitok::testing
