// Finding books: BookIndex::filter over 100,000 generated books, one query per keystroke's worth
// of typing, and building the index (reading and folding every book). The catalogue is generated
// once under $QUILLERY_BENCH_DIR (default /tmp/quillery-bench).

#include "GeneratedCatalogue.h"
#include "catalogue/BookIndex.h"
#include "catalogue/Catalogue.h"

#include <QDir>

#include <benchmark/benchmark.h>

using namespace quillery;

namespace {

QString catalogueOf(int count)
{
    const QByteArray root = qgetenv("QUILLERY_BENCH_DIR");
    const QString dir =
        (root.isEmpty() ? QStringLiteral("/tmp/quillery-bench") : QString::fromLocal8Bit(root)) +
        QStringLiteral("/cat%1").arg(count);
    if (QDir(dir).entryList(QDir::Files).size() < count)
        tools::generateCatalogue(dir, count);
    return dir + u'/';
}

const BookIndex& index100k()
{
    static const BookIndex index = [] {
        const QString dir = catalogueOf(100000);
        BookIndex built;
        built.build(dir, listBookNames(dir));
        return built;
    }();
    return index;
}

const char* const kQueries[] = {
    "w",                                   // the first keystroke: nearly every book
    "winter",                              // a plain word found in many books
    "qqq",                                 // a word found nowhere: every byte searched
    "müller",                              // a folded word
    "\"of stone\"",                        // a phrase
    "author:lindqvist",                    // one field
    "year:1900..1950",                     // a range
    "isbn:91-0042",                        // ISBN digits
    "title:storm -has:series pages:300..", // three terms
};

void BM_FilterIndex(benchmark::State& state)
{
    const BookIndex& index = index100k();
    const BookQuery query = BookQuery::parse(QString::fromUtf8(kQueries[state.range(0)]));
    state.SetLabel(kQueries[state.range(0)]);
    qsizetype found = 0;
    for (auto _ : state) {
        found = index.filter(query).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = double(found);
}
BENCHMARK(BM_FilterIndex)->DenseRange(0, std::size(kQueries) - 1)->Unit(benchmark::kMillisecond);

void BM_BuildIndex(benchmark::State& state)
{
    const QString dir = catalogueOf(100000);
    const QStringList names = listBookNames(dir);
    for (auto _ : state) {
        BookIndex index;
        index.build(dir, names);
        benchmark::DoNotOptimize(index);
    }
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond)->Iterations(2);

// The command line's way: every book read and matched, nothing kept.
void BM_FilterBooks(benchmark::State& state)
{
    const QString dir = catalogueOf(100000);
    const QStringList names = listBookNames(dir);
    const BookQuery query = BookQuery::parse(QString::fromUtf8(kQueries[state.range(0)]));
    state.SetLabel(kQueries[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(filterBooks(dir, names, query));
}
BENCHMARK(BM_FilterBooks)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
