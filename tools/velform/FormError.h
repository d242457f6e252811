#pragma once
#include <stdexcept>
#include <string>

namespace velform {

// A fault of the form or of the host's work on it (a bad declaration, a control
// that cannot be created), reported to the user as text.
class FormError : public std::runtime_error {
public:
    explicit FormError(std::wstring message) : std::runtime_error("form error"), message_(std::move(message)) {}
    const std::wstring& Message() const { return message_; }

private:
    std::wstring message_;
};

}  // namespace velform
