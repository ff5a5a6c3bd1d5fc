// The settings store on a large ".reg" file: loading it, finding every key and value, saving it,
// and the program's own save of its settings into it.

#include "base/FileIo.h"
#include "settings/AppSettings.h"
#include "settings/RegFileStore.h"

#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quillery;

namespace {

constexpr int KeyCount = 40000;

QString bookKey(int i)
{
    return QStringLiteral("Software\\Tollvern\\Quillery\\Catalogues\\Shelf %1\\Book %2")
        .arg(i / 100)
        .arg(i);
}

// A settings file of `keys` keys, spread over shelves of a hundred, each with a string, a number
// and a value of another kind, plus the program's own keys.
QByteArray settingsFile(int keys)
{
    QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n");
    for (int i = 0; i < keys; ++i) {
        text += u"[HKEY_CURRENT_USER\\" + bookKey(i) + u"]\r\n";
        text += QStringLiteral("\"Title\"=\"Stra\u00dfen der Zeit, Band %1\"\r\n").arg(i);
        text += QStringLiteral("\"Count\"=dword:%1\r\n").arg(i, 8, 16, QLatin1Char('0'));
        text += QStringLiteral("\"Data\"=hex:01,02,03,04\r\n\r\n");
    }
    return utf8Bom() + text.toUtf8();
}

// A file in a fresh folder, holding the settings file of KeyCount keys.
struct SettingsFile {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Quillery.reg"));
    SettingsFile() { writeWholeFile(path, settingsFile(KeyCount)); }
};

void LoadSettingsFile(benchmark::State& state)
{
    const SettingsFile file;
    for (auto _ : state) {
        RegFileStore store(file.path);
        benchmark::DoNotOptimize(&store);
    }
    state.SetItemsProcessed(state.iterations() * KeyCount);
}
BENCHMARK(LoadSettingsFile)->Unit(benchmark::kMillisecond);

void LookUpEveryKey(benchmark::State& state)
{
    const SettingsFile file;
    RegFileStore store(file.path);
    for (auto _ : state) {
        for (int i = 0; i < KeyCount; ++i) {
            const auto key = store.openKey(bookKey(i), SettingsStore::Open::Existing);
            benchmark::DoNotOptimize(key->readString(QStringLiteral("title")));
        }
    }
    state.SetItemsProcessed(state.iterations() * KeyCount);
}
BENCHMARK(LookUpEveryKey)->Unit(benchmark::kMillisecond);

void SaveSettingsFile(benchmark::State& state)
{
    const SettingsFile file;
    RegFileStore store(file.path);
    for (auto _ : state)
        store.flush();
    state.SetItemsProcessed(state.iterations() * KeyCount);
}
BENCHMARK(SaveSettingsFile)->Unit(benchmark::kMillisecond);

// What closing the window does: the settings written into the store (the list keys deleted and
// written anew), then the file saved.
void SaveAppSettingsIntoLargeFile(benchmark::State& state)
{
    const SettingsFile file;
    RegFileStore store(file.path);
    const AppSettings settings = LoadAppSettings(store);
    for (auto _ : state)
        SaveAppSettings(store, settings);
    state.SetItemsProcessed(state.iterations() * KeyCount);
}
BENCHMARK(SaveAppSettingsIntoLargeFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
