#pragma once

#include "ReceiptInput.h"

#include "base/Result.h"

#include <string>

namespace kvitok {

class ReferenceDictionary;

// One filled page and whether its QR code could be made. A page without its code is whole but
// for the image, which keeps "@BarCode"; the failure's reason is the text to show the person.
struct ComposedPage {
    std::string html;
    Result<> qrCode;
};

// Makes one filled receipt page (HTML, windows-1251) from the form's values, the payee
// details of the dictionary and the QR code of the payment line. Keeps nothing between calls.
class ReceiptComposer {
public:
    explicit ReceiptComposer(const ReferenceDictionary& dictionary) : m_dictionary(dictionary) {}

    // kbkCode and paymentName replace the selected KBK entry's code and name, amountRub and
    // amountKop the form's sum; an empty text means "not given".
    ComposedPage Compose(const ReceiptInput& input, std::string kbkCode = {}, std::string paymentName = {},
                         std::string amountRub = {}, std::string amountKop = {}) const;

private:
    const ReferenceDictionary& m_dictionary;
};

} // namespace kvitok
