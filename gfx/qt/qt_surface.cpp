// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/qt/qt_surface.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gfx/cp936.h"
#include "gfx/qt/glyphs.h"
#include "gfx/qt/typeset_font.h"
#include "gfx/smooth_path.h"
#include "gfx/smooth_stroke.h"

namespace yhb {

QColor toQColor(Colour c) { return QColor(red(c), green(c), blue(c)); }

namespace {

inline std::uint32_t argb(Colour c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(red(c)) << 16) | (static_cast<std::uint32_t>(green(c)) << 8) |
           static_cast<std::uint32_t>(blue(c));
}

} // namespace

QtSurface::QtSurface(QImage* target, RenderStyle style) : image_(target), style_(style) {}

QtSurface::~QtSurface() = default;

void QtSurface::setTarget(QImage* target) {
    textPainter_.reset(); image_ = target; }

void QtSurface::setStyle(const RenderStyle& style) { style_ = style; }

QString QtSurface::fontFamily() {
    static const QString family = [] {
        const QStringList wanted = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Zen Hei"};
        const QStringList have = QFontDatabase::families();
        for (const QString& w : wanted)
            if (have.contains(w)) return w;
        return QFont().family();
    }();
    return family;
}

std::int64_t QtSurface::dev(std::int64_t v) const {
    if (style_.scale == 1.0) return v;
    return std::llround(static_cast<double>(v) * style_.scale);
}

QtSurface::Raster QtSurface::raster() {
    if (!image_ || image_->isNull()) return {};
    return {image_->bits(), image_->bytesPerLine(), image_->width(), image_->height()};
}

// Pixels of the line from (x0, y0) towards (x1, y1): along the major axis one pixel per step,
// the minor coordinate rounded, `k` pixels across; the end pixel is left out. Clipped to the
// image by choosing the range of steps, so clipping never moves a pixel.
void QtSurface::segment(const Raster& ras, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int k) {
    if (!ras.bits) return;
    const std::int64_t W = ras.width, H = ras.height;
    std::int64_t dx = x1 - x0, dy = y1 - y0;
    if (dx == 0 && dy == 0) return;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int sMaj = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int sMin = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    const std::int64_t maj0 = xMajor ? x0 : y0, min0 = xMajor ? y0 : x0;
    const std::int64_t majLimit = xMajor ? W : H, minLimit = xMajor ? H : W;
    const std::int64_t minLow = 1 - k; // a thick line still shows while its last row is inside
    auto minorAt = [&](std::int64_t i) { return min0 + sMin * ((2 * i * minor + major) / (2 * major)); };

    const std::uint32_t colour = argb(pen_);
    uchar* bits = ras.bits;
    const qsizetype stride = ras.stride;
    // Steps i in [start, end] are drawn. Both ends inside: all of them, no clipping to work
    // out (most segments of a sampled curve are short).
    std::int64_t start = 0, end = major - 1;
    if (!(x0 >= 0 && x0 < W && y0 >= 0 && y0 < H && x1 >= 0 && x1 < W && y1 >= 0 && y1 < H)) {
        // Steps i in [0, major) whose major coordinate lies inside the image.
        std::int64_t lo = 0, hi = major - 1;
        if (sMaj > 0) {
            lo = std::max(lo, -maj0);
            hi = std::min(hi, majLimit - 1 - maj0);
        } else {
            lo = std::max(lo, maj0 - (majLimit - 1));
            hi = std::min(hi, maj0);
        }
        if (lo > hi) return;
        // The minor coordinate is monotone in i: narrow the range to where it is inside too.
        auto inside = [&](std::int64_t i) {
            std::int64_t m = minorAt(i);
            return m >= minLow && m < minLimit;
        };
        auto firstWhere = [&](std::int64_t a, std::int64_t b, auto pred) { // first i in [a, b] with pred, or b + 1
            while (a <= b) {
                std::int64_t mid = a + (b - a) / 2;
                if (pred(mid)) b = mid - 1; else a = mid + 1;
            }
            return a;
        };
        const bool rising = sMin > 0;
        // Below the image's minor range at the start when rising, above it when falling.
        start = firstWhere(lo, hi, [&](std::int64_t i) {
            std::int64_t m = minorAt(i);
            return rising ? m >= minLow : m < minLimit;
        });
        end = firstWhere(start, hi, [&](std::int64_t i) {
            std::int64_t m = minorAt(i);
            return rising ? m >= minLimit : m < minLow;
        }) - 1;
        if (start > end || !inside(start)) return;
    }

    std::int64_t err = 2 * start * minor + major; // numerator of minorAt, kept incrementally
    std::int64_t m = min0 + sMin * (err / (2 * major));
    err %= 2 * major;
    std::int64_t j = maj0 + sMaj * start;
    for (std::int64_t i = start; i <= end; ++i) {
        if (k == 1) {
            const std::int64_t px = xMajor ? j : m, py = xMajor ? m : j;
            reinterpret_cast<std::uint32_t*>(bits + py * stride)[px] = colour;
        } else {
            const std::int64_t a = std::max<std::int64_t>(m, 0), z = std::min<std::int64_t>(m + k, minLimit);
            for (std::int64_t c = a; c < z; ++c) {
                const std::int64_t px = xMajor ? j : c, py = xMajor ? c : j;
                reinterpret_cast<std::uint32_t*>(bits + py * stride)[px] = colour;
            }
        }
        j += sMaj;
        err += 2 * minor;
        while (err >= 2 * major) {
            err -= 2 * major;
            m += sMin;
        }
    }
}

void QtSurface::scaledSegment(const Raster& ras, Point a, Point b) {
    const int k = std::max(1, static_cast<int>(std::lround(style_.scale * style_.penWidth)));
    segment(ras, dev(a.x), dev(a.y) - firstRow_, dev(b.x), dev(b.y) - firstRow_, k);
}

void QtSurface::lineTo(int x, int y) {
    textPainter_.reset();
    const Point from{current_.x + origin_.x, current_.y + origin_.y}, to{x + origin_.x, y + origin_.y};
    current_ = {x, y};
    if (!style_.antialias) {
        scaledSegment(raster(), from, to);
        return;
    }
    if (from == to) return;
    const Raster ras = raster();
    if (!ras.bits) return;
    const double s = style_.scale;
    PathPoint a{(from.x + 0.5) * s, (from.y + 0.5) * s - firstRow_}, b{(to.x + 0.5) * s, (to.y + 0.5) * s - firstRow_};
    if (!clipToFar(a, b)) return;
    stroke_.begin(reinterpret_cast<std::uint32_t*>(ras.bits), static_cast<int>(ras.stride), static_cast<int>(ras.width),
                  static_cast<int>(ras.height), style_.penWidth * s, argb(pen_));
    stroke_.segment(a.x, a.y, b.x, b.y);
}

void QtSurface::polyline(const Point* pts, int count) {
    textPainter_.reset();
    if (!style_.antialias) {
        const Raster ras = raster();
        for (int i = 1; i < count; ++i) {
            if (pts[i] == pts[i - 1]) continue;
            scaledSegment(ras, {pts[i - 1].x + origin_.x, pts[i - 1].y + origin_.y}, {pts[i].x + origin_.x, pts[i].y + origin_.y});
        }
        return;
    }
    if (count < 2) return;
    const Raster ras = raster();
    if (!ras.bits) return;
    const double s = style_.scale;
    // A third of a device pixel off the smoothed curve does not show.
    const std::vector<PathPoint> smooth = smoothSteps(pts, count, 0.35 / s);
    stroke_.begin(reinterpret_cast<std::uint32_t*>(ras.bits), static_cast<int>(ras.stride), static_cast<int>(ras.width),
                  static_cast<int>(ras.height), style_.penWidth * s, argb(pen_));
    std::vector<PathPoint> d(smooth.size());
    for (std::size_t i = 0; i < smooth.size(); ++i) d[i] = {(smooth[i].x + origin_.x + 0.5) * s, (smooth[i].y + origin_.y + 0.5) * s - firstRow_};
    SmoothStroke::End start = SmoothStroke::End::Free;
    for (std::size_t i = 1; i < d.size(); ++i) {
        if (i + 6 < d.size()) stroke_.prefetch(d[i + 6].x, d[i + 6].y);
        PathPoint a = d[i - 1], b = d[i];
        const SmoothStroke::End end = i + 1 < d.size() ? stroke_.joint(b.x - a.x, b.y - a.y, d[i + 1].x - b.x, d[i + 1].y - b.y)
                                                       : SmoothStroke::End::Free;
        if (clipToFar(a, b)) stroke_.segment(a.x, a.y, b.x, b.y, start, end);
        start = end;
    }
}

namespace {

// Row y of the ellipse inscribed in [l, r) x [t, b): its first and last pixel; false when the
// row misses the box.
bool ellipseRow(double l, double t, double r, double b, std::int64_t y, std::int64_t& xs, std::int64_t& xe) {
    if (r <= l || b <= t || y < t || y >= b) return false;
    const double cx = (l + r - 1) / 2.0, cy = (t + b - 1) / 2.0;
    const double ax = (r - l - 1) / 2.0, ay = (b - t - 1) / 2.0;
    const double d = ay > 0 ? (y - cy) / ay : 0.0;
    const double hw = ax * std::sqrt(std::max(0.0, 1.0 - d * d));
    xs = std::int64_t(std::floor(cx - hw + 0.5));
    xe = std::int64_t(std::floor(cx + hw + 0.5));
    return true;
}

// Pixels a..z of a row `width` wide, clipped to it.
void fillRow(QRgb* row, std::int64_t width, std::int64_t a, std::int64_t z, std::uint32_t c) {
    a = std::max<std::int64_t>(a, 0);
    z = std::min<std::int64_t>(z, width - 1);
    if (a <= z) std::fill(row + a, row + z + 1, c);
}

} // namespace

// The ellipse inscribed in [left, right) x [top, bottom): the interior in the brush colour,
// the outline in the pen colour, each row's outline joined to its neighbours' so that it
// stays closed. Drawn here rather than through QPainter so that a repaint never sets up a
// painter.
void QtSurface::ellipse(int left, int top, int right, int bottom) {
    textPainter_.reset();
    if (!image_ || image_->isNull()) return;
    const std::int64_t l = std::int64_t(left) + origin_.x, r = std::int64_t(right) + origin_.x;
    std::int64_t t = std::int64_t(top) + origin_.y, b = std::int64_t(bottom) + origin_.y;
    if (r - l < 1 || b - t < 1) return;
    if (r - l > (1 << 20) || b - t > (1 << 20)) return; // nothing a canvas could show
    const double s = style_.scale;
    if (style_.antialias) {
        if (r * s < -kFar || b * s - firstRow_ < -kFar || l * s > kFar || t * s - firstRow_ > kFar) return;
        smoothEllipse((l + r) * s / 2, (t + b) * s / 2 - firstRow_, (r - l - 1) * s / 2, (b - t - 1) * s / 2);
        return;
    }
    if (s != 1.0) {
        scaledEllipse(dev(l), dev(t) - firstRow_, dev(r), dev(b) - firstRow_,
                      std::max(1, static_cast<int>(std::lround(s * style_.penWidth))));
        return;
    }
    t -= firstRow_;
    b -= firstRow_;
    if (r < 0 || b < 0 || l > image_->width() || t > image_->height()) return;
    const std::int64_t W = image_->width(), H = image_->height();
    auto span = [&](std::int64_t y, std::int64_t& xs, std::int64_t& xe) {
        return ellipseRow(double(l), double(t), double(r), double(b), y, xs, xe);
    };
    const std::uint32_t pen = argb(pen_);
    const std::uint32_t fill = argb(brush_ == Brush::Grey ? kGrey : kWhite);
    auto put = [&](QRgb* row, std::int64_t a, std::int64_t z, std::uint32_t c) { fillRow(row, W, a, z, c); };
    for (std::int64_t y = std::max<std::int64_t>(t, 0); y < std::min<std::int64_t>(b, H); ++y) {
        std::int64_t xs = 0, xe = 0, ps = 0, pe = 0, ns = 0, ne = 0;
        span(y, xs, xe);
        // The outline reaches in as far as the narrower neighbour starts; a missing neighbour
        // (the top and bottom rows) makes the whole row outline.
        std::int64_t innerL = xe + 1, innerR = xs - 1;
        if (span(y - 1, ps, pe) && span(y + 1, ns, ne)) {
            innerL = std::max(ps, ns);
            innerR = std::min(pe, ne);
        }
        const std::int64_t leftEnd = std::min(std::max(xs, innerL - 1), xe);
        const std::int64_t rightStart = std::max(std::min(xe, innerR + 1), leftEnd + 1);
        QRgb* row = reinterpret_cast<QRgb*>(image_->scanLine(int(y)));
        if (brush_ != Brush::None) put(row, leftEnd + 1, rightStart - 1, fill);
        put(row, xs, leftEnd, pen);
        put(row, rightStart, xe, pen);
    }
}

// Smoothed: the inside filled row by row in the brush colour, the outline a closed stroke of
// the pen around it, one segment per three device pixels or so.
void QtSurface::smoothEllipse(double cx, double cy, double rx, double ry) {
    const Raster ras = raster();
    if (!ras.bits || rx < 0 || ry < 0) return;
    if (brush_ != Brush::None && ry > 0) {
        const std::uint32_t fill = argb(brush_ == Brush::Grey ? kGrey : kWhite);
        const std::int64_t y0 = std::max<std::int64_t>(0, std::int64_t(std::ceil(cy - ry - 0.5))),
                           y1 = std::min<std::int64_t>(ras.height - 1, std::int64_t(std::floor(cy + ry - 0.5)));
        for (std::int64_t y = y0; y <= y1; ++y) {
            const double d = (y + 0.5 - cy) / ry, hw = rx * std::sqrt(std::max(0.0, 1 - d * d));
            const std::int64_t x0 = std::max<std::int64_t>(0, std::int64_t(std::ceil(cx - hw - 0.5))),
                               x1 = std::min<std::int64_t>(ras.width - 1, std::int64_t(std::floor(cx + hw - 0.5)));
            auto* row = reinterpret_cast<std::uint32_t*>(ras.bits + y * ras.stride);
            if (x0 <= x1) std::fill(row + x0, row + x1 + 1, fill);
        }
    }
    const int n = std::clamp(static_cast<int>(6.3 * std::max(rx, ry) / 3), 12, 4096);
    stroke_.begin(reinterpret_cast<std::uint32_t*>(ras.bits), static_cast<int>(ras.stride), static_cast<int>(ras.width),
                  static_cast<int>(ras.height), style_.penWidth * style_.scale, argb(pen_));
    // A closed stroke: every end is a joint, the first segment's start the last one's end.
    std::vector<double> xs(static_cast<std::size_t>(n) + 1), ys(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double a = 2 * 3.14159265358979 * static_cast<double>(i % static_cast<std::size_t>(n)) / n;
        xs[i] = i == 0 ? cx + rx : cx + rx * std::cos(a);
        ys[i] = i == 0 ? cy : cy + ry * std::sin(a);
    }
    const auto jointAt = [&](std::size_t i) { // between the segments ending and starting at point i
        const std::size_t before = i == 0 ? static_cast<std::size_t>(n) - 1 : i - 1;
        return stroke_.joint(xs[i] - xs[before], ys[i] - ys[before], xs[i + 1] - xs[i], ys[i + 1] - ys[i]);
    };
    SmoothStroke::End start = jointAt(0);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
        const SmoothStroke::End end = i == static_cast<std::size_t>(n) ? jointAt(0) : jointAt(i);
        stroke_.segment(xs[i - 1], ys[i - 1], xs[i], ys[i], start, end);
        start = end;
    }
}

// At a device scale the outline is the ring between the box's ellipse and the one `k` pixels
// inside it, so that it is as thick as a line.
void QtSurface::scaledEllipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, int k) {
    const Raster ras = raster();
    if (!ras.bits || r <= l || b <= t) return;
    if (r < 0 || b < 0 || l > ras.width || t > ras.height) return;
    const auto span = ellipseRow;
    const std::uint32_t pen = argb(pen_);
    const std::uint32_t fill = argb(brush_ == Brush::Grey ? kGrey : kWhite);
    auto put = [&](QRgb* row, std::int64_t a, std::int64_t z, std::uint32_t c) { fillRow(row, ras.width, a, z, c); };
    for (std::int64_t y = std::max<std::int64_t>(t, 0); y < std::min<std::int64_t>(b, ras.height); ++y) {
        std::int64_t xs = 0, xe = 0, is = 0, ie = 0;
        span(double(l), double(t), double(r), double(b), y, xs, xe);
        QRgb* row = reinterpret_cast<QRgb*>(ras.bits + y * ras.stride);
        if (!span(double(l + k), double(t + k), double(r - k), double(b - k), y, is, ie) || is > ie) {
            put(row, xs, xe, pen);
            continue;
        }
        if (brush_ != Brush::None) put(row, is, ie, fill);
        put(row, xs, std::min(is - 1, xe), pen);
        put(row, std::max(ie + 1, xs), xe, pen);
    }
}

void QtSurface::fillRect(int left, int top, int right, int bottom, Colour c) {
    textPainter_.reset();
    const Raster ras = raster();
    if (!ras.bits) return;
    const std::int64_t l = std::max<std::int64_t>(dev(std::int64_t(left) + origin_.x), 0);
    const std::int64_t t = std::max<std::int64_t>(dev(std::int64_t(top) + origin_.y) - firstRow_, 0);
    const std::int64_t r = std::min<std::int64_t>(dev(std::int64_t(right) + origin_.x), ras.width);
    const std::int64_t b = std::min<std::int64_t>(dev(std::int64_t(bottom) + origin_.y) - firstRow_, ras.height);
    if (l >= r || t >= b) return;
    const std::uint32_t colour = argb(c);
    if (l == 0 && t == 0 && r == ras.width && b == ras.height) {
        image_->fill(colour); // the whole background: Qt's vectorised fill
        return;
    }
    for (std::int64_t y = t; y < b; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(ras.bits + y * ras.stride);
        std::fill(row + l, row + r, colour);
    }
}

void QtSurface::textOut(int x, int y, std::string_view text, CellFont font) {
    textPainter_.reset();
    if (text.empty() || font.height <= 0 || font.width <= 0) return;
    if (font.height > 4096 || font.width > 4096) return; // nothing a window could show
    const Raster ras = raster();
    if (!ras.bits) return;
    const std::int64_t W = ras.width, H = ras.height;
    const std::int64_t lx = std::int64_t(x) + origin_.x, ly = std::int64_t(y) + origin_.y;
    const std::int64_t total = std::int64_t(cp936::cp936Width(text)) * font.width;
    const std::int64_t top = dev(ly) - firstRow_, bottom = dev(ly + font.height) - firstRow_;
    const std::int64_t dx = dev(lx), dxEnd = dev(lx + total);
    if (top >= H || bottom <= 0 || dx >= W || dxEnd <= 0 || bottom <= top) return;
    const int height = static_cast<int>(bottom - top);
    const double average = font.width * style_.scale;

    const std::int64_t y0 = std::max<std::int64_t>(top, 0), y1 = std::min<std::int64_t>(bottom, H);
    if (bkMode_ == BkMode::Opaque) {
        const std::int64_t x0 = std::max<std::int64_t>(dx, 0), x1 = std::min<std::int64_t>(dxEnd, W);
        for (std::int64_t yy = y0; yy < y1; ++yy) {
            QRgb* row = reinterpret_cast<QRgb*>(ras.bits + yy * ras.stride);
            std::fill(row + x0, row + x1, qRgb(255, 255, 255));
        }
    }
    const QRgb ink = argb(textColour_);
    const int ir = qRed(ink), ig = qGreen(ink), ib = qBlue(ink);
    std::size_t i = 0;
    std::int64_t cell = lx; // logical left of the next cell
    while (i < text.size()) {
        std::size_t n = 1;
        const int cells = cp936::cellsOf(cp936::decodeAt(text, i, n));
        const std::int64_t cx = dev(cell), cxEnd = dev(cell + std::int64_t(cells) * font.width);
        if (cx >= W) break;
        const int cellW = static_cast<int>(cxEnd - cx);
        if (cxEnd > 0 && cellW > 0) {
            const GlyphMask& m = glyphMask(text.substr(i, n), cellW, height, average);
            const std::int64_t gx0 = std::max<std::int64_t>(cx, 0), gx1 = std::min<std::int64_t>(cxEnd, W);
            for (std::int64_t yy = y0; yy < y1; ++yy) {
                QRgb* row = reinterpret_cast<QRgb*>(ras.bits + yy * ras.stride);
                const std::uint8_t* a = m.alpha.data() + (yy - top) * cellW;
                for (std::int64_t xx = gx0; xx < gx1; ++xx) {
                    const int c = a[xx - cx];
                    if (c == 0) continue;
                    if (c == 255) {
                        row[xx] = ink;
                        continue;
                    }
                    const QRgb d = row[xx];
                    row[xx] = qRgb((ir * c + qRed(d) * (255 - c) + 127) / 255, (ig * c + qGreen(d) * (255 - c) + 127) / 255,
                                   (ib * c + qBlue(d) * (255 - c) + 127) / 255);
                }
            }
        }
        cell += std::int64_t(cells) * font.width;
        i += n;
    }
}

const TypesetFont& QtSurface::typesetFont() const {
    if (!typeset_) typeset_ = std::make_unique<TypesetFont>();
    return *typeset_;
}

TextExtent QtSurface::measureText(std::string_view utf8, TextStyle style) const { return typesetFont().measure(utf8, style); }

// Through one painter on the image, in device-independent pixels of the image: the text is
// set at its device size without a further transform, so that glyphs come from the cache.
QPainter& QtSurface::textPainter() {
    if (!textPainter_) {
        textPainter_ = std::make_unique<QPainter>(image_);
        textPainter_->setRenderHint(QPainter::Antialiasing, true);
        textPainter_->setRenderHint(QPainter::TextAntialiasing, true);
    }
    return *textPainter_;
}

void QtSurface::drawText(double x, double baseline, std::string_view utf8, TextStyle style) {
    if (!image_ || utf8.empty() || !(style.size > 0) || style.size > 4096) return;
    QPainter& p = textPainter();
    const double r = image_->devicePixelRatio(), k = style_.scale / r;
    p.setPen(toQColor(textColour_));
    typesetFont().drawAt(p, (x + origin_.x) * k, (baseline + origin_.y) * k - static_cast<double>(firstRow_) / r, utf8,
                         {style.size * k, style.italic});
}

void QtSurface::drawRule(double x0, double y0, double x1, double y1, double width) {
    if (!image_) return;
    QPainter& p = textPainter();
    const double r = image_->devicePixelRatio(), k = style_.scale / r, shift = static_cast<double>(firstRow_) / r;
    p.setPen(QPen(toQColor(textColour_), width * k, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawLine(QPointF((x0 + origin_.x) * k, (y0 + origin_.y) * k - shift), QPointF((x1 + origin_.x) * k, (y1 + origin_.y) * k - shift));
}

} // namespace yhb
