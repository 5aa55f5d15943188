// Writes the typical receipt page as the program writes its file, and the UTF-8 payment line
// its QR code must carry, for the check in a real browser.
#include "TypicalReceipt.h"

#include "receipt/ReceiptComposer.h"
#include "receipt/ReceiptFile.h"
#include "refdata/ReferenceDictionary.h"
#include "text/Cp1251.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <page.html> <payload.txt>\n", argv[0]);
        return 2;
    }
    const kvitok::ReferenceDictionary dictionary;
    const kvitok::ComposedPage page =
        kvitok::ReceiptComposer(dictionary).Compose(kvitok::TypicalReceiptInput());
    if (!page.qrCode) {
        std::fprintf(stderr, "%s\n", kvitok::Cp1251ToUtf8(page.qrCode.Reason()).c_str());
        return 1;
    }
    const kvitok::Result<> written = kvitok::ReceiptFile::Write(argv[1], page.html);
    if (!written) {
        std::fprintf(stderr, "%s: %s\n", argv[1], kvitok::Cp1251ToUtf8(written.Reason()).c_str());
        return 1;
    }
    std::ofstream(argv[2], std::ios::binary) << kvitok::Cp1251ToUtf8(kvitok::TypicalPayload(dictionary));
    return 0;
}
