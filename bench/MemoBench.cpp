// Loading a book whose comments are one megabyte without a blank into the window's editor, and
// the same size of ordinary words: the memo must lay either out in well under a second.

#include "catalogue/BookFile.h"
#include "settings/RegFileStore.h"
#include "ui/MainWin.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quillery;

namespace {

void loadComments(benchmark::State& state, const QString& comments)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    BookRecord big;
    big[Field::Comments] = comments;
    writeBookFile(folder + QStringLiteral("Big.book"), big);
    writeBookFile(folder + QStringLiteral("Small.book"), BookRecord());
    ui::TmainFrm window(std::make_unique<RegFileStore>(dir.filePath(QStringLiteral("s.reg"))));
    window.show();
    QCoreApplication::processEvents();
    window.OpenCatalogue(folder);
    for (auto _ : state) {
        window.selectBook(QStringLiteral("Big"));
        QCoreApplication::processEvents();
        window.selectBook(QStringLiteral("Small"));
        QCoreApplication::processEvents();
    }
}

void BM_CommentsOfOneMegabyteWithoutBlanks(benchmark::State& state)
{
    loadComments(state, QString(1024 * 1024, u'x'));
}
BENCHMARK(BM_CommentsOfOneMegabyteWithoutBlanks)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CommentsOfOneMegabyteOfWords(benchmark::State& state)
{
    QString words;
    while (words.size() < 1024 * 1024)
        words += QStringLiteral("catalogue ");
    loadComments(state, words);
}
BENCHMARK(BM_CommentsOfOneMegabyteOfWords)->Unit(benchmark::kMillisecond)->Iterations(3);

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
