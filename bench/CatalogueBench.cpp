// Opening a catalogue: listing, sorting and the version test, first with nothing remembered and
// then as the refresh after New Book, Rename, Duplicate or Delete, when the version test can
// rely on what it remembered for unchanged files.
//
// The catalogues are generated once under $QUILLERY_BENCH_DIR (default /tmp/quillery-bench).

#include "GeneratedCatalogue.h"
#include "catalogue/Catalogue.h"

#include <QDir>
#include <QFileInfo>

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

void BM_OpenCatalogueFirstTime(benchmark::State& state)
{
    const QString dir = catalogueOf(int(state.range(0)));
    for (auto _ : state) {
        VersionTestCache cache;
        const QStringList names = listBookNames(dir);
        const bool old = cache.catalogueHasVersion10Files(dir, names);
        benchmark::DoNotOptimize(old);
        if (names.size() != state.range(0))
            state.SkipWithError("unexpected book count");
    }
}
BENCHMARK(BM_OpenCatalogueFirstTime)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RefreshCatalogue(benchmark::State& state)
{
    const QString dir = catalogueOf(int(state.range(0)));
    VersionTestCache cache;
    cache.catalogueHasVersion10Files(dir, listBookNames(dir));
    for (auto _ : state) {
        const QStringList names = listBookNames(dir);
        const bool old = cache.catalogueHasVersion10Files(dir, names);
        benchmark::DoNotOptimize(old);
    }
}
BENCHMARK(BM_RefreshCatalogue)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

void BM_ListAndSort(benchmark::State& state)
{
    const QString dir = catalogueOf(int(state.range(0)));
    for (auto _ : state) {
        const QStringList names = listBookNames(dir);
        benchmark::DoNotOptimize(names);
    }
}
BENCHMARK(BM_ListAndSort)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortOnly(benchmark::State& state)
{
    const QStringList names = listBookNames(catalogueOf(int(state.range(0))));
    for (auto _ : state) {
        QStringList copy = names;
        std::reverse(copy.begin(), copy.end());
        sortBookNames(copy);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_SortOnly)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
BENCHMARK_MAIN();
