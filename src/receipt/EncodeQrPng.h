#pragma once

#include <string>
#include <string_view>

namespace kvitok {

// Draws the QR code of a windows-1251 payload as a PNG in memory: the payload is converted to
// UTF-8 and encoded at error-correction level H; the picture is 8-bit RGB, one pixel per
// module, w x w pixels without a quiet zone. On success `png` receives the file's bytes; on
// any failure (the text does not fit a symbol, a library or memory failure) the result is
// false and `png` is left unchanged. Shows nothing itself.
// A payload that holds a zero byte is refused: the symbol library would end the text there,
// and a code carrying only the beginning of a payment line pays something else than the page.
bool EncodeQrPng(std::string_view payload, std::string& png);

} // namespace kvitok
