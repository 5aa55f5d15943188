#include "QrDecode.h"

#include <png.h>
#ifdef KVITOK_HAVE_ZBAR
#include <zbar.h>
#endif

#include <cstring>
#include <memory>

namespace kvitok {

namespace {

unsigned BigEndian32(const std::string& bytes, std::size_t pos) {
    unsigned value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[pos + i]);
    }
    return value;
}

} // namespace

PngPicture ReadPng(const std::string& png) {
    PngPicture picture;
    if (png.size() < 33 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
        return picture;
    }
    for (std::size_t pos = 8; pos + 12 <= png.size();) {
        const unsigned length = BigEndian32(png, pos);
        picture.chunks.push_back(png.substr(pos + 4, 4));
        if (picture.chunks.size() > 1 && picture.chunks.back() == picture.chunks[picture.chunks.size() - 2]) {
            picture.chunks.pop_back(); // several IDAT chunks count as one
        }
        pos += 12 + length;
    }
    picture.ihdrBitDepth = static_cast<unsigned char>(png[24]);
    picture.ihdrColourType = static_cast<unsigned char>(png[25]);

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        return picture;
    }
    image.format = PNG_FORMAT_RGB;
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return picture;
    }
    picture.width = image.width;
    picture.height = image.height;
    picture.valid = true;
    return picture;
}

bool HaveQrDecoder() {
#ifdef KVITOK_HAVE_ZBAR
    return true;
#else
    return false;
#endif
}

std::vector<std::string> DecodeQrPng(const std::string& png) {
#ifndef KVITOK_HAVE_ZBAR
    static_cast<void>(png);
    return {};
#else
    const PngPicture picture = ReadPng(png);
    std::vector<std::string> result;
    if (!picture.valid) {
        return result;
    }
    constexpr unsigned kScale = 4;
    constexpr unsigned kMargin = 8 * kScale;
    const unsigned width = picture.width * kScale + 2 * kMargin;
    const unsigned height = picture.height * kScale + 2 * kMargin;
    std::vector<unsigned char> grey(static_cast<std::size_t>(width) * height, 255);
    for (unsigned y = 0; y < height - 2 * kMargin; ++y) {
        for (unsigned x = 0; x < width - 2 * kMargin; ++x) {
            const std::size_t source =
                (static_cast<std::size_t>(y / kScale) * picture.width + x / kScale) * 3;
            grey[static_cast<std::size_t>(y + kMargin) * width + x + kMargin] = picture.rgb[source];
        }
    }

    std::unique_ptr<zbar::zbar_image_scanner_t, decltype(&zbar::zbar_image_scanner_destroy)> scanner(
        zbar::zbar_image_scanner_create(), zbar::zbar_image_scanner_destroy);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_ENABLE, 1);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_BINARY, 1);
    std::unique_ptr<zbar::zbar_image_t, decltype(&zbar::zbar_image_destroy)> image(zbar::zbar_image_create(),
                                                                                   zbar::zbar_image_destroy);
    zbar::zbar_image_set_format(image.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar::zbar_image_set_size(image.get(), width, height);
    zbar::zbar_image_set_data(image.get(), grey.data(), grey.size(), nullptr);
    if (zbar::zbar_scan_image(scanner.get(), image.get()) > 0) {
        for (const zbar::zbar_symbol_t* symbol = zbar::zbar_image_first_symbol(image.get());
             symbol != nullptr; symbol = zbar::zbar_symbol_next(symbol)) {
            result.emplace_back(zbar::zbar_symbol_get_data(symbol),
                                zbar::zbar_symbol_get_data_length(symbol));
        }
    }
    return result;
#endif
}

std::string DecodeBase64(std::string_view text) {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    unsigned buffer = 0;
    int bits = 0;
    for (const char c : text) {
        const std::size_t value = kAlphabet.find(c);
        if (value == std::string_view::npos) {
            break;
        }
        buffer = (buffer << 6) | static_cast<unsigned>(value);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<char>((buffer >> bits) & 0xFF));
        }
    }
    return bytes;
}

std::string PageImage(const std::string& page, std::size_t from) {
    static constexpr std::string_view kPrefix = "data:image/png;base64,";
    const std::size_t at = page.find(kPrefix, from);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t begin = at + kPrefix.size();
    return DecodeBase64(std::string_view(page).substr(begin, page.find('"', begin) - begin));
}

} // namespace kvitok
