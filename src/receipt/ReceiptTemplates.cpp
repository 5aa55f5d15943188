#include "ReceiptTemplates.h"

namespace kvitok {

namespace {

// The payment line of a QR code on a payment document: header ST00012 (version 0001, UTF-8),
// then key=value fields separated by "|".
constexpr std::string_view kPayloadTemplate =
    "ST00012|Name=@Reciever|PersonalAcc=@Account|BankName=@Bank|BIC=@BIK|CorrespAcc=0|PayeeINN=@INN"
    "|PayerINN=@InsINN|DrawerStatus=@Stat|KPP=@KPP|CBC=@KBK|OKTMO=@OKTMO|PensAcc=@InsRegNum"
    "|LastName=@LastInsName|FirstName=@FirstInsName|MiddleName=@MiddleInsName|PayerAddress=@InsAddr"
    "|ServiceName=@ServiceName|Sum=@FullSumKop";

} // namespace

ReceiptTemplates::ReceiptTemplates() {
    m_receiptTemplate = ReceiptPageTemplate();
    m_payloadTemplate = kPayloadTemplate;
}

} // namespace kvitok
