#pragma once

#include <QString>
#include <QStringView>

namespace quillery {

// LaTeX text of a BibTeX value as plain text: accent commands ({\"o}, \"{o}, \'e, \c{c}, ...)
// and the named characters (\ss, \o, \ae, \l, ...) give their Unicode characters, \& \% \$
// \# \_ \{ \} their characters, "~" a no-break space, "--" and "---" the en and em dash, ``
// and '' the quotation marks, \par and \\ a line break (CR LF), and braces vanish; other
// commands leave their arguments. Runs of white space become one blank, none next to a line
// break; control characters are dropped.
QString decodeLatex(QStringView text);

// Plain text as a BibTeX value: the LaTeX specials escaped so that decodeLatex gives the text
// back, runs of white space made one blank, line breaks written as \par, control characters
// dropped. Braces that do not pair up are written as \textbraceleft{} and \textbraceright{},
// since BibTeX counts escaped braces too.
QString encodeLatex(QStringView text);

// White space as BibTeX reads it in values: blank, tab, line feed, carriage return, form feed,
// vertical tab.
bool isLatexSpace(QChar c);
// Runs of that white space as one blank, none at either end.
QString collapseLatexSpace(QStringView text);

} // namespace quillery
