// What a start costs before the first window: the form built over the dialog logic, the about box
// built and shown, the window icon, Qt's Russian texts. Runs offscreen.
#include "FakePlatform.h"
#include "qt/AboutDialog.h"
#include "qt/Emblem.h"
#include "qt/MainWindow.h"

#include "form/MainDialog.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTranslator>
#include <benchmark/benchmark.h>

namespace {

using kvitok::testing::FakePlatform;

// The dialog initialises and its form is built, as at every start; the about box is a fake here.
void BM_BuildMainWindow(benchmark::State& state) {
    const QTemporaryDir dir;
    const std::string database = (dir.path() + QStringLiteral("/insurers.db")).toStdString();
    for (auto _ : state) {
        FakePlatform platform;
        kvitok::MainDialog dialog(platform.Services(), database);
        kvitok::MainWindow window(dialog);
        window.Start();
        benchmark::DoNotOptimize(window.winId());
    }
}
BENCHMARK(BM_BuildMainWindow)->Unit(benchmark::kMillisecond);

void BM_ShowAboutBox(benchmark::State& state) {
    for (auto _ : state) {
        kvitok::AboutDialog about;
        about.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(about.isVisible());
    }
}
BENCHMARK(BM_ShowAboutBox)->Unit(benchmark::kMillisecond);

// Every size a window hands to the window system, drawn from nothing.
void BM_WindowIcon(benchmark::State& state) {
    for (auto _ : state) {
        const QIcon icon = kvitok::AppIcon();
        for (const QSize& size : icon.availableSizes()) {
            benchmark::DoNotOptimize(icon.pixmap(size).cacheKey());
        }
    }
}
BENCHMARK(BM_WindowIcon)->Unit(benchmark::kMicrosecond);

void BM_LoadQtTranslations(benchmark::State& state) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (auto _ : state) {
        QTranslator texts;
        benchmark::DoNotOptimize(texts.load(QStringLiteral("qtbase_ru"), folder));
    }
}
BENCHMARK(BM_LoadQtTranslations)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
