#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace quillery::tools {

// A ranges file that is not what the generator expects.
class IsbnRangesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The "ISBNRANGES" table from the range file that Debian's python3-stdnum ships (stdnum/isbn.dat,
// made from the International ISBN Agency's RangeMessage.xml): a header naming its source and
// date, then for each prefix a line "PREFIX GROUPRANGE ..." and for each registration group a line
// "PREFIX-GROUP REGISTRANTRANGE ...", in the order of the file. Lines end in LF.
QByteArray generateIsbnRanges(const QByteArray& isbnDat);

// The ranges file of an installed python3-stdnum: /usr/lib/python3/dist-packages/stdnum/isbn.dat.
QString stdnumIsbnDat();

} // namespace quillery::tools
