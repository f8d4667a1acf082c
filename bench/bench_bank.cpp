#include <benchmark/benchmark.h>

#include "bank/catalogue.h"
#include "sample_scenes.h"
#include "test_util.h"

using namespace yhb;

// Start-up's catalogue: version, scan and aggregates over 30 categories of 200 files.
static void B_CatalogueScan(benchmark::State& state) {
    TempDir d;
    sample::generateBank(d.path(), 30, 200);
    int files = 0;
    for (auto _ : state) {
        Catalogue c;
        c.load(d.path());
        files = 0;
        for (int i = 0; i < c.categoryCount(); ++i) files += c.category(i)->aggregate ? 0 : c.category(i)->questionCount();
        benchmark::DoNotOptimize(files);
    }
    state.counters["questions"] = files;
}

BENCHMARK(B_CatalogueScan)->Unit(benchmark::kMillisecond);
