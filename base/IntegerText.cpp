#include "base/IntegerText.h"

#include "base/FormatError.h"
#include "base/TextCodec.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quillery {

std::optional<int> parseInteger(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == n)
        return std::nullopt;
    // Accumulate the magnitude in 64 bits and stop as soon as it cannot fit any more.
    const std::int64_t limit = negative ? -std::int64_t(std::numeric_limits<int>::min())
                                        : std::int64_t(std::numeric_limits<int>::max());
    std::int64_t magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int integerOrThrow(QStringView text)
{
    if (const std::optional<int> value = parseInteger(text))
        return *value;
    throw FormatError(QStringLiteral("''%1'' is not a valid integer value").arg(text.toString()));
}

int readBase16(QStringView text)
{
    constexpr std::int64_t largest = std::numeric_limits<int>::max();
    std::int64_t value = 0;
    for (const QChar c : text) {
        if (c == u'#' || c == u'$')
            continue;
        const int digit = base36DigitValue(c);
        if (digit < 0)
            throw FormatError(QStringLiteral("Invalid base-N digit: ") + c);
        if (digit >= 16)
            throw FormatError(QStringLiteral("The base-N digit ") + c +
                              QStringLiteral(" is not used in base 16."));
        value = std::min(value * 16 + digit, largest);
    }
    return static_cast<int>(value);
}

} // namespace quillery
