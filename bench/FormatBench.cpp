// Throughput of the format interpreter: the richest default reference format over a varied set
// of books with microdata and lang attributes on, and every default link template.

#include "format/FormatEngine.h"
#include "markup/DataLinks.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace quillery;

namespace {

const QString kSixthDefaultFormat = QStringLiteral(
    "<p>%A(Y.F(E.P,e(i.p(y\". ISBN \"N(B(t(U\" (| pages)\"n\" Translated from \"O\" by \"r\". "
    "Original title: \"o</p>\"<p class=\"\"comment\"\">|</p>\"c");

std::vector<BookRecord> sampleBooks()
{
    const char* authors[] = {
        "Austen, Jane",       "Lindqvist, Åsa; Berg, Nils",   "(Världshälsoorganisationen)",
        "Dostoevsky, Fyodor", "Müller, Jürgen & Weiß, Käthe", ""};
    const char* titles[] = {"Emma",
                            "Stormens hav",
                            "Straßen der Zeit",
                            "Crime & Punishment",
                            "ノルウェイの森",
                            "A <very> long title with many words in it"};
    const char* languages[] = {"English", "Swedish (sv)", "German", "Russian", "Japanese (ja)", ""};
    const char* bindings[] = {"Paperback", "inbunden", "e-book", "Hardcover", "spiral", ""};
    const char* years[] = {"1815", "2004-09", "2011-W07", "1866-11-30", "c. 1850", ""};
    std::vector<BookRecord> books;
    for (int i = 0; i < 64; ++i) {
        BookRecord r;
        r[Field::Author] = QString::fromUtf8(authors[i % 6]);
        r[Field::Title] = QString::fromUtf8(titles[(i / 2) % 6]);
        r[Field::Subtitle] = i % 3 ? QStringLiteral("A Novel") : QString();
        r[Field::YearWritten] = QString::fromUtf8(years[i % 6]);
        r[Field::YearPrinted] = QString::fromUtf8(years[(i + 3) % 6]);
        r[Field::Edition] = i % 4 ? QString() : QStringLiteral("Second Edition");
        r[Field::Series] = i % 5 ? QString() : QStringLiteral("Northern Classics");
        r[Field::Position] = i % 5 ? QString() : QString::number(i % 9 + 1);
        r[Field::Publisher] = QStringLiteral("North Press");
        r[Field::Printed] = QStringLiteral("Uppsala");
        r[Field::ISBN] = QStringLiteral("91-7054-940-%1").arg(i % 10);
        r[Field::NumPages] = QString::number(100 + i * 7);
        r[Field::Binding] = QString::fromUtf8(bindings[i % 6]);
        r[Field::Language] = QString::fromUtf8(languages[(i / 3) % 6]);
        r[Field::Comments] = i % 2 ? QStringLiteral("Signed by the author.") : QString();
        if (i % 4 == 1) {
            r.setTranslation(true);
            r[Field::OriginalLanguage] = QStringLiteral("Swedish");
            r[Field::Translator] = QStringLiteral("Roe, John");
            r[Field::OriginalTitle] = QStringLiteral("Den stilla hamnen");
        }
        books.push_back(r);
    }
    return books;
}

void BM_ReferenceWithMicrodata(benchmark::State& state)
{
    const std::vector<BookRecord> books = sampleBooks();
    FormatContext context;
    context.report.microdata = true;
    context.report.useLangForTitle = true;
    context.dataLinkTemplates = defaultDataLinkTemplates();
    size_t i = 0;
    for (auto _ : state) {
        QString out =
            FormatEngine::formatRecord(kSixthDefaultFormat, books[i++ % books.size()], context);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReferenceWithMicrodata);

void BM_ReferencePlain(benchmark::State& state)
{
    const std::vector<BookRecord> books = sampleBooks();
    FormatContext context;
    size_t i = 0;
    for (auto _ : state) {
        QString out =
            FormatEngine::formatRecord(kSixthDefaultFormat, books[i++ % books.size()], context);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReferencePlain);

void BM_DefaultLinks(benchmark::State& state)
{
    const std::vector<BookRecord> books = sampleBooks();
    FormatContext context;
    context.dataLinkTemplates = defaultDataLinkTemplates();
    size_t i = 0;
    for (auto _ : state) {
        QStringList lines;
        buildDataLinks(books[i++ % books.size()], context, lines);
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * context.dataLinkTemplates.size());
}
BENCHMARK(BM_DefaultLinks);

} // namespace
BENCHMARK_MAIN();
