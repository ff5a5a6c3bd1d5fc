#include "format/Legend.h"

#include <gtest/gtest.h>

using namespace quillery;

TEST(Legend, ListsEveryCodeInOrder)
{
    const QStringList lines = formatLegendLines();
    ASSERT_EQ(lines.size(), 35);
    EXPECT_EQ(lines.first(), QStringLiteral("%A\tAuthor"));
    EXPECT_EQ(lines[7], QStringLiteral("%i\tPosition (of the book in a series of books)"));
    EXPECT_EQ(lines[13], QStringLiteral("%Lnnn\tDatabase link nnn (e.g. %L001)"));
    EXPECT_EQ(lines[23], QStringLiteral("%?\tThe string \"Translation\" if the work is a "
                                        "translation, the empty string otherwise."));
    EXPECT_EQ(lines.last(), QStringLiteral("%xNNNN\tUnicode character with hexadecimal codepoint "
                                           "NNNN (e.g. %x000D%x000A or %x0009)"));
}

TEST(Legend, LinkLegendLeavesOutLinksAndTheTranslationMarker)
{
    const QStringList lines = linkLegendLines();
    EXPECT_FALSE(lines.join(u'\n').contains(QStringLiteral("%Lnnn")));
    EXPECT_FALSE(lines.join(u'\n').contains(QStringLiteral("%?")));
    EXPECT_EQ(lines.last(), QStringLiteral("All arguments will be URL-encoded."));
    EXPECT_EQ(lines[lines.size() - 2], QString());
    // Long descriptions continue on lines of their own, under the description column.
    const qsizetype i = lines.indexOf(QStringLiteral("%F\tFull title (title"));
    ASSERT_GE(i, 0);
    EXPECT_EQ(lines[i + 1], QStringLiteral("\tand subtitle)"));
    for (const QString& line : lines)
        EXPECT_LE(line.section(u'\t', 1).size(), 18) << line.toStdString();
}
