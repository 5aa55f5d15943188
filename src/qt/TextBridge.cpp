#include "TextBridge.h"

#include "text/Cp1251.h"

#include <QLineEdit>

#include <algorithm>

namespace kvitok {

QString FromCp1251(const std::string& text) {
    const std::string utf8 = Cp1251ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> ToCp1251(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp1251(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

namespace {

qsizetype CountNonDigits(const QString& text) {
    return std::count_if(text.begin(), text.end(), [](QChar c) {
        return c < u'0' || c > u'9';
    });
}

} // namespace

Cp1251Validator::Cp1251Validator(QLineEdit* edit, bool digitsOnly)
    : QValidator(edit), m_digitsOnly(digitsOnly), m_baseline(edit->text()) {}

QValidator::State Cp1251Validator::validate(QString& input, int& /*pos*/) const {
    for (const QChar c : input) {
        if (c.isSurrogate() || !IsCp1251Representable(c.unicode())) {
            return Invalid;
        }
    }
    if (m_digitsOnly && CountNonDigits(input) > CountNonDigits(m_baseline)) {
        return Invalid;
    }
    m_baseline = input;
    return Acceptable;
}

} // namespace kvitok
