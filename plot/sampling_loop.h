// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <climits>
#include <cmath>
#include <vector>

#include "plot/curve.h"

// The sampling loop, specialised per family: a family's table entry instantiates it for its
// curve function (curveSpec below), so that a sample costs no dispatch.
namespace yhb {

// Pixel value for the sampling: out-of-range values saturate, so they count as above or
// below the band; INT_MIN is avoided so that negating stays defined.
inline int samplePixel(double v) {
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= -static_cast<double>(INT_MAX)) return -INT_MAX;
    return static_cast<int>(v);
}

// Marks an undefined first value or a second value that is not finite; samplePixel never
// gives it.
constexpr int kNoSample = INT_MIN;

struct Sample {
    int px;
    int py; // kNoSample: undefined
    int q;  // kNoSample: the second value is not finite
};

// One pass of one curve, as far as it has been evaluated.
struct SamplePass {
    std::vector<Sample> samples;
    double x = 0.0;     // where the next sample is taken
    bool ended = false; // past the domain: no later sample is defined
};

// Where a pass may stop: once a sample is undefined on the far side of the curve's centre,
// every later one is too, because the value under the root only shrinks outwards. This holds
// in floating point as well, since each rounded operation is monotonic; parameters that are
// not finite, or whose squares overflow, only make more samples undefined.
struct SampleDomain {
    bool stop[2] = {false, false}; // per pass
    int centre = 0;                // 0: the y axis; 1: x = p0; 2: x = -p0/2
};

SampleDomain sampleDomain(DomainRule rule, const double* p);

inline bool pastCentre(const SampleDomain& d, const double* p, int pass, double x) {
    double u = x;
    if (d.centre == 1) u = x - p[0];
    else if (d.centre == 2) u = x + p[0] / 2;
    return pass == 0 ? u >= 0 : u <= 0;
}

template <CurveFunction F>
void extendPass(SamplePass& ps, const double* p, int scale, double step, int pass, const SampleDomain& dom, int until) {
    double x = ps.x;
    int px = ps.samples.empty() ? 0 : ps.samples.back().px;
    // The pass samples while the latest pixel is inside; here only the far end matters.
    while (!ps.ended && (pass == 0 ? px < until : px > until)) {
        double y2 = 0.0;
        int undefined = 0;
        double y1 = F(p, x, y2, undefined);
        if (!std::isfinite(y1)) undefined = 1;
        px = static_cast<int>(scale * x);
        Sample smp{px, undefined ? kNoSample : samplePixel(scale * y1),
                   std::isfinite(y2) ? samplePixel(scale * y2) : kNoSample};
        ps.samples.push_back(smp);
        if (undefined && dom.stop[pass] && pastCentre(dom, p, pass, x)) ps.ended = true;
        x = pass == 0 ? x + step : x - step;
    }
    ps.x = x;
}

// A family's curve: its function, the loop specialised for it, where it ends, whether closed.
template <CurveFunction F>
constexpr CurveSpec curveSpec(DomainRule domain, bool closed = false) {
    return {F, &extendPass<F>, domain, closed};
}

} // namespace yhb
