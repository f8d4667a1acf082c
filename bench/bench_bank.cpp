// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "bank/catalogue.h"
#include "sample_scenes.h"
#include "test_util.h"

using namespace yhb;

namespace {

constexpr int kCategories = 20;

// One generated bank per naming and size, kept for the whole run: writing 20 000 files
// takes longer than scanning them.
const std::string& bankOf(sample::Naming naming, int files) {
    static std::map<std::pair<int, int>, std::unique_ptr<TempDir>> banks;
    auto& d = banks[{static_cast<int>(naming), files}];
    if (!d) {
        d = std::make_unique<TempDir>();
        sample::generateBank(d->path(), kCategories, files / kCategories, naming);
    }
    return d->path();
}

sample::Naming naming(const benchmark::State& state) { return static_cast<sample::Naming>(state.range(0)); }

} // namespace

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

// The same over 20 categories and 1 000 to 20 000 files in all, named category by category
// (naming 0) or interleaved across the categories (naming 1).
static void B_CatalogueLoad(benchmark::State& state) {
    const int files = static_cast<int>(state.range(1));
    const std::string& root = bankOf(naming(state), files);
    int aggregated = 0;
    for (auto _ : state) {
        Catalogue c;
        c.load(root);
        aggregated = c.category(c.categoryCount() - 1)->questionCount();
        benchmark::DoNotOptimize(aggregated);
    }
    state.counters["files"] = files;
    state.counters["aggregated"] = aggregated;
}

// The aggregates alone, over 20 categories already in the table.
static void B_Aggregate(benchmark::State& state) {
    const int files = static_cast<int>(state.range(1));
    Catalogue c;
    c.topLevel.push_back({"all"});
    for (int k = 0; k < kCategories; ++k) {
        c.categories.push_back(newCategory("cat", 0, 0));
        for (int f = 0; f < files / kCategories; ++f)
            addQuestion(*c.categories.back(), "tm/all/c" + std::to_string(k) + "/" + sample::generatedFileName(k, f, naming(state)));
    }
    int aggregated = 0;
    for (auto _ : state) {
        c.addAggregates();
        aggregated = c.categories.back()->questionCount();
        c.categories.pop_back();
        benchmark::DoNotOptimize(aggregated);
    }
    state.counters["files"] = files;
    state.counters["aggregated"] = aggregated;
}

BENCHMARK(B_CatalogueScan)->Unit(benchmark::kMillisecond);
BENCHMARK(B_CatalogueLoad)
    ->ArgNames({"interleaved", "files"})
    ->ArgsProduct({{0, 1}, {1000, 2000, 5000, 10000, 20000}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(B_Aggregate)
    ->ArgNames({"interleaved", "files"})
    ->ArgsProduct({{0, 1}, {1000, 2000, 5000, 10000, 20000}})
    ->Unit(benchmark::kMillisecond);
