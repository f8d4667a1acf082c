// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/qt/painter_surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

#include "gfx/cp936.h"
#include "gfx/smooth_path.h"
#include "gfx/qt/qt_surface.h"
#include "gfx/qt/typeset_font.h"

namespace yhb {
namespace {

constexpr int kReferenceSize = 100;

QPointF centreOf(Point p, Point origin) {
    auto clamp = [](double v) { return std::clamp(v, -kFar, kFar); };
    return {clamp(double(p.x) + origin.x + 0.5), clamp(double(p.y) + origin.y + 0.5)};
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter, double penWidth)
    : PainterSurface(painter, penWidth, std::make_shared<TypesetFont>()) {}

PainterSurface::PainterSurface(QPainter& painter, double penWidth, std::shared_ptr<const TypesetFont> font)
    : painter_(painter), penWidth_(penWidth), font_(QtSurface::fontFamily()), typeset_(std::move(font)) {
    font_.setPixelSize(kReferenceSize);
    font_.setHintingPreference(QFont::PreferNoHinting); // the outline, scaled: no grid to fit
    const QFontMetricsF fm(font_, painter_.device());
    const double cell = std::max(fm.ascent() + fm.descent(), 1.0);
    cellRatio_ = cell / kReferenceSize;
    ascentRatio_ = fm.ascent() / cell;
    double sum = 0;
    for (char c = 0x20; c < 0x7F; ++c) sum += fm.horizontalAdvance(QChar(c));
    averageRatio_ = std::max(sum / (0x7F - 0x20), 1.0) / kReferenceSize;
}

PainterSurface::~PainterSurface() = default;

TextExtent PainterSurface::measureText(std::string_view utf8, TextStyle style) const { return typeset_->measure(utf8, style); }

void PainterSurface::drawText(double x, double baseline, std::string_view utf8, TextStyle style) {
    if (utf8.empty()) return;
    painter_.setPen(toQColor(textColour_));
    typeset_->draw(painter_, x + origin_.x, baseline + origin_.y, utf8, style);
}

void PainterSurface::drawRule(double x0, double y0, double x1, double y1, double width) {
    painter_.setPen(QPen(toQColor(textColour_), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter_.drawLine(QPointF(x0 + origin_.x, y0 + origin_.y), QPointF(x1 + origin_.x, y1 + origin_.y));
}

QPen PainterSurface::currentPen() const {
    QPen pen(toQColor(pen_), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

void PainterSurface::lineTo(int x, int y) {
    const Point from = current_;
    current_ = {x, y};
    if (from == current_) return;
    painter_.setPen(currentPen());
    painter_.drawLine(centreOf(from, origin_), centreOf(current_, origin_));
}

void PainterSurface::polyline(const Point* pts, int count) {
    if (count < 2) return;
    QPolygonF poly;
    poly.reserve(count);
    if (smoothCurves_)
        for (const PathPoint& p : smoothSteps(pts, count, 0.05)) poly << QPointF(p.x + origin_.x + 0.5, p.y + origin_.y + 0.5);
    else
        for (int i = 0; i < count; ++i)
            if (i == 0 || pts[i] != pts[i - 1]) poly << centreOf(pts[i], origin_);
    if (poly.size() < 2) return;
    painter_.setPen(currentPen());
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(poly);
}

void PainterSurface::ellipse(int left, int top, int right, int bottom) {
    // The outline runs through the centres of the box's outer pixels, as the raster one does.
    const QPointF a = centreOf({left, top}, origin_), b = centreOf({right - 1, bottom - 1}, origin_);
    painter_.setPen(currentPen());
    if (brush_ == Brush::None)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(toQColor(brush_ == Brush::Grey ? kGrey : kWhite));
    painter_.drawEllipse(QRectF(a, b));
}

void PainterSurface::fillRect(int left, int top, int right, int bottom, Colour c) {
    if (right <= left || bottom <= top) return;
    const double l = std::max(-kFar, double(left) + origin_.x), t = std::max(-kFar, double(top) + origin_.y);
    const double r = std::min(kFar, double(right) + origin_.x), b = std::min(kFar, double(bottom) + origin_.y);
    painter_.fillRect(QRectF(QPointF(l, t), QPointF(r, b)), toQColor(c));
}

void PainterSurface::textOut(int x, int y, std::string_view text, CellFont font) {
    if (text.empty() || font.height <= 0 || font.width <= 0) return;
    const double left = double(x) + origin_.x, top = double(y) + origin_.y;
    if (bkMode_ == BkMode::Opaque)
        painter_.fillRect(QRectF(left, top, double(cp936::cp936Width(text)) * font.width, font.height), Qt::white);
    const double scale = font.height / (cellRatio_ * kReferenceSize);
    // As a font of this height and average width draws: glyphs widened or narrowed so that
    // the average one fills a cell.
    const double widen = font.width / (averageRatio_ * kReferenceSize * scale);
    const double baseline = top + font.height * ascentRatio_;
    painter_.setFont(font_);
    painter_.setPen(toQColor(textColour_));
    const QFontMetricsF fm(font_, painter_.device());
    double cell = left;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t n = 1;
        const double cellWidth = double(cp936::cellsOf(cp936::decodeAt(text, i, n))) * font.width;
        const QString ch = QString::fromUtf8(text.data() + i, static_cast<qsizetype>(n));
        const double advance = fm.horizontalAdvance(ch) * scale;
        if (!ch.trimmed().isEmpty() && advance > 0) {
            // Narrowed further when it would leave its cells; centred in them.
            const double sx = advance * widen > cellWidth ? cellWidth / advance : widen;
            painter_.save();
            painter_.translate(cell + (cellWidth - advance * sx) / 2.0, baseline);
            painter_.scale(scale * sx, scale);
            painter_.drawText(QPointF(0, 0), ch);
            painter_.restore();
        }
        cell += cellWidth;
        i += n;
    }
}

} // namespace yhb
