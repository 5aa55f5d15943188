#pragma once

#include <string>
#include <string_view>

namespace kvitok {

// The C runtime's atoi: leading white space, an optional sign, then decimal digits up to the
// first other character; 0 when there are none. Out-of-range values saturate at INT_MIN/INT_MAX.
int AtoI(std::string_view text);

// The same reading in 64 bits, saturating at LLONG_MIN/LLONG_MAX.
long long AtoLL(std::string_view text);

// The C runtime's atof in the "C" locale: "." is the decimal point whatever the process
// locale says; 0.0 when the text does not begin with a number.
double AtoF(std::string_view text);

// Decimal text of an integer ("-12", "0").
std::string IntToText(long long value);

} // namespace kvitok
