#pragma once

#include "receipt/ReceiptInput.h"
#include "refdata/ReferenceDictionary.h"
#include "text/Cp1251Literal.h"

#include <string>

namespace kvitok {

// A form as an individual entrepreneur fills it for the yearly pension contribution.
inline ReceiptInput TypicalReceiptInput() {
    ReceiptInput input;
    input.statusRow = 2;
    input.snils = "123-456-789 01";
    input.regNumber = "087-654-321098";
    input.inn = "771234567890";
    input.oktmo = std::string("06701000 - г.Ольмград"_cp);
    input.payerName = std::string("Иванов Иван Иванович"_cp);
    input.address = std::string("367000, г. Ольмград, ул. Набережная, д. 46, кв. 12"_cp);
    input.sumRub = "19356";
    input.sumKop = "48";
    input.innEnabled = true;
    input.oktmoEnabled = true;
    input.printStatus = true;
    input.kbkEntryText = std::string("39210202140061100160 - Cтраховая часть(взносы)"_cp);
    input.kbkNumber = 2;
    input.yearEntryText = "2016";
    input.periodMarkText = std::string("ГД.00."_cp);
    return input;
}

// The payment line that TypicalReceiptInput's QR code must carry, in windows-1251.
inline std::string TypicalPayload(const ReferenceDictionary& dictionary) {
    return "ST00012|Name=" + dictionary.Lookup("RECIEVER") + "|PersonalAcc=" + dictionary.Lookup("ACCOUNT") +
           "|BankName=" + dictionary.Lookup("BANK") + "|BIC=" + dictionary.Lookup("BIK") +
           "|CorrespAcc=0|PayeeINN=" + dictionary.Lookup("INN") +
           "|PayerINN=771234567890|DrawerStatus=24|KPP=" + dictionary.Lookup("KPP") +
           "|CBC=39210202140061100160|OKTMO=06701000|PensAcc=087654321098|" +
           std::string("LastName=Иванов|FirstName=Иван|MiddleName=Иванович|"_cp) +
           "PayerAddress=" + TypicalReceiptInput().address + "|ServiceName=61000312|Sum=1935648";
}

} // namespace kvitok
