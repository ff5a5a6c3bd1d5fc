// Opening a catalogue of 100,000 books in the window (Qt's offscreen platform), from the command
// until the list is shown and can be used: the listing, the version test and the list filled.
// The filter's index is read in the background meanwhile; each run waits for it untimed.

#include "GeneratedCatalogue.h"
#include "session/Session.h"
#include "settings/RegFileStore.h"
#include "ui/MainWin.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

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

void BM_OpenCatalogueInWindow(benchmark::State& state)
{
    const QString catalogue = catalogueOf(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        // A new window each time, started on an empty folder: nothing of the catalogue is
        // remembered.
        QTemporaryDir empty;
        ui::TmainFrm window(
            std::make_unique<RegFileStore>(empty.filePath(QStringLiteral("s.reg"))));
        window.show();
        window.OpenCatalogue(empty.path());
        QCoreApplication::processEvents();
        state.ResumeTiming();

        window.OpenCatalogue(catalogue);
        QCoreApplication::processEvents();

        state.PauseTiming();
        if (window.session().bookNames().size() != state.range(0))
            state.SkipWithError("unexpected book count");
        while (window.session().bookIndexPending())
            QThread::msleep(10);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenCatalogueInWindow)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
