#pragma once

#include <string>

namespace kvitok {

// How the composer tells the user about a failure: a modal box with the text, an OK button
// and the error icon. The dialog implements it; tests record what was shown.
class ReceiptMessages {
public:
    virtual ~ReceiptMessages() = default;
    virtual void ShowError(const std::string& text) = 0;
};

} // namespace kvitok
