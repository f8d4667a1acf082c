// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/textbook_scene.h"

#include <algorithm>
#include <cmath>

namespace yhb {

TextbookScene::TextbookScene(Surface& target, const ViewSettings& view, int w, int h)
    : ForwardingSurface(target), view_(view), width_(w), height_(h), placer_(Rect{0, 0, w, h}) {}

Point TextbookScene::toCanvas(int x, int y) const {
    const Point o = s_.origin();
    return {x + o.x, y + o.y};
}

void TextbookScene::extra(const ExpressionSlot& row, int index) {
    if (row_ != &row) {
        row_ = &row;
        names_ = namesOfRow(row);
    }
    name_ = index >= 0 && static_cast<std::size_t>(index) < names_.size() ? &names_[static_cast<std::size_t>(index)] : nullptr;
    if (name_ && name_->shape != NamedShape::Point && name_->defined && view_.showLabels) addLine(*name_);
}

void TextbookScene::setTextColour(Colour c) {
    colour_ = c;
    s_.setTextColour(c);
}

void TextbookScene::moveTo(int x, int y) {
    current_ = {x, y};
    s_.moveTo(x, y);
}

void TextbookScene::lineTo(int x, int y) {
    placer_.addStroke(toCanvas(current_.x, current_.y), toCanvas(x, y));
    current_ = {x, y};
    s_.lineTo(x, y);
}

void TextbookScene::polyline(const Point* pts, int count) {
    placer_.addPolyline(pts, count, s_.origin());
    s_.polyline(pts, count);
}

void TextbookScene::ellipse(int l, int t, int r, int b) {
    // A circle's outline is a curve like any other; a point's mark is an obstacle, added with
    // its caption.
    const Point a = toCanvas(l, t), c = toCanvas(r, b);
    const int x0 = std::min(a.x, c.x), x1 = std::max(a.x, c.x), y0 = std::min(a.y, c.y), y1 = std::max(a.y, c.y);
    if (x1 - x0 > 12 || y1 - y0 > 12) {
        constexpr int kSteps = 64;
        const double cx = (x0 + x1) / 2.0, cy = (y0 + y1) / 2.0, rx = (x1 - x0) / 2.0, ry = (y1 - y0) / 2.0;
        Point last{static_cast<int>(cx + rx), static_cast<int>(cy)};
        for (int i = 1; i <= kSteps; ++i) {
            const double t = 2 * M_PI * i / kSteps;
            const Point p{static_cast<int>(cx + rx * std::cos(t)), static_cast<int>(cy + ry * std::sin(t))};
            placer_.addStroke(last, p);
            last = p;
        }
    }
    s_.ellipse(l, t, r, b);
}

void TextbookScene::textOut(int x, int y, std::string_view text, CellFont font) {
    const Point p = toCanvas(x, y);
    placer_.addObstacle({p.x, p.y, static_cast<int>(text.size()) * font.width, font.height});
    s_.textOut(x, y, text, font);
}

void TextbookScene::drawText(double x, double baseline, std::string_view utf8, TextStyle style) {
    const TextExtent e = s_.measureText(utf8, style);
    const Point p = toCanvas(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(baseline - e.ascent)));
    placer_.addObstacle({p.x, p.y, static_cast<int>(std::ceil(e.width)) + 1, static_cast<int>(std::ceil(e.ascent + e.descent)) + 1});
    s_.drawText(x, baseline, utf8, style);
}

math::Node TextbookScene::label(const TextbookName& n) const { return view_.figure ? n.name : yhb::caption(n); }

void TextbookScene::caption(int, int, std::string_view, CellFont, int l, int t, int r, int b) {
    const Point a = toCanvas(l, t), c = toCanvas(r, b);
    const Rect mark = Rect::fromEdges(a.x, a.y, c.x, c.y);
    placer_.addObstacle(mark);
    // A point out of sight is not named: its caption would stand at the edge for nothing.
    if (!name_ || name_->shape != NamedShape::Point || !mark.overlaps(Rect{0, 0, width_, height_})) return;
    math::Node text = label(*name_);
    if (text.empty()) return;
    points_.push_back({math::layout(text, s_, kCaptionSize), {mark}, colour_, std::nullopt});
}

// Spots along the part of the line inside the canvas, middle first.
void TextbookScene::addLine(const TextbookName& n) {
    const Point o = s_.origin();
    const double sc = view_.pixelsPerUnit;
    double x0, y0, x1, y1; // canvas pixels, clipped below
    switch (n.shape) {
    case NamedShape::VerticalLine:
        x0 = x1 = o.x + sc * n.values[0];
        y0 = 0;
        y1 = height_;
        break;
    case NamedShape::HorizontalLine:
        y0 = y1 = o.y - sc * n.values[0];
        x0 = 0;
        x1 = width_;
        break;
    default: {
        const double k = n.values[0], b = n.values[1];
        auto yAt = [&](double X) { return o.y - sc * (k * ((X - o.x) / sc) + b); };
        x0 = 0;
        x1 = width_;
        y0 = yAt(x0);
        y1 = yAt(x1);
        // Clip to the canvas rows.
        auto clipY = [&](double& X, double& Y, double otherX, double otherY) {
            if (Y >= 0 && Y <= height_) return;
            const double target = Y < 0 ? 0 : height_;
            if (otherY == Y) return;
            X = X + (otherX - X) * (target - Y) / (otherY - Y);
            Y = target;
        };
        clipY(x0, y0, x1, y1);
        clipY(x1, y1, x0, y0);
        break;
    }
    }
    if (!std::isfinite(x0 + y0 + x1 + y1) || std::min(x0, x1) > width_ || std::max(x0, x1) < 0 ||
        std::min(y0, y1) > height_ || std::max(y0, y1) < 0)
        return;
    math::Node text = label(n);
    if (text.empty()) return;
    Pending p{math::layout(text, s_, kCaptionSize), {}, colour_, std::nullopt};
    // A caption across the very line it names hides where that line runs.
    if (n.shape == NamedShape::VerticalLine) p.ownLine = Rect::fromEdges(static_cast<int>(x0) - 1, 0, static_cast<int>(x0) + 2, height_);
    if (n.shape == NamedShape::HorizontalLine) p.ownLine = Rect::fromEdges(0, static_cast<int>(y0) - 1, width_, static_cast<int>(y0) + 2);
    for (double f : {0.5, 0.3, 0.7, 0.15, 0.85}) {
        const int X = static_cast<int>(x0 + (x1 - x0) * f), Y = static_cast<int>(y0 + (y1 - y0) * f);
        p.anchors.push_back({X, Y, 0, 0});
    }
    lines_.push_back(std::move(p));
}

void TextbookScene::finish() {
    const Point o = s_.origin();
    auto draw = [&](const Pending& p) {
        const int w = static_cast<int>(std::ceil(p.layout.width)), h = static_cast<int>(std::ceil(p.layout.height()));
        const std::optional<Rect> place = placer_.place(p.anchors, w, h, p.ownLine ? &*p.ownLine : nullptr);
        if (!place) return;
        const Rect& box = *place;
        s_.setTextColour(p.colour);
        p.layout.draw(s_, box.x - o.x, box.y - o.y + p.layout.ascent);
    };
    // The most crowded points choose first: a point alone has room anywhere around it, one
    // among others only in the gaps they leave.
    const int reach = static_cast<int>(4 * kCaptionSize);
    auto crowding = [&](const Pending& p) {
        const Rect& m = p.anchors.front();
        const Rect around = Rect::fromEdges(m.x - 2 * reach, m.y - reach, m.right() + 2 * reach, m.bottom() + reach);
        int n = placer_.coverage(around) / 8;
        for (const Pending& q : points_) n += &q != &p && q.anchors.front().overlaps(around) ? 10 : 0;
        return n;
    };
    std::vector<std::pair<int, const Pending*>> order;
    for (const Pending& p : points_) order.push_back({-crowding(p), &p});
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [crowd, p] : order) draw(*p);
    for (const Pending& p : lines_) draw(p);
    s_.setTextColour(colour_);
    s_.flush();
}

} // namespace yhb
