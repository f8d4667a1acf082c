#include "gfx/qt_surface.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

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
void QtSurface::segment(int x0, int y0, int x1, int y1) {
    if (!image_ || image_->isNull()) return;
    const std::int64_t W = image_->width(), H = image_->height();
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
    std::int64_t start = firstWhere(lo, hi, [&](std::int64_t i) {
        std::int64_t m = minorAt(i);
        return rising ? m >= 0 : m < minLimit;
    });
    std::int64_t end = firstWhere(start, hi, [&](std::int64_t i) {
        std::int64_t m = minorAt(i);
        return rising ? m >= minLimit : m < 0;
    }) - 1;
    if (start > end || !inside(start)) return;

    const std::uint32_t colour = argb(pen_);
    uchar* bits = image_->bits();
    const qsizetype stride = image_->bytesPerLine();
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
    segment(current_.x + origin_.x, current_.y + origin_.y, x + origin_.x, y + origin_.y);
    current_ = {x, y};
}

void QtSurface::polyline(const Point* pts, int count) {
    for (int i = 1; i < count; ++i) {
        if (pts[i] == pts[i - 1]) continue;
        segment(pts[i - 1].x + origin_.x, pts[i - 1].y + origin_.y, pts[i].x + origin_.x, pts[i].y + origin_.y);
    }
}

void QtSurface::ellipse(int left, int top, int right, int bottom) {
    if (!image_ || image_->isNull()) return;
    const std::int64_t l = std::int64_t(left) + origin_.x, t = std::int64_t(top) + origin_.y;
    const std::int64_t r = std::int64_t(right) + origin_.x, b = std::int64_t(bottom) + origin_.y;
    if (r - l < 1 || b - t < 1) return;
    if (r < 0 || b < 0 || l > image_->width() || t > image_->height()) return;
    if (r - l > (1 << 20) || b - t > (1 << 20)) return; // nothing a canvas could show
    QPainter p(image_);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(toQColor(pen_), 0));
    if (brush_ == Brush::None)
        p.setBrush(Qt::NoBrush);
    else
        p.setBrush(toQColor(brush_ == Brush::Grey ? kGrey : kWhite));
    p.drawEllipse(QRect(int(l), int(t), int(r - l - 1), int(b - t - 1)));
}

void QtSurface::fillRect(int left, int top, int right, int bottom, Colour c) {
    if (!image_ || image_->isNull()) return;
    const std::int64_t l = std::max<std::int64_t>(std::int64_t(left) + origin_.x, 0);
    const std::int64_t t = std::max<std::int64_t>(std::int64_t(top) + origin_.y, 0);
    const std::int64_t r = std::min<std::int64_t>(std::int64_t(right) + origin_.x, image_->width());
    const std::int64_t b = std::min<std::int64_t>(std::int64_t(bottom) + origin_.y, image_->height());
    if (l >= r || t >= b) return;
    const std::uint32_t colour = argb(c);
    for (std::int64_t y = t; y < b; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image_->scanLine(int(y)));
        std::fill(row + l, row + r, colour);
    }
}

void QtSurface::textOut(int x, int y, std::string_view text, CellFont font) {
    if (!image_ || image_->isNull() || text.empty() || font.height <= 0 || font.width <= 0) return;
    const std::int64_t dx = std::int64_t(x) + origin_.x, dy = std::int64_t(y) + origin_.y;
    const std::int64_t total = std::int64_t(text.size()) * font.width;
    if (dy >= image_->height() || dy + font.height <= 0 || dx >= image_->width() || dx + total <= 0) return;

    QPainter p(image_);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QFont f(fontFamily());
    f.setPixelSize(font.height);
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    p.setPen(toQColor(textColour_));
    const QFontMetricsF fm(f);
    const double sy = font.height / std::max(1.0, fm.height());
    const QRect all(int(dx), int(dy), int(std::min<std::int64_t>(total, 1 << 24)), font.height);
    if (bkMode_ == BkMode::Opaque) p.fillRect(all, Qt::white);

    std::size_t i = 0;
    std::int64_t cx = dx;
    while (i < text.size()) {
        const std::size_t n = cp936::isDoubleByteAt(text, i) ? 2 : 1;
        const int cellW = int(n) * font.width;
        if (cx + cellW > 0 && cx < image_->width()) {
            const QString ch = QString::fromUtf8(cp936::toUtf8(text.substr(i, n)));
            const double adv = fm.horizontalAdvance(ch);
            if (adv > 0 && !ch.trimmed().isEmpty()) {
                p.save();
                p.setClipRect(QRect(int(cx), int(dy), cellW, font.height));
                p.translate(double(cx), double(dy));
                p.scale(cellW / adv, sy);
                p.drawText(QPointF(0, fm.ascent()), ch);
                p.restore();
            }
        }
        cx += cellW;
        i += n;
    }
}

} // namespace yhb
