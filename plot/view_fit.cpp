// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/view_fit.h"

#include <algorithm>
#include <cmath>

namespace yhb {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Coordinates beyond this are no figure a canvas could show with the origin.
constexpr double kFarthest = 1e4;
// The least extent either side of the middle, so that a figure at the origin alone (y = x)
// is not magnified without end.
constexpr double kLeastHalfExtent = 3;

struct Collector {
    std::vector<UnitPoint>& out;
    void operator()(double x, double y) const {
        if (std::isfinite(x) && std::isfinite(y) && std::abs(x) <= kFarthest && std::abs(y) <= kFarthest) out.push_back({x, y});
    }
    // Where the line y = k x + b crosses the axes.
    void intercepts(double k, double b) const {
        (*this)(0, b);
        if (k != 0) (*this)(-b / k, 0);
    }
};

void curvePoints(Family kind, const double* p, const Collector& add) {
    switch (kind) {
    case Family::SlopeIntercept:
        add.intercepts(p[0], p[1]);
        break;
    case Family::PointSlope:
        add(p[0], p[1]);
        add.intercepts(p[2], p[1] - p[2] * p[0]);
        break;
    case Family::TwoPoint:
        add(p[0], p[1]);
        add(p[2], p[3]);
        break;
    case Family::Intercept:
        add(p[0], 0);
        add(0, p[1]);
        break;
    case Family::GeneralLine:
        if (p[0] != 0) add(-p[2] / p[0], 0);
        if (p[1] != 0) add(0, -p[2] / p[1]);
        break;
    case Family::Sin:
    case Family::Cos: {
        // A period either side of the y axis, between the crests and the troughs.
        const double period = p[1] != 0 ? 2 * kPi / std::abs(p[1]) : 2 * kPi;
        add(-period, p[2] - std::abs(p[0]));
        add(period, p[2] + std::abs(p[0]));
        break;
    }
    case Family::Tan: {
        // A period either side, as high as the curve is at a quarter period.
        const double period = p[1] != 0 ? kPi / std::abs(p[1]) : kPi;
        add(-period, p[2] - 2 * std::abs(p[0]));
        add(period, p[2] + 2 * std::abs(p[0]));
        break;
    }
    case Family::EllipseX:
    case Family::EllipseY: {
        const double a = std::abs(p[0]), b = std::abs(p[1]);
        const double w = kind == Family::EllipseX ? a : b, h = kind == Family::EllipseX ? b : a;
        add(-w, -h);
        add(w, h);
        break;
    }
    case Family::HyperbolaX:
    case Family::HyperbolaY: {
        // Beyond the foci to where the branch is twice as far from its axis as there.
        const double a = std::abs(p[0]), b = std::abs(p[1]);
        if (a == 0) break;
        const double c = std::sqrt(a * a + b * b), reach = c + a, spread = b * std::sqrt(reach * reach / (a * a) - 1);
        if (kind == Family::HyperbolaX) {
            add(-reach, -spread);
            add(reach, spread);
        } else {
            add(-spread, -reach);
            add(spread, reach);
        }
        break;
    }
    case Family::ParabolaRight:
    case Family::ParabolaLeft:
    case Family::ParabolaUp:
    case Family::ParabolaDown: {
        // Focus, directrix and the curve out to x = 2p, where it is 2p from its axis.
        const double q = std::abs(p[0]), s = kind == Family::ParabolaRight || kind == Family::ParabolaUp ? 1 : -1;
        const bool sideways = kind == Family::ParabolaRight || kind == Family::ParabolaLeft;
        const UnitPoint far{2 * q * s, 2 * q}, back{-q / 2 * s, -2 * q};
        add(sideways ? far.x : far.y, sideways ? far.y : far.x);
        add(sideways ? back.x : back.y, sideways ? back.y : back.x);
        break;
    }
    case Family::ParabolaGeneral: {
        const double a = p[0], b = p[1], c = p[2];
        if (a == 0) {
            add.intercepts(b, c);
            break;
        }
        const double h = -b / (2 * a), k = c - b * b / (4 * a);
        add(h, k);
        add(0, c);
        // Either side of the vertex until the curve has risen 4 units from it.
        const double w = 2 / std::sqrt(std::abs(a));
        add(h - w, k + 4 * (a > 0 ? 1 : -1));
        add(h + w, k + 4 * (a > 0 ? 1 : -1));
        break;
    }
    case Family::CircleOrigin:
        add(-std::abs(p[0]), -std::abs(p[0]));
        add(std::abs(p[0]), std::abs(p[0]));
        break;
    case Family::CircleCentre:
        add(p[0] - std::abs(p[2]), p[1] - std::abs(p[2]));
        add(p[0] + std::abs(p[2]), p[1] + std::abs(p[2]));
        break;
    case Family::CircleGeneral: {
        const double v = (p[0] * p[0] + p[1] * p[1] - 4 * p[2]) / 4;
        if (!(v > 0)) break;
        const double r = std::sqrt(v), x = -p[0] / 2, y = -p[1] / 2;
        add(x - r, y - r);
        add(x + r, y + r);
        break;
    }
    case Family::Exponential:
        // Three units either side, the curve where it stays near the axis.
        add(0, p[0]);
        add(1, p[0] * p[1]);
        add(-1, p[1] != 0 ? p[0] / p[1] : 0);
        add(-3, 0);
        add(3, 0);
        break;
    case Family::Logarithm:
        add(1, 0);
        add(10, p[0]);
        add(0.1, -p[0]);
        break;
    case Family::None:
        break;
    }
}

} // namespace

void PlaneBox::include(UnitPoint p) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    bottom = std::min(bottom, p.y);
    top = std::max(top, p.y);
}

std::vector<UnitPoint> characteristicPoints(const ExpressionSlot& row) {
    std::vector<UnitPoint> points;
    const Collector add{points};
    if (row.plotOp == PlotOp::Curve) curvePoints(row.kind, row.params, add);
    for (int j = 0; j < row.extraCount && j < kMaxExtras; ++j) {
        const ExtraPlot& e = row.extras[j];
        switch (e.plotOp) {
        case PlotOp::PointMark: add(e.params[0], e.params[1]); break;
        case PlotOp::VerticalLine: add(e.params[0], 0); break;
        case PlotOp::HorizontalLine: add(0, e.params[0]); break;
        case PlotOp::Circle:
            add(e.params[0] - e.params[2], e.params[1] - e.params[2]);
            add(e.params[0] + e.params[2], e.params[1] + e.params[2]);
            break;
        case PlotOp::Curve: curvePoints(e.kind, e.params, add); break;
        case PlotOp::None: break;
        }
    }
    return points;
}

PlaneBox sceneExtent(const ExpressionTable& table) {
    PlaneBox box; // the origin is always in it
    for (int r = 0; r < table.slotCount; ++r)
        for (const UnitPoint& p : characteristicPoints(table.slot(r))) box.include(p);
    // Widened about its middle to the least extent.
    const double mx = (box.left + box.right) / 2, my = (box.bottom + box.top) / 2;
    box.include({mx - kLeastHalfExtent, my - kLeastHalfExtent});
    box.include({mx + kLeastHalfExtent, my + kLeastHalfExtent});
    return box;
}

int fitMargin(int side) { return std::max(30, side * 6 / 100); }

FittedView fitView(const ExpressionTable& table, int w, int h) {
    const PlaneBox box = sceneExtent(table);
    const int mx = fitMargin(w), my = fitMargin(h);
    FittedView f;
    f.pixelsPerUnit = kLeastScale;
    for (int ppu = kLeastScale; ppu <= kGreatestScale; ppu += kZoomStep)
        if (box.width() * ppu <= w - 2 * mx && box.height() * ppu <= h - 2 * my) f.pixelsPerUnit = ppu;
    const double ppu = f.pixelsPerUnit;
    const double cx = (box.left + box.right) / 2, cy = (box.bottom + box.top) / 2;
    f.originX = static_cast<int>(std::lround(w / 2.0 - cx * ppu));
    f.originY = static_cast<int>(std::lround(h / 2.0 + cy * ppu));
    // The origin in sight, whatever else the least scale cannot show.
    f.originX = std::clamp(f.originX, std::min(mx, w / 2), std::max(w - mx, w / 2));
    f.originY = std::clamp(f.originY, std::min(my, h / 2), std::max(h - my, h / 2));
    return f;
}

bool fitToCanvas(const ExpressionTable& table, CanvasView& canvas, ViewSettings& view) {
    if (canvas.canvasWidth <= 0 || canvas.canvasHeight <= 0) return false;
    const FittedView f = fitView(table, canvas.canvasWidth, canvas.canvasHeight);
    canvas.originX = f.originX;
    canvas.originY = f.originY;
    view.pixelsPerUnit = f.pixelsPerUnit;
    return true;
}

} // namespace yhb
