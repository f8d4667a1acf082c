// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to a shown window, side by side with a bare Qt window that draws the same axes
// (startup_bare): each measurement starts a child that starts one or the other, this program
// again the way the program's main() starts (application, icon, window, show; translations and
// bank after the first paint), and says when its canvas was first painted. The medians of alternating starts are compared, and
// the program's start is split into its phases.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/main_window.h"
#include "app/qt_notifier.h"
#include "app/startup.h"
#include "bank/catalogue.h"
#include "res/qt/icons.h"

namespace {

double nowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Notes when the first paint of `w` is on the screen: the event loop's next turn after it.
void watchFirstPaint(QWidget* w, double& at) {
    struct Watch : QObject {
        double* at = nullptr;
        bool seen = false;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint && !seen) {
                seen = true;
                QTimer::singleShot(0, [t = at] { *t = nowMs(); });
            }
            return false;
        }
    };
    auto* watch = new Watch;
    watch->at = &at;
    w->installEventFilter(watch);
}

// As main() does, with the time each phase took: prints them once the work left for after the
// first paint is done, and ends.
int appChild(int argc, char** argv, double start) {
    QApplication app(argc, argv);
    const double qapp = nowMs();
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setWindowIcon(yhb::appIcon());
    const double setup = nowMs();
    yhb::Catalogue catalogue;
    yhb::QtNotifier notifier;
    yhb::MainWindow window(catalogue, notifier, yhb::openBank);
    notifier.setOwner(&window);
    const double built = nowMs();
    static double painted = 0;
    yhb::showAndFinishStart(window, {}, [=] {
        std::printf("%.3f main %.3f qapp %.3f setup %.3f window %.3f shown-from %.3f ready %.3f\n", painted, start, qapp - start,
                    setup - qapp, built - setup, built, nowMs());
        std::fflush(stdout);
        std::_Exit(0);
    });
    // Watched after showAndFinishStart's own watch, so that its note comes first.
    watchFirstPaint(window.canvas(), painted);
    return app.exec();
}

struct Start {
    double total = 0; // from the start of the child to its first paint on the screen
    std::vector<double> phases;
};

Start startChild(const char* which) {
    // The bare window is a program of its own that links Qt alone, as a bare Qt program does.
    // Both start in this executable's directory, as from a desktop menu: no bank below it.
    const std::string self = QFileInfo(QString("/proc/%1/exe").arg(getpid())).canonicalFilePath().toStdString();
    const std::string dir = QFileInfo(QString::fromStdString(self)).path().toStdString();
    const std::string cmd = "cd '" + dir + "' && " +
                            (std::string(which) == "bare" ? "exec ./startup_bare" : "exec '" + self + "' --child=app");
    const double t0 = nowMs();
    FILE* p = popen(cmd.c_str(), "r");
    Start s;
    if (!p) return s;
    char line[512] = {};
    if (std::fgets(line, sizeof line, p)) {
        double shown = 0, entered = 0, q = 0, setup = 0, window = 0, from = 0, ready = 0;
        const int n = std::sscanf(line, "%lf main %lf qapp %lf setup %lf window %lf shown-from %lf ready %lf", &shown, &entered, &q, &setup,
                                  &window, &from, &ready);
        s.total = shown - t0;
        if (n == 7) s.phases = {entered - t0, q, setup, window, shown - from, ready - shown, ready - t0};
        if (n == 2) s.phases = {entered - t0};
    }
    pclose(p);
    return s;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void StartupSideBySide(benchmark::State& state) {
    const int pairs = static_cast<int>(state.range(0));
    std::vector<double> app, bare;
    std::vector<std::vector<double>> phases(7), barePhases(1);
    for (auto _ : state) {
        for (int i = 0; i < pairs; ++i) {
            // Alternating which starts first, so that neither always finds the caches warm.
            Start a, b;
            if (i % 2) {
                a = startChild("app");
                b = startChild("bare");
            } else {
                b = startChild("bare");
                a = startChild("app");
            }
            app.push_back(a.total);
            bare.push_back(b.total);
            for (std::size_t k = 0; k < a.phases.size() && k < phases.size(); ++k) phases[k].push_back(a.phases[k]);
            if (!b.phases.empty()) barePhases[0].push_back(b.phases[0]);
        }
        state.SetIterationTime(median(app) / 1000.0);
    }
    state.counters["app_ms"] = median(app);
    state.counters["bare_ms"] = median(bare);
    state.counters["ratio"] = median(bare) > 0 ? median(app) / median(bare) : 0;
    // after_paint_ms: translations and bank, after the first paint; ready_ms: start to their end.
    const char* names[] = {"exec_to_main_ms", "qapp_ms", "icon_ms", "window_ms", "show_to_paint_ms", "after_paint_ms", "ready_ms"};
    for (std::size_t k = 0; k < phases.size(); ++k) state.counters[names[k]] = median(phases[k]);
    state.counters["bare_exec_to_main_ms"] = median(barePhases[0]);
}

} // namespace

BENCHMARK(StartupSideBySide)->Arg(15)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    const double start = nowMs();
    if (argc > 1 && std::string(argv[1]) == "--child=app") return appChild(argc, argv, start);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
