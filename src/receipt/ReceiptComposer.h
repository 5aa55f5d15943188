#pragma once

#include "ReceiptInput.h"

#include <string>

namespace kvitok {

class ReferenceDictionary;
class ReceiptMessages;

// Makes one filled receipt page (HTML, windows-1251) from the form's values, the payee
// details of the dictionary and the QR code of the payment line. Keeps nothing between calls.
class ReceiptComposer {
public:
    ReceiptComposer(const ReferenceDictionary& dictionary, ReceiptMessages& messages)
        : m_dictionary(dictionary), m_messages(messages) {}

    // kbkCode and paymentName replace the selected KBK entry's code and name, amountRub and
    // amountKop the form's sum; an empty text means "not given". When the QR code cannot be
    // made the user is told and the page is returned with "@BarCode" left in its image.
    std::string Compose(const ReceiptInput& input, std::string kbkCode = {}, std::string paymentName = {},
                        std::string amountRub = {}, std::string amountKop = {}) const;

private:
    const ReferenceDictionary& m_dictionary;
    ReceiptMessages& m_messages;
};

} // namespace kvitok
