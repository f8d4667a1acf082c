// SPDX-License-Identifier: GPL-3.0-or-later
// The sampling of one curve with nothing kept, as when a row is entered or a coefficient
// moves: what the early stop and the per-family loops save.
#include <benchmark/benchmark.h>

#include "gfx/surface.h"
#include "plot/curve.h"
#include "plot/sampling.h"

using namespace yhb;

namespace {

// An ellipse of half width 5 on a canvas 200 000 pixels wide: the passes stop at its vertices
// (x = 5, 100 pixels out) instead of sampling a million times on each side.
void B_EllipseOnAWideCanvas(benchmark::State& state) {
    NullSurface s;
    double p[10] = {5, 4};
    int curve = 0;
    for (auto _ : state) {
        p[1] = 4 + (++curve % 1000) * 1e-9; // a new curve every time
        sampleCurve(s, ViewSettings{}, 1, kind::EllipseX, p, Band{-100000, 300, 100000, -300});
    }
}

// Each family once on a 1920 x 1080 canvas with the origin in the middle, evaluated afresh.
void B_FamilyFresh(benchmark::State& state) {
    const int k = static_cast<int>(state.range(0));
    const bool two = k == kind::EllipseX || k == kind::EllipseY || k == kind::HyperbolaX || k == kind::HyperbolaY ||
                     k == kind::ParabolaRight || k == kind::ParabolaLeft || k == kind::CircleOrigin ||
                     k == kind::CircleCentre || k == kind::CircleGeneral;
    NullSurface s;
    double p[10] = {3, 2, 4, 1};
    for (auto _ : state) {
        clearSampleCache();
        sampleCurve(s, ViewSettings{}, two ? 1 : 0, k, p, Band{-960, 540, 960, -540});
    }
}

} // namespace

BENCHMARK(B_EllipseOnAWideCanvas)->Unit(benchmark::kMicrosecond);
BENCHMARK(B_FamilyFresh)
    ->ArgName("kind")
    ->DenseRange(kind::SlopeIntercept, kind::Logarithm) // the family ids run on but for 32791
    ->DenseRange(kind::CircleOrigin, kind::ParabolaGeneral)
    ->Unit(benchmark::kMicrosecond);
