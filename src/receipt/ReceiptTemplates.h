#pragma once

#include <string>
#include <string_view>

namespace kvitok {

// The compiled-in page template (generated from ReceiptPage.html).
std::string_view ReceiptPageTemplate();

// The two compiled-in texts a receipt is made from, as windows-1251 bytes without a final
// line feed: the page of the bank form and the payment line its QR code carries. Callers
// get copies and fill their placeholders; the originals never change.
class ReceiptTemplates {
public:
    ReceiptTemplates();
    virtual ~ReceiptTemplates() = default;

    std::string GetReceiptTemplate() const { return m_receiptTemplate; }
    std::string GetPayloadTemplate() const { return m_payloadTemplate; }

private:
    std::string m_receiptTemplate;
    std::string m_payloadTemplate;
};

} // namespace kvitok
