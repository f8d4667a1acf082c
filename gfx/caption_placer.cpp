// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/caption_placer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace yhb {

CaptionPlacer::CaptionPlacer(Rect bounds)
    : bounds_(bounds), columns_(std::max(1, (bounds.width + kCell - 1) / kCell)),
      rows_(std::max(1, (bounds.height + kCell - 1) / kCell)),
      cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), 0) {}

void CaptionPlacer::mark(int c, int r) {
    unsigned char& cell = cells_[static_cast<std::size_t>(r * columns_ + c)];
    if (!cell) {
        cell = 1;
        sumsStale_ = true;
    }
}

void CaptionPlacer::addStroke(Point a, Point b) {
    // Most strokes of a sampled curve are a pixel or two long: their ends' cells are all.
    const auto markAt = [this](Point p) {
        const int c = (p.x - bounds_.x) / kCell, r = (p.y - bounds_.y) / kCell;
        if (p.x >= bounds_.x && p.y >= bounds_.y && c < columns_ && r < rows_) mark(c, r);
    };
    if (std::abs(b.x - a.x) <= kCell && std::abs(b.y - a.y) <= kCell) {
        markAt(a);
        markAt(b);
        return;
    }
    // Clipped to the bounds first: a line of the plane may run from far off to far off.
    double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y, t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - bounds_.x, bounds_.right() - 1 - x0, y0 - bounds_.y, bounds_.bottom() - 1 - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, r);
        else t1 = std::min(t1, r);
        if (t0 > t1) return;
    }
    const double ax = x0 + dx * t0, ay = y0 + dy * t0, bx = x0 + dx * t1, by = y0 + dy * t1;
    const int steps = 1 + static_cast<int>(std::max(std::fabs(bx - ax), std::fabs(by - ay)) / (kCell / 2.0));
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const int c = static_cast<int>((ax + (bx - ax) * t - bounds_.x) / kCell);
        const int r = static_cast<int>((ay + (by - ay) * t - bounds_.y) / kCell);
        if (c >= 0 && c < columns_ && r >= 0 && r < rows_) mark(c, r);
    }
}

void CaptionPlacer::addPolyline(const Point* pts, int count, Point offset) {
    int first = 1; // the first point is marked only once a step leaves it
    while (first < count && pts[first] == pts[0]) ++first;
    if (first >= count) return;
    Point last{pts[0].x + offset.x, pts[0].y + offset.y};
    int lastCell = -1;
    const auto markAt = [&](Point p) {
        if (p.x < bounds_.x || p.y < bounds_.y) return;
        const int c = (p.x - bounds_.x) / kCell, r = (p.y - bounds_.y) / kCell;
        if (c >= columns_ || r >= rows_) return;
        const int cell = r * columns_ + c;
        if (cell != lastCell) mark(c, r);
        lastCell = cell;
    };
    markAt(last);
    for (int i = first; i < count; ++i) {
        const Point p{pts[i].x + offset.x, pts[i].y + offset.y};
        if (std::abs(p.x - last.x) > kCell || std::abs(p.y - last.y) > kCell) {
            addStroke(last, p);
            lastCell = -1;
        } else {
            markAt(p);
        }
        last = p;
    }
}

int CaptionPlacer::coverage(const Rect& box) const {
    const int c0 = std::max(0, (box.x - bounds_.x) / kCell), c1 = std::min(columns_ - 1, (box.right() - 1 - bounds_.x) / kCell);
    const int r0 = std::max(0, (box.y - bounds_.y) / kCell), r1 = std::min(rows_ - 1, (box.bottom() - 1 - bounds_.y) / kCell);
    if (c0 > c1 || r0 > r1) return 0;
    const std::size_t stride = static_cast<std::size_t>(columns_) + 1;
    if (sumsStale_) {
        sums_.assign(stride * (static_cast<std::size_t>(rows_) + 1), 0);
        for (int r = 0; r < rows_; ++r) {
            int run = 0;
            for (int c = 0; c < columns_; ++c) {
                run += cells_[static_cast<std::size_t>(r * columns_ + c)];
                sums_[(r + 1) * stride + c + 1] = sums_[r * stride + c + 1] + run;
            }
        }
        sumsStale_ = false;
    }
    const auto at = [&](int r, int c) { return sums_[static_cast<std::size_t>(r) * stride + static_cast<std::size_t>(c)]; };
    return at(r1 + 1, c1 + 1) - at(r0, c1 + 1) - at(r1 + 1, c0) + at(r0, c0);
}

std::optional<Rect> CaptionPlacer::place(const std::vector<Rect>& anchors, int w, int h, const Rect* ownLine) {
    // Clear of a smoothed pen's half width and an italic letter's lean.
    constexpr int kGap = 3;
    Rect best{};
    long bestScore = std::numeric_limits<long>::max();
    bool bestFree = false;
    // Every place tried lies within 5h + w + h of an anchor: only the obstacles there matter.
    near_.clear();
    if (!anchors.empty()) {
        int l = anchors[0].x, t = anchors[0].y, r = anchors[0].right(), b = anchors[0].bottom();
        for (const Rect& a : anchors) {
            l = std::min(l, a.x);
            t = std::min(t, a.y);
            r = std::max(r, a.right());
            b = std::max(b, a.bottom());
        }
        const int reach = 6 * h + w + 2 * kGap;
        const Rect region = Rect::fromEdges(l - reach, t - reach, r + reach, b + reach);
        for (const Rect& o : obstacles_)
            if (o.overlaps(region)) near_.push_back(o);
    }
    if (ownLine) near_.push_back(*ownLine);
    int anchorIndex = 0;
    for (const Rect& a : anchors) {
        int distance = 0, side = 0;
        const int l = a.x, t = a.y, r = a.right(), b = a.bottom(), cx = (l + r) / 2, cy = (t + b) / 2;
        // Beside the anchor first, then a little farther out, but never so far that the caption
        // no longer names its point at a glance: a caption that finds no room that near is
        // left out.
        for (const int d : {0, h / 4, h / 2, h, 3 * h / 2, 2 * h}) {
            // Coverage and side only add to a score: no place from here on can do better.
            if (bestFree && distance * 40L + anchorIndex * 10L >= bestScore) break;
            side = 0;
            const Point places[] = {{r + kGap + d, t - h + 2 - d}, {r + kGap + d, b - 2 + d},     {l - kGap - w - d, t - h + 2 - d},
                                    {l - kGap - w - d, b - 2 + d}, {cx - w / 2, t - kGap - h - d}, {cx - w / 2, b + kGap + d},
                                    {r + kGap + d, cy - h / 2},    {l - kGap - w - d, cy - h / 2},
                                    // above and below, shifted along: room between neighbours on a line
                                    {l - w / 4, t - kGap - h - d}, {r - 3 * w / 4, t - kGap - h - d},
                                    {l - w / 4, b + kGap + d},     {r - 3 * w / 4, b + kGap + d}};
            for (const Point& p : places) {
                ++side;
                const Rect box{p.x, p.y, w, h};
                if (!bounds_.contains(box)) continue;
                if (bestFree && distance * 40L + anchorIndex * 10L + side >= bestScore) continue;
                int overlaps = 0;
                for (const Rect& o : near_) overlaps += o.overlaps(box) ? 1 : 0;
                const bool free = overlaps == 0;
                if (bestFree && !free) continue;
                // Each step out weighs as much as crossing a curve; nearer the anchor tried first
                // among equals.
                const long score = (free ? 0 : overlaps * 100000L) + coverage(box) * 3L + distance * 40L +
                                   anchorIndex * 10L + side;
                if ((free && !bestFree) || score < bestScore) {
                    best = box;
                    bestScore = score;
                    bestFree = free;
                }
            }
            ++distance;
        }
        ++anchorIndex;
    }
    if (!bestFree) return std::nullopt;
    // Captions that touch read as one (A₂(3,0)A₂(5,0)): the next keeps a space's width away.
    const int apart = std::max(3, h / 4);
    obstacles_.push_back(Rect::fromEdges(best.x - apart, best.y - 1, best.right() + apart, best.bottom() + 1));
    return best;
}

} // namespace yhb
