#pragma once

#include <QString>

namespace quillery {

// The Unicode name of a code point from the program's name table ("EM DASH", "<control>",
// "Character Tabulation (HT)"), or the empty string when the table has none. Only the Basic
// Multilingual Plane is covered: negative codes and codes above U+FFFF give the empty string, and
// so do the CJK unified ideographs, the Hangul syllables, surrogates and private-use characters.
// The table is read once per process and never changes.
QString UnicodeCharName(int code);

} // namespace quillery
