#include "PathText.h"

#include "text/Cp1251.h"

namespace kvitok {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::u8string(utf8.begin(), utf8.end());
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return {utf8.begin(), utf8.end()};
}

std::filesystem::path PathFromText(std::string_view cp1251) {
    return PathFromUtf8(Cp1251ToUtf8(cp1251));
}

std::string PathToText(const std::filesystem::path& path) {
    std::string utf8 = PathToUtf8(path);
    return Utf8ToCp1251(utf8).value_or(std::move(utf8));
}

std::string PathToReadableText(const std::filesystem::path& path) {
    return Utf8ToCp1251Readable(PathToUtf8(path));
}

} // namespace kvitok
