#pragma once

#include <QString>
#include <QValidator>

#include <optional>
#include <string>

class QLineEdit;

namespace kvitok {

// Texts inside the program are windows-1251; Qt speaks UTF-16. These convert at the view's edge.
QString FromCp1251(const std::string& text);
// Nothing when the text holds a character windows-1251 cannot represent.
std::optional<std::string> ToCp1251(const QString& text);

// Refuses at the keyboard (and on paste) any character windows-1251 cannot hold and, for a
// digits-only field, any new character but 0-9. A value the program itself put into a digits
// field (a hand-edited profile, say) may hold other characters; the user can still delete them.
class Cp1251Validator : public QValidator {
public:
    Cp1251Validator(QLineEdit* edit, bool digitsOnly);
    State validate(QString& input, int& pos) const override;
    // The text the program put into the field, which the next edit is measured against.
    void SetBaseline(const QString& text) { m_baseline = text; }

private:
    bool m_digitsOnly;
    // The last text of the field: QLineEdit already holds the edited text while validating.
    mutable QString m_baseline;
};

} // namespace kvitok
