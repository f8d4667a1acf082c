#include "plot/plotter.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

#include "plot/curve.h"
#include "res/strings.h"

namespace yhb {
namespace {

// Pixel value for the sampling: out-of-range values saturate, so they count as above or
// below the band; INT_MIN is avoided so that negating stays defined.
int samplePixel(double v) {
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= -static_cast<double>(INT_MAX)) return -INT_MAX;
    return static_cast<int>(v);
}

// Pixel value for points and lines: far-off values are kept far off but safe to offset.
int shapePixel(double v) {
    constexpr double kFar = 1 << 29;
    if (v >= kFar) return static_cast<int>(kFar);
    if (v <= -kFar) return -static_cast<int>(kFar);
    return static_cast<int>(v);
}

class Run {
public:
    Run(Surface& s, bool dedupe, Point* storage) : s_(s), dedupe_(dedupe), pts_(storage) {}
    void append(Point p) {
        if (dedupe_ && n_ > 0 && pts_[(n_ - 1)] == p) return;
        if (n_ == kRunCapacity) {
            // Full: draw what we have and go on from its last point.
            flush();
            pts_[0] = pts_[kRunCapacity - 1];
            n_ = 1;
        }
        pts_[(n_++)] = p;
    }
    void flush() {
        if (n_ >= 2) s_.polyline(pts_, n_);
    }
    void drawAndEmpty() {
        flush();
        n_ = 0;
    }
    bool empty() const { return n_ == 0; }

private:
    Surface& s_;
    bool dedupe_;
    int n_ = 0;
    Point* pts_; // kRunCapacity points
};

// The second branch: k points followed by one joining point (the first branch's latest).
class LowerRun {
public:
    LowerRun(Surface& s, bool dedupe, Point* storage) : s_(s), dedupe_(dedupe), pts_(storage) {}
    void append(Point lower, Point join) {
        if (!(dedupe_ && k_ > 0 && pts_[(k_ - 1)] == lower)) {
            if (k_ == kRunCapacity - 1) {
                if (k_ >= 2) s_.polyline(pts_, k_);
                pts_[0] = pts_[(k_ - 1)];
                k_ = 1;
            }
            pts_[(k_++)] = lower;
        }
        pts_[(k_)] = join;
    }
    bool any() const { return k_ > 0; }
    void drawAndEmpty(bool withJoin) {
        int n = withJoin ? k_ + 1 : k_;
        if (n >= 2) s_.polyline(pts_, n);
        k_ = 0;
    }

private:
    Surface& s_;
    bool dedupe_;
    int k_ = 0;
    Point* pts_; // kRunCapacity points
};

// The fixed run buffers, allocated once so that drawing allocates nothing.
struct Storage {
    std::array<Point, kRunCapacity> upper;
    std::array<Point, kRunCapacity> lower;
};

struct Buffers {
    Buffers(Surface& s, bool dedupe, Storage& st) : upper(s, dedupe, st.upper.data()), lower(s, dedupe, st.lower.data()) {}
    Run upper;
    LowerRun lower;
};

void sampleCurve(Surface& s, const ViewSettings& view, int twoBranches, int kind, const double* params, Band band) {
    const int scale = view.pixelsPerUnit;
    const int n = 10 * scale;
    if (n <= 0) return;
    const double step = 1.0 / n;
    const int yLow = -band.bottom;
    const int yHigh = -band.top;
    const bool closed = isClosedCurve(kind);
    static thread_local Storage storage;

    for (int pass = 0; pass < 2; ++pass) {
        Buffers b(s, view.dedupePoints, storage);
        double x = 0.0;
        int px = 0;
        bool anyFirst = false;
        while (band.left < px && px < band.right) {
            double y2 = 0.0;
            int undefined = 0;
            double y1 = evaluateCurve(kind, params, x, y2, undefined);
            if (!std::isfinite(y1)) undefined = 1;
            px = static_cast<int>(scale * x);
            int py = undefined ? 0 : samplePixel(scale * y1);

            if (!undefined && yLow <= py && py <= yHigh) {
                b.upper.append({px, -py});
                anyFirst = true;
            } else if (!b.upper.empty()) {
                if (!undefined) {
                    py = py > yHigh ? yHigh : yLow; // the run ends on the band's edge
                    b.upper.append({px, -py});
                }
                b.upper.drawAndEmpty();
            }

            if (twoBranches == 1) {
                int q = std::isfinite(y2) ? samplePixel(scale * y2) : 0;
                if (!undefined && std::isfinite(y2) && yLow <= q && q <= yHigh) {
                    b.lower.append({px, -q}, {px, -py});
                } else if (b.lower.any()) {
                    b.lower.drawAndEmpty(closed && anyFirst);
                }
            }
            x = pass == 0 ? x + step : x - step;
        }
        b.upper.drawAndEmpty();
        if (twoBranches == 1) b.lower.drawAndEmpty(closed && anyFirst);
    }
}

bool finite2(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

} // namespace

void plot(Surface& s, const ViewSettings& view, int twoBranches, int op, int kind, const double* p, Band band) {
    const double sc = view.pixelsPerUnit;
    switch (op) {
    case plotop::Curve:
        sampleCurve(s, view, twoBranches, kind, p, band);
        break;
    case plotop::PointMark: {
        if (!finite2(p[0], p[1])) return;
        s.ellipse(shapePixel(sc * p[0] - 4), shapePixel(-(sc * p[1]) - 4), shapePixel(sc * p[0] + 4),
                  shapePixel(4 - sc * p[1]));
        if (view.showLabels == 1) {
            const char* fmt = utf8String(117);
            const double x = unsignedZero(p[0], 2), y = unsignedZero(p[1], 2);
            int len = std::snprintf(nullptr, 0, fmt, x, y);
            std::string text(static_cast<std::size_t>(len > 0 ? len : 0) + 1, '\0');
            std::snprintf(text.data(), text.size(), fmt, x, y);
            text.pop_back();
            s.textOut(shapePixel(sc * p[0] + view.tickLength), shapePixel(2 * view.tickLength - sc * p[1]), text,
                      kCanvasFont);
        }
        break;
    }
    case plotop::VerticalLine: {
        if (!std::isfinite(p[0])) return;
        int X = shapePixel(sc * p[0]);
        s.moveTo(X, band.top);
        s.lineTo(X, band.bottom);
        break;
    }
    case plotop::HorizontalLine: {
        if (!std::isfinite(p[0])) return;
        int Y = shapePixel(-(sc * p[0]));
        s.moveTo(band.right, Y);
        s.lineTo(band.left, Y);
        break;
    }
    case plotop::Circle: {
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
