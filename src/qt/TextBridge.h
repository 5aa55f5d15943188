#pragma once

#include <QString>

#include <optional>
#include <string>

namespace kvitok {

// Texts inside the program are windows-1251; Qt speaks UTF-16. These convert at the view's edge.
QString FromCp1251(const std::string& text);
// Nothing when the text holds a character windows-1251 cannot represent.
std::optional<std::string> ToCp1251(const QString& text);

} // namespace kvitok
