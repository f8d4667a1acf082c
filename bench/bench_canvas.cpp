// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QImage>

#include "gfx/qt/qt_surface.h"
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

// The five-row scene as the canvas widget draws it at 1920 x 1080 device pixels: in normal
// mode, in presentation mode (a 960 x 540 plane magnified twice, smoothed pens, the palette,
// 教材记法: typeset captions placed apart), in normal mode with 教材记法 and in normal mode at
// a device pixel ratio of 2. Presentation should stay within twice the normal repaint.
void styled(benchmark::State& state, bool presentation, double dpr, bool textbook = false) {
    Document doc;
    doc.view.presentation = presentation;
    doc.view.textbook = textbook;
    sample::enterFiveRows(doc);
    const double m = presentation ? kPresentationMagnification : 1.0;
    doc.canvas.resize(static_cast<int>(kW / m), static_cast<int>(kH / m));
    QImage image(static_cast<int>(kW * dpr), static_cast<int>(kH * dpr), QImage::Format_RGB32);
    QtSurface s(&image, presentation ? presentationStyle(dpr) : normalStyle(dpr));
    for (auto _ : state) {
        paintDocument(s, doc);
        benchmark::DoNotOptimize(image.constBits());
    }
}
void S5_Normal(benchmark::State& st) { styled(st, false, 1.0); }
void S5_Presentation(benchmark::State& st) { styled(st, true, 1.0); }
void S5_NormalRatio2(benchmark::State& st) { styled(st, false, 2.0); }
void S5_Textbook(benchmark::State& st) { styled(st, false, 1.0, true); }

// A drag message in presentation mode, as S5_DragMessage in normal mode.
void S5_PresentationDrag(benchmark::State& state) {
    Document doc;
    doc.view.presentation = true;
    sample::enterFiveRows(doc);
    doc.canvas.resize(kW / 2, kH / 2);
    QImage image(kW, kH, QImage::Format_RGB32), screen(kW, kH, QImage::Format_RGB32);
    QtSurface s(&image, presentationStyle(1.0));
    doc.canvas.press(250, 250);
    int x = 250, step = 3;
    for (auto _ : state) {
        x += step;
        if (x > 700 || x < 250) step = -step;
        doc.canvas.move(x, 250, doc.view.pixelsPerUnit);
        paintDocument(s, doc);
        screen = image.copy();
        benchmark::DoNotOptimize(screen.constBits());
    }
}

} // namespace

BENCHMARK(S5_Normal)->Unit(benchmark::kMillisecond);
BENCHMARK(S5_Presentation)->Unit(benchmark::kMillisecond);
BENCHMARK(S5_NormalRatio2)->Unit(benchmark::kMillisecond);
BENCHMARK(S5_Textbook)->Unit(benchmark::kMillisecond);
BENCHMARK(S5_PresentationDrag)->Unit(benchmark::kMillisecond);
BENCHMARK(S0_Empty)->Unit(benchmark::kMillisecond);
BENCHMARK(S5_Scale20)->Unit(benchmark::kMillisecond);
BENCHMARK(S5_Scale4)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(S5_Through, RecordingSurface)->Arg(20)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(S5_Through, NullSurface)->Arg(20)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(S5_DragMessage)->Unit(benchmark::kMillisecond);
