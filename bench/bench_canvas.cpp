#include <benchmark/benchmark.h>

#include <QImage>

#include "gfx/qt_surface.h"
#include "gfx/recording_surface.h"
#include "plot/canvas_scene.h"
#include "sample_scenes.h"

using namespace yhb;

namespace {

constexpr int kW = 1920, kH = 1080;

void scene(Document& doc, bool rows, int scale) {
    doc.view.pixelsPerUnit = scale;
    if (rows) sample::enterFiveRows(doc);
    doc.canvas.resize(kW, kH);
}

void repaint(benchmark::State& state, bool rows, int scale) {
    Document doc;
    scene(doc, rows, scale);
    QImage image(kW, kH, QImage::Format_RGB32);
    QtSurface s(&image);
    s.setOrigin(doc.canvas.originX, doc.canvas.originY);
    s.setBkMode(BkMode::Transparent);
    for (auto _ : state) {
        paintCanvas(s, doc.table, doc.view, kW, kH);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void S0_Empty(benchmark::State& st) { repaint(st, false, 20); }
void S5_Scale20(benchmark::State& st) { repaint(st, true, 20); }
void S5_Scale4(benchmark::State& st) { repaint(st, true, 4); }

template <class S>
void S5_Through(benchmark::State& state) {
    Document doc;
    scene(doc, true, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        S s;
        paintDocument(s, doc);
        benchmark::ClobberMemory();
    }
}

// One drag message: the origin moves, the whole scene is drawn, the image goes to the screen
// (a copy, as the widget's paint hands it over).
void S5_DragMessage(benchmark::State& state) {
    Document doc;
    scene(doc, true, 20);
    QImage image(kW, kH, QImage::Format_RGB32), screen(kW, kH, QImage::Format_RGB32);
    QtSurface s(&image);
    s.setBkMode(BkMode::Transparent);
    doc.canvas.press(500, 500);
    int x = 500, step = 3;
    for (auto _ : state) {
        x += step;
        if (x > 1400 || x < 500) step = -step;
        if (doc.canvas.move(x, 500, doc.view.pixelsPerUnit)) s.setOrigin(doc.canvas.originX, doc.canvas.originY);
        paintCanvas(s, doc.table, doc.view, kW, kH);
        screen = image.copy();
        benchmark::DoNotOptimize(screen.constBits());
    }
}

} // namespace

BENCHMARK(S0_Empty)->Unit(benchmark::kMillisecond);
BENCHMARK(S5_Scale20)->Unit(benchmark::kMillisecond);
BENCHMARK(S5_Scale4)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(S5_Through, RecordingSurface)->Arg(20)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(S5_Through, NullSurface)->Arg(20)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(S5_DragMessage)->Unit(benchmark::kMillisecond);
