#include "EncodeQrPng.h"

#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"

#include <png.h>
#include <qrencode.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace kvitok {

namespace {

// One symbol made by libqrencode, released when it goes out of scope.
class QrSymbol {
public:
    explicit QrSymbol(const char* utf8) : m_code(QRcode_encodeString(utf8, 0, QR_ECLEVEL_H, QR_MODE_8, 1)) {}
    ~QrSymbol() {
        if (m_code != nullptr) {
            QRcode_free(m_code);
        }
    }
    QrSymbol(const QrSymbol&) = delete;
    QrSymbol& operator=(const QrSymbol&) = delete;

    bool IsValid() const { return m_code != nullptr; }
    int Width() const { return m_code->width; }
    const unsigned char* Modules() const { return m_code->data; }

private:
    QRcode* m_code;
};

// The libpng write and info structures of one image, destroyed together.
class PngWriteStructs {
public:
    PngWriteStructs() {
        m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (m_png != nullptr) {
            m_info = png_create_info_struct(m_png);
        }
    }
    ~PngWriteStructs() {
        if (m_png == nullptr) {
            return;
        }
        if (m_info != nullptr) {
            png_free_data(m_png, m_info, PNG_FREE_ALL, -1);
        }
        png_destroy_write_struct(&m_png, m_info != nullptr ? &m_info : nullptr);
    }
    PngWriteStructs(const PngWriteStructs&) = delete;
    PngWriteStructs& operator=(const PngWriteStructs&) = delete;

    bool IsValid() const { return m_png != nullptr && m_info != nullptr; }
    png_structp Png() const { return m_png; }
    png_infop Info() const { return m_info; }

private:
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

// The growable buffer that receives the PNG stream; it keeps no spare capacity.
struct PngMemorySink {
    png_bytep data = nullptr;
    png_size_t size = 0;

    PngMemorySink() = default;
    ~PngMemorySink() { std::free(data); }
    PngMemorySink(const PngMemorySink&) = delete;
    PngMemorySink& operator=(const PngMemorySink&) = delete;
};

// libpng's write callback. On a failed allocation png_error unwinds to the setjmp point in
// WritePngImage; nothing here has a destructor to skip.
void PngMemorySinkWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* sink = static_cast<PngMemorySink*>(png_get_io_ptr(png));
    if (length == 0) {
        return;
    }
    void* grown = std::realloc(sink->data, sink->size + length);
    if (grown == nullptr) {
        png_error(png, "Ошибка записи QR"_cp.data());
    }
    sink->data = static_cast<png_bytep>(grown);
    std::memcpy(sink->data + sink->size, data, length);
    sink->size += length;
}

// Everything that can end in png_error's longjmp happens here, in a frame that holds only
// trivially destructible values; the owners live in the caller and clean up either way.
bool WritePngImage(png_structp png, png_infop info, PngMemorySink* sink, const unsigned char* modules,
                   png_uint_32 width, png_bytep row) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, sink, PngMemorySinkWrite, nullptr);
    png_set_IHDR(png, info, width, width, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (png_uint_32 y = 0; y < width; ++y) {
        const unsigned char* line = modules + static_cast<std::size_t>(y) * width;
        for (png_uint_32 x = 0; x < width; ++x) {
            const png_byte level = (line[x] & 1) != 0 ? 0 : 255;
            row[3 * x] = level;
            row[3 * x + 1] = level;
            row[3 * x + 2] = level;
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool EncodeQrPng(std::string_view payload, std::string& png) {
    if (payload.find('\0') != std::string_view::npos) {
        return false;
    }
    try {
        std::string utf8 = Cp1251ToUtf8(payload);
        const QrSymbol symbol(utf8.c_str());
        if (!symbol.IsValid()) {
            return false;
        }
        utf8 = {};

        const auto width = static_cast<png_uint_32>(symbol.Width());
        PngWriteStructs structs;
        if (!structs.IsValid()) {
            return false;
        }
        PngMemorySink sink;
        std::vector<png_byte> row(3 * static_cast<std::size_t>(width));
        if (!WritePngImage(structs.Png(), structs.Info(), &sink, symbol.Modules(), width, row.data())) {
            return false;
        }
        if (sink.size > 0) {
            png.assign(reinterpret_cast<const char*>(sink.data), sink.size);
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace kvitok
