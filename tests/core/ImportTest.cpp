#include "exchange/Import.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;
using quillery::test::s;

namespace {

const QDateTime kWhen(QDate(2026, 12, 8), QTime(9, 30));

ImportRecord record(std::initializer_list<std::pair<Field, const char*>> fields,
                    const char* location = "line 2")
{
    ImportRecord r;
    for (const auto& [field, value] : fields)
        r.book[field] = s(value);
    r.location = s(location);
    return r;
}

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_cat = withTrailingSeparator(m_dir.path());
    }

    // A book of the catalogue, written as the program writes it.
    BookRecord addBook(const char* name,
                       std::initializer_list<std::pair<Field, const char*>> fields)
    {
        BookRecord r;
        for (const auto& [field, value] : fields)
            r[field] = s(value);
        writeBookFile(bookFilePath(m_cat, s(name)), r, kWhen, s("1.2.0.0"));
        r[Field::ID] = s(name);
        return r;
    }

    QTemporaryDir m_dir;
    QString m_cat;
};

} // namespace

TEST(ImportNames, AreAuthorAndTitleMadeIntoValidFileNames)
{
    using enum Field;
    struct Case {
        std::initializer_list<std::pair<Field, const char*>> fields;
        const char* name;
    };
    const Case cases[] = {
        {{{Author, "Tolkien, J. R. R.; Lee, Alan"}, {Title, "The Hobbit"}}, "Tolkien - The Hobbit"},
        {{{Author, "World Health Organization *"}, {Title, "Report"}},
         "World Health Organization - Report"},
        {{{Author, "Mary Ann Smith"}}, "Mary Ann Smith"},
        {{{Title, "Dune: Messiah / Part 2?"}}, "Dune - Messiah - Part 2"},
        {{{Title, "..hidden \"quoted\" <tag> a|b*c\\d."}}, "hidden 'quoted' tag a-b c-d"},
        {{{ISBN, "123"}}, "Book"},
        {{{ID, "Own name"}, {Title, "Other"}}, "Own name"},
    };
    for (const Case& c : cases) {
        BookRecord b;
        for (const auto& [field, value] : c.fields)
            b[field] = s(value);
        EXPECT_EQ(importBookName(b), s(c.name));
    }
    BookRecord longTitle;
    longTitle[Field::Title] = QString(300, QChar(0x00E9));
    EXPECT_EQ(importBookName(longTitle).toUtf8().size(), 200);
}

TEST_F(ImportTest, FindsDuplicatesByIsbnInEitherFormAndByFoldedAuthorAndTitle)
{
    const std::vector<BookRecord> catalogue = {
        addBook("Old", {{Field::ISBN, "0-306-40615-2"}}),
        addBook("Müller", {{Field::Author, "Müller, Jürgen"}, {Field::Title, "Straßen"}}),
    };
    ImportRecords records;
    records.push_back(record({{Field::ISBN, "978-0306406157"}, {Field::Title, "New"}}, "line 2"));
    records.push_back(
        record({{Field::Author, "MULLER, jurgen"}, {Field::Title, "straßen"}}, "line 3"));
    records.push_back(record({{Field::Title, "Fresh"}, {Field::ISBN, "9780441172719"}}, "line 4"));
    records.push_back(record({{Field::Title, "Again"}, {Field::ISBN, "0441172717"}}, "line 5"));
    records.push_back(record({}, "line 6"));
    records.push_back(record({{Field::Title, "Bad"}}, "line 7"));
    records.back().rejection = s("The row has 3 cells, the header row 2.");

    const ImportPlan skip = planImport(m_cat, catalogue, records, DuplicatePolicy::Skip);
    EXPECT_EQ(importStepLines(skip),
              QStringList({s("line 2: duplicate of \"Old\" (same ISBN), skipped"),
                           s("line 3: duplicate of \"Müller\" (same author and title), skipped"),
                           s("line 4: new book \"Fresh\""),
                           s("line 5: duplicate of \"Fresh\" (same ISBN), skipped"),
                           s("line 6: rejected: The record holds no book data."),
                           s("line 7: rejected: The row has 3 cells, the header row 2.")}));

    const ImportPlan all = planImport(m_cat, catalogue, records, DuplicatePolicy::Import);
    EXPECT_EQ(all.count(ImportStep::Action::Create), 4);
    EXPECT_EQ(importStepLines(all)[0],
              s("line 2: new book \"New\", a duplicate of \"Old\" (same ISBN)"));
}

TEST_F(ImportTest, NamesNeverClashWithFilesOfTheFolderOrEachOther)
{
    addBook("Emma", {});
    test::writeBytes(m_cat + s("emma (2).BOOK"), "");
    QDir(m_cat).mkdir(s("Emma (3).book"));
    ImportRecords records;
    for (int i = 0; i < 3; ++i)
        records.push_back(record({{Field::Title, "Emma"}, {Field::Comments, "x"}}));
    const ImportPlan plan = planImport(m_cat, {}, records, DuplicatePolicy::Import);
    ASSERT_EQ(plan.steps.size(), 3u);
    EXPECT_EQ(plan.steps[0].name, s("Emma (4)"));
    EXPECT_EQ(plan.steps[1].name, s("Emma (5)"));
    EXPECT_EQ(plan.steps[2].name, s("Emma (6)"));
}

TEST_F(ImportTest, WritesEachBookInTheBookFileLayoutAndNeverReplacesAFile)
{
    ImportRecords records;
    records.push_back(record(
        {{Field::Author, "Austen, Jane"}, {Field::Title, "Emma"}, {Field::Translator, "Someone"}}));
    records.push_back(record({{Field::Title, "Persuasion"}}));
    const ImportPlan plan = planImport(m_cat, {}, records, DuplicatePolicy::Skip);
    // Another program makes a file of the first name between the preview and the import.
    test::writeBytes(m_cat + s("Austen - Emma.book"), "theirs");

    const ImportResult result = runImport(plan, kWhen, s("1.2.0.0"));
    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(result.created, QStringList({s("Austen - Emma (2)"), s("Persuasion")}));
    EXPECT_EQ(test::readBytes(m_cat + s("Austen - Emma.book")), "theirs");
    BookRecord expected;
    expected[Field::Author] = s("Austen, Jane");
    expected[Field::Title] = s("Emma");
    expected[Field::Translator] = s("Someone");
    expected.setTranslation(true);
    EXPECT_EQ(test::readBytes(m_cat + s("Austen - Emma (2).book")),
              newBookFileBytes(expected, kWhen, s("1.2.0.0")));
    EXPECT_EQ(importSummaryText(result.imported, result.duplicates, result.rejected),
              s("2 books imported, 0 duplicates skipped, 0 records rejected."));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(m_cat).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST_F(ImportTest, AFailureHalfWayKeepsTheBooksWrittenAndNamesTheRecordsThatWereNot)
{
    // Books are flushed in batches of 500: the folder goes away after the first batch (another
    // program moves it), so the 501st and 502nd books cannot be written.
    ImportRecords records;
    for (int i = 1; i <= 502; ++i) {
        ImportRecord r;
        r.book[Field::Title] = QStringLiteral("Book %1").arg(i);
        r.location = QStringLiteral("line %1").arg(i + 1);
        records.push_back(r);
    }
    const ImportPlan plan = planImport(m_cat, {}, records, DuplicatePolicy::Skip);
    const QString moved = m_dir.path() + s("-moved");
    try {
        runImport(plan, kWhen, s("1.2.0.0"), [&](qsizetype done) {
            if (done == 500) {
                ASSERT_TRUE(QDir().rename(m_dir.path(), moved));
            }
        });
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith(s("Cannot create file")));
        EXPECT_TRUE(e.message().endsWith(s("500 books were imported before the failure; these "
                                           "records were not: line 502, line 503.")))
            << e.message().toStdString();
    }
    EXPECT_EQ(ReadBookRecord(moved + s("/Book 500.book"))[Field::Title], s("Book 500"));
    EXPECT_EQ(QDir(moved).entryList(QDir::Files | QDir::Hidden).size(), 500);
    QDir(moved).removeRecursively();
}
