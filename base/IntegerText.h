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

// Reads base-16 digits ("0" to "9", "A" to "F" in either case) as the interpreter's "%x" escape
// and the dash code box take them: "#" and "$" are skipped anywhere, the empty text is 0, and a
// value beyond the largest int stays at the largest int. Any other letter fails with FormatError
// "The base-N digit <c> is not used in base 16.", any other character with "Invalid base-N
// digit: <c>".
int readBase16(QStringView text);

} // namespace quillery
