#pragma once

#include "catalogue/BookRecord.h"
#include "exchange/ImportRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <span>

namespace quillery {

// The books as BibTeX @book entries with biblatex's field names, UTF-8 without a byte-order
// mark, LF line ends. Keys are made from the books' names (ASCII, unique ignoring case).
QByteArray exportBibTeX(std::span<const BookRecord> books);

// The @book, @inbook and @incollection entries of a BibTeX or biblatex file as books; other
// entry types, and entries that do not parse, are rejected records with the reason. @string
// abbreviations are expanded and "#" concatenations joined; @preamble and @comment are skipped.
// LaTeX accents, special characters and case-protecting braces are decoded. Throws ImportError
// when the file holds no entry at all.
ImportRecords importBibTeX(QByteArrayView bytes);

// LaTeX text of a BibTeX value as plain text: accent commands ({\"o}, \"{o}, \'e, \c{c}, ...)
// and the named characters (\ss, \o, \ae, \l, ...) give their Unicode characters, \& \% \$ \#
// \_ \{ \} their characters, "~" a no-break space, "--" and "---" the en and em dash, \par a line
// break, and braces vanish.
QString decodeLatex(QStringView text);

// Plain text as a BibTeX value: the LaTeX specials escaped so that decodeLatex gives the text
// back, runs of white space made one blank, line breaks written as \par.
QString encodeLatex(QStringView text);

} // namespace quillery
