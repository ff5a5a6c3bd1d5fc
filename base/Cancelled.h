#pragma once

#include <exception>

namespace quillery {

// The user chose to stop an operation, answering a question with Cancel or pressing Escape
// while it ran. Not a failure: nothing is shown, the operation just ends where it was asked.
class Cancelled final : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};

} // namespace quillery
