// SPDX-License-Identifier: GPL-3.0-or-later
// Animation frames: the five-row scene with the ellipse's b moving one step a frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "app/main_window.h"
#include "dialogs/coefficient_sliders.h"
#include "gfx/qt/qt_surface.h"
#include "plot/canvas_scene.h"
#include "plot/sampling.h"
#include "res/command_ids.h"
#include "sample_scenes.h"

using namespace yhb;

namespace {

// One frame as the program makes it: the slider step reapplies the row through the form
// logic, rebuilds its label, and the main window lays out its panel, draws the labels and
// the canvas and hands the images to its widgets, including the paints that the event loop
// does before the next step. The client is W x H, as on a screen of that size; in full
// screen the canvas is.
void Frame(benchmark::State& state, bool fullScreen) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    Catalogue none;
    RecordingNotifier notifier;
    MainWindow window(none, notifier);
    window.resizeClient(w, h);
    sample::enterFiveRows(window.document());
    if (fullScreen) window.command(Command::MainFullScreen);
    QApplication::processEvents();
    window.runParameterDialog = [&](ParameterDialog& d) {
        d.show();
        QApplication::processEvents();
        QSlider* b = d.slider(1);
        int v = b->value(), step = 1;
        for (auto _ : state) {
            if (v + step > b->maximum() || v + step < b->minimum()) step = -step;
            v += step;
            b->setValue(v); // what the animation's step does
            QApplication::processEvents();
        }
        d.reject();
    };
    window.modifyRow(0);
    state.counters["canvas_w"] = window.canvas()->width();
    state.counters["canvas_h"] = window.canvas()->height();
}

// The canvas alone at W x H: b changes every frame, so the ellipse is evaluated again while
// the other curves' samples are kept. With `fresh`, nothing is kept: every curve is evaluated.
void Repaint(benchmark::State& state, bool fresh) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    Document doc;
    sample::enterFiveRows(doc);
    doc.canvas.resize(w, h);
    QImage image(w, h, QImage::Format_RGB32);
    QtSurface s(&image);
    s.setOrigin(doc.canvas.originX, doc.canvas.originY);
    s.setBkMode(BkMode::Transparent);
    int step = 0;
    for (auto _ : state) {
        doc.table.slot(0).params[1] = 4 + 0.1 * (step++ % 20);
        if (fresh) clearSampleCache();
        paintCanvas(s, doc.table, doc.view, w, h);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void FrameWindow(benchmark::State& state) { Frame(state, false); }
void FrameFullScreen(benchmark::State& state) { Frame(state, true); }

void RepaintKept(benchmark::State& state) { Repaint(state, false); }
void RepaintFresh(benchmark::State& state) { Repaint(state, true); }

} // namespace

BENCHMARK(FrameWindow)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FrameFullScreen)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RepaintKept)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(RepaintFresh)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
