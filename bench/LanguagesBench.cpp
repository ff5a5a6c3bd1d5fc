// Parsing the language table, and resolving language texts as a report does for every
// title-like field of every book.

#include "markup/LanguageRegistry.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

using namespace quillery;

namespace {

void ParseTable(benchmark::State& state)
{
    const QByteArray text = LanguageRegistry::resourceText();
    for (auto _ : state) {
        LanguageRegistry registry = LanguageRegistry::parse(text);
        benchmark::DoNotOptimize(registry.recordCount());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(ParseTable)->Unit(benchmark::kMillisecond);

void ReadAndParseTable(benchmark::State& state)
{
    for (auto _ : state) {
        LanguageRegistry registry = LanguageRegistry::parse(LanguageRegistry::resourceText());
        benchmark::DoNotOptimize(registry.recordCount());
    }
}
BENCHMARK(ReadAndParseTable)->Unit(benchmark::kMillisecond);

// Hits in both lists, in several cases, explicit tags, and misses of each kind.
QStringList mixedTexts()
{
    return {
        QStringLiteral("English"),
        QStringLiteral("swedish"),
        QStringLiteral("GERMAN"),
        QStringLiteral("Klingon"),
        QStringLiteral("Mandarin Chinese"),
        QStringLiteral("France"),
        QStringLiteral("Norwegian Bokm\u00e5l"),
        QStringLiteral("English (en-GB)"),
        QStringLiteral("Engelska (en)"),
        QStringLiteral("Elvish"),
        QStringLiteral(" English"),
        QStringLiteral("NORWEGIAN BOKM\u00c5L"),
        QStringLiteral("Some language nobody has heard of"),
        QStringLiteral(""),
        QStringLiteral("Latin"),
        QStringLiteral("Spanish"),
    };
}

void LanguageTagOfMillion(benchmark::State& state)
{
    const LanguageRegistry& registry = LanguageRegistry::instance();
    const QStringList texts = mixedTexts();
    constexpr int LookUps = 1'000'000;
    for (auto _ : state) {
        int found = 0;
        for (int i = 0; i < LookUps; ++i) {
            const std::optional<QString> tag = LanguageTagOf(texts[i % texts.size()], registry);
            found += tag.has_value();
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * LookUps);
}
BENCHMARK(LanguageTagOfMillion)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
