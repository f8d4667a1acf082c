#include "gfx/qt_surface.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

#include "gfx/cp936.h"

namespace yhb {

QColor toQColor(Colour c) { return QColor(red(c), green(c), blue(c)); }

namespace {

inline std::uint32_t argb(Colour c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(red(c)) << 16) | (static_cast<std::uint32_t>(green(c)) << 8) |
           static_cast<std::uint32_t>(blue(c));
}

} // namespace

QtSurface::QtSurface(QImage* target) : image_(target) {}

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

// Pixels of the line from (x0, y0) towards (x1, y1): along the major axis one pixel per step,
// the minor coordinate rounded; the end pixel is left out. Clipped to the image by choosing the
// range of steps, so clipping never moves a pixel.
QtSurface::Raster QtSurface::raster() {
    if (!image_ || image_->isNull()) return {};
    return {image_->bits(), image_->bytesPerLine(), image_->width(), image_->height()};
}

void QtSurface::segment(const Raster& ras, int x0, int y0, int x1, int y1) {
    if (!ras.bits) return;
    const std::int64_t W = ras.width, H = ras.height;
    std::int64_t dx = std::int64_t(x1) - x0, dy = std::int64_t(y1) - y0;
    if (dx == 0 && dy == 0) return;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int sMaj = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int sMin = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    const std::int64_t maj0 = xMajor ? x0 : y0, min0 = xMajor ? y0 : x0;
    const std::int64_t majLimit = xMajor ? W : H, minLimit = xMajor ? H : W;
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
            return m >= 0 && m < minLimit;
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
            return rising ? m >= 0 : m < minLimit;
        });
        end = firstWhere(start, hi, [&](std::int64_t i) {
            std::int64_t m = minorAt(i);
            return rising ? m >= minLimit : m < 0;
        }) - 1;
        if (start > end || !inside(start)) return;
    }

    std::int64_t err = 2 * start * minor + major; // numerator of minorAt, kept incrementally
    std::int64_t m = min0 + sMin * (err / (2 * major));
    err %= 2 * major;
    std::int64_t j = maj0 + sMaj * start;
    for (std::int64_t i = start; i <= end; ++i) {
        const std::int64_t px = xMajor ? j : m, py = xMajor ? m : j;
        reinterpret_cast<std::uint32_t*>(bits + py * stride)[px] = colour;
        j += sMaj;
        err += 2 * minor;
        while (err >= 2 * major) {
            err -= 2 * major;
            m += sMin;
        }
    }
}

void QtSurface::lineTo(int x, int y) {
    segment(raster(), current_.x + origin_.x, current_.y + origin_.y, x + origin_.x, y + origin_.y);
    current_ = {x, y};
}

void QtSurface::polyline(const Point* pts, int count) {
    const Raster ras = raster();
    for (int i = 1; i < count; ++i) {
        if (pts[i] == pts[i - 1]) continue;
        segment(ras, pts[i - 1].x + origin_.x, pts[i - 1].y + origin_.y, pts[i].x + origin_.x, pts[i].y + origin_.y);
    }
}

// The ellipse inscribed in [left, right) x [top, bottom): the interior in the brush colour,
// the outline in the pen colour, each row's outline joined to its neighbours' so that it
// stays closed. Drawn here rather than through QPainter so that a repaint never sets up a
// painter.
void QtSurface::ellipse(int left, int top, int right, int bottom) {
    if (!image_ || image_->isNull()) return;
    const std::int64_t l = std::int64_t(left) + origin_.x, t = std::int64_t(top) + origin_.y;
    const std::int64_t r = std::int64_t(right) + origin_.x, b = std::int64_t(bottom) + origin_.y;
    if (r - l < 1 || b - t < 1) return;
    if (r < 0 || b < 0 || l > image_->width() || t > image_->height()) return;
    if (r - l > (1 << 20) || b - t > (1 << 20)) return; // nothing a canvas could show
    const std::int64_t W = image_->width(), H = image_->height();
    const double cx = (l + r - 1) / 2.0, cy = (t + b - 1) / 2.0;
    const double ax = (r - l - 1) / 2.0, ay = (b - t - 1) / 2.0;
    auto span = [&](std::int64_t y, std::int64_t& xs, std::int64_t& xe) {
        if (y < t || y >= b) return false;
        const double d = ay > 0 ? (y - cy) / ay : 0.0;
        const double hw = ax * std::sqrt(std::max(0.0, 1.0 - d * d));
        xs = std::int64_t(std::floor(cx - hw + 0.5));
        xe = std::int64_t(std::floor(cx + hw + 0.5));
        return true;
    };
    const std::uint32_t pen = argb(pen_);
    const std::uint32_t fill = argb(brush_ == Brush::Grey ? kGrey : kWhite);
    auto put = [&](QRgb* row, std::int64_t a, std::int64_t z, std::uint32_t c) {
        a = std::max<std::int64_t>(a, 0);
        z = std::min<std::int64_t>(z, W - 1);
        if (a <= z) std::fill(row + a, row + z + 1, c);
    };
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

void QtSurface::fillRect(int left, int top, int right, int bottom, Colour c) {
    if (!image_ || image_->isNull()) return;
    const std::int64_t l = std::max<std::int64_t>(std::int64_t(left) + origin_.x, 0);
    const std::int64_t t = std::max<std::int64_t>(std::int64_t(top) + origin_.y, 0);
    const std::int64_t r = std::min<std::int64_t>(std::int64_t(right) + origin_.x, image_->width());
    const std::int64_t b = std::min<std::int64_t>(std::int64_t(bottom) + origin_.y, image_->height());
    if (l >= r || t >= b) return;
    const std::uint32_t colour = argb(c);
    if (l == 0 && t == 0 && r == image_->width() && b == image_->height()) {
        image_->fill(colour); // the whole background: Qt's vectorised fill
        return;
    }
    for (std::int64_t y = t; y < b; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image_->scanLine(int(y)));
        std::fill(row + l, row + r, colour);
    }
}

namespace {

// One glyph drawn into its cells, kept as the set pixels so that text is a copy of pixels,
// not a font rendering, on every repaint.
struct GlyphMask {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bits; // width * height, 1 = ink
};

const GlyphMask& glyphMask(std::string_view bytes, int cellW, int height) {
    static std::unordered_map<std::string, GlyphMask> cache;
    std::string key(bytes);
    key += '\0';
    key += std::to_string(cellW) + "x" + std::to_string(height);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() > 8192) cache.clear(); // sizes change with zooming; stay bounded

    GlyphMask m;
    m.width = cellW;
    m.height = height;
    m.bits.assign(static_cast<std::size_t>(cellW) * static_cast<std::size_t>(height), 0);
    const QString ch = QString::fromUtf8(cp936::toUtf8(bytes));
    if (!ch.trimmed().isEmpty()) {
        QFont f(QtSurface::fontFamily());
        f.setPixelSize(height);
        f.setStyleStrategy(QFont::NoAntialias);
        const QFontMetricsF fm(f);
        const double adv = fm.horizontalAdvance(ch);
        if (adv > 0) {
            QImage cell(cellW, height, QImage::Format_RGB32);
            cell.fill(Qt::white);
            QPainter p(&cell);
            p.setRenderHint(QPainter::TextAntialiasing, false);
            p.setFont(f);
            p.setPen(Qt::black);
            p.scale(cellW / adv, height / std::max(1.0, fm.height()));
            p.drawText(QPointF(0, fm.ascent()), ch);
            p.end();
            for (int y = 0; y < height; ++y) {
                const QRgb* row = reinterpret_cast<const QRgb*>(cell.constScanLine(y));
                for (int x = 0; x < cellW; ++x) m.bits[static_cast<std::size_t>(y * cellW + x)] = qGray(row[x]) < 128;
            }
        }
    }
    return cache.emplace(std::move(key), std::move(m)).first->second;
}

} // namespace

void QtSurface::textOut(int x, int y, std::string_view text, CellFont font) {
    if (!image_ || image_->isNull() || text.empty() || font.height <= 0 || font.width <= 0) return;
    if (font.height > 4096 || font.width > 4096) return; // nothing a window could show
    const std::int64_t W = image_->width(), H = image_->height();
    const std::int64_t dx = std::int64_t(x) + origin_.x, dy = std::int64_t(y) + origin_.y;
    const std::int64_t total = std::int64_t(text.size()) * font.width;
    if (dy >= H || dy + font.height <= 0 || dx >= W || dx + total <= 0) return;

    const std::int64_t y0 = std::max<std::int64_t>(dy, 0), y1 = std::min<std::int64_t>(dy + font.height, H);
    if (bkMode_ == BkMode::Opaque) {
        const std::int64_t x0 = std::max<std::int64_t>(dx, 0), x1 = std::min<std::int64_t>(dx + total, W);
        for (std::int64_t yy = y0; yy < y1; ++yy) {
            QRgb* row = reinterpret_cast<QRgb*>(image_->scanLine(int(yy)));
            std::fill(row + x0, row + x1, qRgb(255, 255, 255));
        }
    }
    const QRgb ink = argb(textColour_);
    std::size_t i = 0;
    std::int64_t cx = dx;
    while (i < text.size() && cx < W) {
        const std::size_t n = cp936::isDoubleByteAt(text, i) ? 2 : 1;
        const int cellW = int(n) * font.width;
        if (cx + cellW > 0) {
            const GlyphMask& m = glyphMask(text.substr(i, n), cellW, font.height);
            const std::int64_t gx0 = std::max<std::int64_t>(cx, 0), gx1 = std::min<std::int64_t>(cx + cellW, W);
            for (std::int64_t yy = y0; yy < y1; ++yy) {
                QRgb* row = reinterpret_cast<QRgb*>(image_->scanLine(int(yy)));
                const std::uint8_t* bits = m.bits.data() + (yy - dy) * cellW;
                for (std::int64_t xx = gx0; xx < gx1; ++xx)
                    if (bits[xx - cx]) row[xx] = ink;
            }
        }
        cx += cellW;
        i += n;
    }
}

} // namespace yhb
