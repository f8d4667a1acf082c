// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QImage>
#include <chrono>
#include <map>

#include "bank/question_navigator.h"
#include "bank/question_reader.h"
#include "gfx/qt/qt_surface.h"
#include "res/command_ids.h"
#include "sample_scenes.h"
#include "test_util.h"

using namespace yhb;

namespace {

// Read + measure + draw of a generated question, as the window does for a new question.
void Q_ReadMeasureDraw(benchmark::State& state) {
    TempDir d;
    d.write("q.txt", sample::generatedQuestion(static_cast<std::size_t>(state.range(0)) * 1024));
    CategoryPtr c = newCategory("q", 0, 0);
    addQuestion(*c, d / "q.txt");
    QImage image(800, 600, QImage::Format_RGB32);
    QtSurface s(&image);
    for (auto _ : state) {
        readQuestion(*c, 0);
        c->questionList.setFontSize(20, 36);
        c->answerList.setFontSize(20, 36);
        // Not const: Google Benchmark 1.9 (Debian 13) deprecates DoNotOptimize of a const value.
        int h = c->headerList.measure(800) + c->questionList.measure(800) + c->answerList.measure(800);
        int y = c->headerList.draw(s, 0, 0, 800, 600);
        y = c->questionList.draw(s, 0, y, 800, 600);
        c->answerList.draw(s, 0, y, 800, 600);
        benchmark::DoNotOptimize(h);
    }
    state.counters["KB"] = static_cast<double>(state.range(0));
}

// Read + layout of a large question, up to the reader's 16 MiB bound, in a category that
// has not held it before: its lists grow from 800 entries to millions of items, which are
// released at the end of each round. As in the program, some item (the status line, a
// label) stays alive throughout, so the item heap keeps its memory between rounds; the
// first round of each size, which also pays the kernel's page faults for that memory, is
// left out of the timing and shown as `first_ms`.
void Q_LargeReadLayout(benchmark::State& state) {
    const std::size_t mib = static_cast<std::size_t>(state.range(0));
    TempDir d;
    d.write("q.txt", sample::generatedQuestionBelow(mib << 20));
    static ItemList held(50);
    if (held.count() == 0) held.append(newItem<TextItem>("held"));
    int items = 0;
    auto round = [&] {
        CategoryPtr c = newCategory("q", 0, 0);
        addQuestion(*c, d / "q.txt");
        if (!readQuestion(*c, 0)) return false;
        c->questionList.setFontSize(20, 36);
        c->answerList.setFontSize(20, 36);
        int h = c->questionList.measure(800) + c->answerList.measure(800);
        items = c->questionList.ownedCount() + c->answerList.ownedCount();
        benchmark::DoNotOptimize(h);
        return true;
    };
    static std::map<std::size_t, double> firstMs;
    const auto t0 = std::chrono::steady_clock::now();
    if (!round()) return state.SkipWithError("the question was not read");
    if (!firstMs.count(mib))
        firstMs[mib] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    for (auto _ : state) round();
    state.counters["MiB"] = static_cast<double>(mib);
    state.counters["items"] = items;
    state.counters["first_ms"] = firstMs[mib];
}

// A resize of the question window: re-measure and repaint of a 200 KB question with its answer.
void Q_WindowResize(benchmark::State& state) {
    TempDir d;
    d.write("tm/a/funcMenu.fun", "a\r\n");
    d.write("tm/a/c/funcName.fun", "c\r\n");
    d.write("tm/a/c/q.txt", sample::generatedQuestion(200 * 1024));
    Catalogue catalogue;
    catalogue.load(d.path());
    QuestionNavigator nav(catalogue);
    nav.resize(800, 600);
    nav.selectCategory(0);
    nav.command(Command::QuestionAnswer);
    QImage image(1000, 600, QImage::Format_RGB32);
    QtSurface s(&image);
    int w = 800;
    for (auto _ : state) {
        w = w == 800 ? 801 : 800;
        nav.resize(w, 600);
        image.fill(Qt::white);
        nav.paint(s, 0);
        benchmark::DoNotOptimize(nav.contentHeight);
    }
}

// A question nested without end, opened as the window opens it: read, sized, measured and
// painted with the answer. Each shape once cost the square of its depth (100 000 nested
// systems froze the window for 110 s); ten times the levels should cost about ten times as
// much. The shape is the index into sample::deepShapes().
void Q_DeepFormula(benchmark::State& state) {
    const sample::DeepShape& shape = sample::deepShapes()[static_cast<std::size_t>(state.range(0))];
    TempDir d;
    d.write("tm/a/funcMenu.fun", "a\r\n");
    d.write("tm/a/c/funcName.fun", "c\r\n");
    d.write("tm/a/c/q.txt", shape.make(static_cast<int>(state.range(1))));
    static ItemList held(1); // the item heap's memory stays, as the program's status line keeps it
    if (held.count() == 0) held.append(newItem<TextItem>("held"));
    for (auto _ : state) {
        state.PauseTiming();
        Catalogue catalogue;
        catalogue.load(d.path());
        QuestionNavigator nav(catalogue);
        nav.resize(800, 600);
        state.ResumeTiming();
        nav.selectCategory(0);
        nav.command(Command::QuestionAnswer);
        NullSurface s;
        nav.paint(s, 0);
        benchmark::DoNotOptimize(nav.contentHeight);
    }
    state.SetLabel(shape.name);
}

} // namespace

BENCHMARK(Q_ReadMeasureDraw)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(Q_LargeReadLayout)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(Q_WindowResize)->Unit(benchmark::kMillisecond);
BENCHMARK(Q_DeepFormula)
    ->ArgNames({"shape", "levels"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {10000, 100000}})
    ->Unit(benchmark::kMillisecond);
