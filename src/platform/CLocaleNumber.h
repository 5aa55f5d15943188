#pragma once

namespace kvitok {

// The C runtime's strtod in the "C" locale, whatever locale the process has set: each platform
// names its locale-taking variant differently.
double StrtodInCLocale(const char* text);

} // namespace kvitok
