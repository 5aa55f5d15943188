# Turns the UTF-8 page template into a C++ source that holds it as windows-1251 bytes,
# converted at compile time (a character the code page cannot hold stops the build).
# Usage: cmake -DINPUT=<page.html> -DOUTPUT=<generated.cpp> -P EmbedPageTemplate.cmake
file(READ "${INPUT}" page)
# The template carries no line feed after its last line, and its lines end in a line feed
# alone, whatever the checkout did to them.
string(REPLACE "\r\n" "\n" page "${page}")
string(REGEX REPLACE "\n+$" "" page "${page}")
string(FIND "${page}" ")kvitokpage\"" clash)
if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${INPUT} holds the raw-string delimiter")
endif()
set(source "// Generated from ${INPUT}; edit that file instead.
#include \"receipt/EmbeddedCp1251.h\"

namespace kvitok {

namespace {

constexpr char kPageUtf8[] = R\"kvitokpage(${page})kvitokpage\";
constexpr auto kPage = EmbedCp1251<Cp1251EmbedLength(kPageUtf8)>(kPageUtf8);

} // namespace

std::string_view ReceiptPageTemplate() {
    return {kPage.data(), kPage.size()};
}

} // namespace kvitok
")
# Rewrite only on change so that an unchanged template does not recompile.
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
    if(old STREQUAL source)
        return()
    endif()
endif()
file(WRITE "${OUTPUT}" "${source}")
