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
        sampleCurve(s, ViewSettings{}, 1, Family::EllipseX, p, Band{-100000, 300, 100000, -300});
    }
}

// Each family once on a 1920 x 1080 canvas with the origin in the middle, evaluated afresh.
void B_FamilyFresh(benchmark::State& state) {
    const Family k = static_cast<Family>(state.range(0));
    const bool two = k == Family::EllipseX || k == Family::EllipseY || k == Family::HyperbolaX || k == Family::HyperbolaY ||
                     k == Family::ParabolaRight || k == Family::ParabolaLeft || k == Family::CircleOrigin ||
                     k == Family::CircleCentre || k == Family::CircleGeneral;
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
    ->DenseRange(familyId(Family::SlopeIntercept), familyId(Family::Logarithm)) // the family ids run on but for 32791
    ->DenseRange(familyId(Family::CircleOrigin), familyId(Family::ParabolaGeneral))
    ->Unit(benchmark::kMicrosecond);
