// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/presentation_surface.h"

namespace yhb {

void PresentationSurface::setBrush(Brush b) {
    if (b == Brush::Grey && colours_(kGrey) == kWhite) b = Brush::White;
    s_.setBrush(b);
}

void PresentationSurface::caption(int x, int y, std::string_view text, CellFont font, int l, int t, int r, int b) {
    const Point o = s_.origin();
    const int w = static_cast<int>(text.size()) * font.width, h = font.height;
    const int cx = (l + r) / 2, cy = (t + b) / 2;
    const int gap = 1;
    // The drawing code's place first, then the other sides of the mark, then farther below
    // and above it; each stays beside the point.
    std::vector<Point> places = {{x, y},
                                 {x, t - gap - h},
                                 {2 * cx - x - w, y},
                                 {2 * cx - x - w, t - gap - h},
                                 {r + gap, cy - h / 2},
                                 {l - gap - w, cy - h / 2},
                                 {cx - w / 2, b + gap},
                                 {cx - w / 2, t - gap - h}};
    for (int k = 1; k <= 8; ++k) {
        places.push_back({x, y + k * (h + gap)});
        places.push_back({x, t - gap - h - k * (h + gap)});
    }
    // A free place inside the bounds, else any free place, else the drawing code's.
    Point chosen{x, y};
    bool found = false, foundInside = false;
    for (const Point& p : places) {
        const Rect box{p.x + o.x, p.y + o.y, w, h};
        bool free = true;
        for (const Rect& c : captions_) free = free && !c.overlaps(box);
        if (!free) continue;
        const bool inside = !bounds_ || bounds_->contains(box);
        if (!found || (inside && !foundInside)) chosen = p;
        found = true;
        foundInside = foundInside || inside;
        if (foundInside) break;
    }
    captions_.push_back({chosen.x + o.x, chosen.y + o.y, w, h});
    s_.caption(chosen.x, chosen.y, text, font, l, t, r, b);
}

} // namespace yhb
