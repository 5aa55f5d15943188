#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvitok {

// A PNG read back with libpng, independently of how it was written.
struct PngPicture {
    bool valid = false;
    unsigned width = 0;
    unsigned height = 0;
    int ihdrBitDepth = 0;
    int ihdrColourType = 0;
    std::vector<std::string> chunks; // chunk types in file order
    std::vector<unsigned char> rgb;  // 3 bytes per pixel, row by row
};

PngPicture ReadPng(const std::string& png);

// Whether DecodeQrPng can read symbols on this platform (zbar is there on Linux only).
bool HaveQrDecoder();

// Decodes the QR symbols of a picture with zbar, after scaling it up and adding a white
// margin; returns the raw bytes of every symbol found.
std::vector<std::string> DecodeQrPng(const std::string& png);

// The bytes of a base64 text; decoding stops at the first character outside the alphabet.
std::string DecodeBase64(std::string_view text);

// The PNG bytes behind the page's first "data:image/png;base64," image source at or after `from`.
std::string PageImage(const std::string& page, std::size_t from = 0);

} // namespace kvitok
