#pragma once

#include "payers/PayerStore.h"
#include "text/Cp1251Literal.h"

#include <string>

namespace kvitok {

// A payer with every column filled, named as the test needs.
inline PayerRecord Payer(std::string name) {
    PayerRecord r;
    r.name = std::move(name);
    r.address = std::string("г. Москва, ул. Ленина, д. 1, кв. 2"_cp);
    r.status = 2;
    r.kbk = 5;
    r.inn = "771234567890";
    r.regNumber = "087-123-456789";
    r.snils = "123-456-789 01";
    r.oktmo = 3;
    return r;
}

} // namespace kvitok
