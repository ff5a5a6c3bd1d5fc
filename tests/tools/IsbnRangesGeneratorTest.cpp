#include "tools/isbn/IsbnRangesGenerator.h"

#include "base/FileIo.h"
#include "catalogue/Isbn.h"

#include "TestSupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quillery;
using quillery::test::s;

TEST(IsbnRangesGenerator, WritesAPrefixLineAndAGroupLineEach)
{
    const QByteArray dat = "# generated from RangeMessage.xml\n"
                           "# file date Sun, 13 Nov 2022 16:58:20 GMT\n"
                           "978\n"
                           " 0-5,600-649\n"
                           " 0 agency=\"English language\"\n"
                           "  00-19,200-227\n"
                           "  2280-2289\n"
                           " 600 agency=\"Iran\"\n"
                           "  00-09\n";
    EXPECT_EQ(tools::generateIsbnRanges(dat),
              "# ISBN ranges of the International ISBN Agency, from python3-stdnum's "
              "stdnum/isbn.dat\n"
              "# file date Sun, 13 Nov 2022 16:58:20 GMT\n"
              "978 0-5 600-649\n"
              "978-0 00-19 200-227 2280-2289\n"
              "978-600 00-09\n");
    EXPECT_THROW(tools::generateIsbnRanges("978\n 0-5x\n# file date d\n"), tools::IsbnRangesError);
    EXPECT_THROW(tools::generateIsbnRanges("# nothing\n"), tools::IsbnRangesError);
}

// The committed table is what the generator makes of the installed package's file; skipped
// where python3-stdnum is not installed (scripts/install-deps.sh installs it).
TEST(IsbnRangesGenerator, ReproducesTheCommittedTable)
{
    const QString dat = tools::stdnumIsbnDat();
    if (!QFileInfo::exists(dat))
        GTEST_SKIP() << "python3-stdnum is not installed: " << dat.toStdString();
    EXPECT_EQ(tools::generateIsbnRanges(readWholeFile(dat)),
              readWholeFile(s(QUILLERY_SOURCE_DIR "/resources/data/isbn-ranges.txt")));
    EXPECT_EQ(tools::generateIsbnRanges(readWholeFile(dat)), IsbnRanges::resourceText());
}
