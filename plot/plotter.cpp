// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/plotter.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "plot/curve.h"
#include "plot/sampling.h"
#include "res/strings.h"

namespace yhb {
namespace {

// Pixel value for points and lines: far-off values are kept far off but safe to offset.
int shapePixel(double v) {
    constexpr double kFar = 1 << 29;
    if (v >= kFar) return static_cast<int>(kFar);
    if (v <= -kFar) return -static_cast<int>(kFar);
    return static_cast<int>(v);
}

bool finite2(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

} // namespace

void plot(Surface& s, const ViewSettings& view, bool twoBranches, PlotOp op, Family kind, const double* p, Band band) {
    const double sc = view.pixelsPerUnit;
    switch (op) {
    case PlotOp::Curve:
        sampleCurve(s, view, twoBranches, kind, p, band);
        break;
    case PlotOp::PointMark: {
        if (!finite2(p[0], p[1])) return;
        const int l = shapePixel(sc * p[0] - 4), t = shapePixel(-(sc * p[1]) - 4), r = shapePixel(sc * p[0] + 4),
                  b = shapePixel(4 - sc * p[1]);
        s.ellipse(l, t, r, b);
        if (view.showLabels) {
            const char* fmt = utf8String(StringId::PointCaption);
            const double x = unsignedZero(p[0], 2), y = unsignedZero(p[1], 2);
            int len = std::snprintf(nullptr, 0, fmt, x, y);
            std::string text(static_cast<std::size_t>(len > 0 ? len : 0) + 1, '\0');
            std::snprintf(text.data(), text.size(), fmt, x, y);
            text.pop_back();
            s.caption(shapePixel(sc * p[0] + view.tickLength), shapePixel(2 * view.tickLength - sc * p[1]), text,
                      kCanvasFont, l, t, r, b);
        }
        break;
    }
    case PlotOp::VerticalLine: {
        if (!std::isfinite(p[0])) return;
        int X = shapePixel(sc * p[0]);
        s.moveTo(X, band.top);
        s.lineTo(X, band.bottom);
        break;
    }
    case PlotOp::HorizontalLine: {
        if (!std::isfinite(p[0])) return;
        int Y = shapePixel(-(sc * p[0]));
        s.moveTo(band.right, Y);
        s.lineTo(band.left, Y);
        break;
    }
    case PlotOp::Circle: {
        if (!finite2(p[0], p[1]) || !std::isfinite(p[2])) return;
        s.setBrush(Brush::Grey);
        s.ellipse(shapePixel(sc * (p[0] + p[2])), shapePixel(-(sc * p[1]) - sc * p[2]), shapePixel(sc * p[0] - sc * p[2]),
                  shapePixel(sc * (p[2] - p[1])));
        break;
    }
    default:
        break;
    }
}

} // namespace yhb
