#include "TextBridge.h"

#include "text/Cp1251.h"

namespace kvitok {

QString FromCp1251(const std::string& text) {
    const std::string utf8 = Cp1251ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> ToCp1251(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp1251(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace kvitok
