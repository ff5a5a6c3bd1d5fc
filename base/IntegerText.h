#pragma once

#include <QStringView>

#include <optional>

namespace quillery {

// The one text-to-integer conversion of format runs, field annotation and date tests: optional
// leading spaces (U+0020 only), an optional "+" or "-", then one or more decimal digits and
// nothing after them. The value must fit a signed 32-bit integer; anything else, overflow
// included, is no integer.
std::optional<int> parseInteger(QStringView text);

// parseInteger, failing with FormatError "''<text>'' is not a valid integer value".
int integerOrThrow(QStringView text);

} // namespace quillery
