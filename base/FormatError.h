#pragma once

#include "base/Errors.h"

namespace quillery {

// The failure of a format run. The message is exactly what the user is shown; the position (the
// 1-based position of the offending token in UTF-16 code units, 0 when the error has none) is
// already part of the message where the message names one.
class FormatError final : public Error {
public:
    explicit FormatError(QString message, int position = 0)
        : Error(std::move(message)), m_position(position)
    {}

    int position() const noexcept { return m_position; }

private:
    int m_position;
};

} // namespace quillery
