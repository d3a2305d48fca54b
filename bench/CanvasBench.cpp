// The main window's canvas painted offscreen into an image of the window's size, through
// the same paint event the window's backing store gets.
#include "core/model/LiveGrid.h"
#include "ui/main/PatternView.h"

#include <QApplication>
#include <QImage>
#include <QRegion>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace quom;

// Widgets need an application object and benchmark_main owns main(), so the first canvas
// benchmark makes one. It is never deleted: at exit Qt's own statics may already be gone.
void ensureApplication()
{
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quom_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// A fully painted pattern in random colours, on a canvas of the cell size a tall screen
// as wide as the benchmark's first argument gets (1024: 12 x 10 pixels, 1280: 13 x 11).
struct Canvas {
    explicit Canvas(const benchmark::State& state)
        : geometry(CanvasGeometry::forScreen(QSize(static_cast<int>(state.range(0)), 1080)))
        , view(geometry, cells)
        , image(geometry.windowWidth(), geometry.windowHeight(), QImage::Format_RGB32)
    {
        std::mt19937 gen(3);
        std::uniform_int_distribution<int> byte(0, 255);
        for (int i = 0; i < kCells; ++i)
            cells.set(i, makeCell(byte(gen), byte(gen), byte(gen)) | 1);
        view.resize(image.size());
        view.setGridShown(true);
        view.setStatusText(QStringLiteral("kick.wav"));
    }

    LiveGrid cells;
    CanvasGeometry geometry;
    PatternView view;
    QImage image;
};

// What the window paints when it is exposed or the whole pattern changes.
void canvasFullRepaint(benchmark::State& state)
{
    ensureApplication();
    Canvas canvas(state);
    for (auto _ : state) {
        canvas.view.render(&canvas.image);
        benchmark::DoNotOptimize(canvas.image.constBits());
    }
}
BENCHMARK(canvasFullRepaint)->ArgName("screen")->Arg(1024)->Arg(1280)->Unit(benchmark::kMillisecond);

// What the window paints at each step while playing: the marker leaving one column for
// the next.
void canvasMarkerStep(benchmark::State& state)
{
    ensureApplication();
    Canvas canvas(state);
    int column = 0;
    for (auto _ : state) {
        const int next = (column + 1) % kColumns;
        const QRegion dirty = QRegion(canvas.geometry.markerRect(column)) + canvas.geometry.markerRect(next);
        canvas.view.setMarkerColumn(next);
        canvas.view.render(&canvas.image, dirty.boundingRect().topLeft(), dirty);
        benchmark::DoNotOptimize(canvas.image.constBits());
        column = next;
    }
}
BENCHMARK(canvasMarkerStep)->ArgName("screen")->Arg(1024)->Arg(1280)->Unit(benchmark::kMicrosecond);

} // namespace
