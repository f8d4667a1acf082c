// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <utility>
#include <vector>

#include "gfx/surface.h"

namespace yhb {

// Colours replaced one for one; a colour not listed stays as it is.
struct ColourMap {
    std::vector<std::pair<Colour, Colour>> pairs;
    Colour operator()(Colour c) const {
        for (const auto& p : pairs)
            if (p.first == c) return p.second;
        return c;
    }
};

// Draws through another surface for a projector: every colour through the map (the grey
// brush too, when the map turns grey into white), and point captions kept apart: a caption
// that would overlap one written before it in the same drawing goes to the first free place
// beside its point.
class PresentationSurface : public Surface {
public:
    struct Box {
        int left, top, right, bottom; // [left, right) x [top, bottom), origin applied
        bool overlaps(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
    };

    PresentationSurface(Surface& target, ColourMap colours) : s_(target), colours_(std::move(colours)) {}

    void setPen(Colour c) override { s_.setPen(colours_(c)); }
    void setBrush(Brush b) override;
    void setTextColour(Colour c) override { s_.setTextColour(colours_(c)); }
    void setBkMode(BkMode m) override { s_.setBkMode(m); }
    void setOrigin(int x, int y) override { s_.setOrigin(x, y); }
    Point origin() const override { return s_.origin(); }
    void moveTo(int x, int y) override { s_.moveTo(x, y); }
    void lineTo(int x, int y) override { s_.lineTo(x, y); }
    void polyline(const Point* pts, int count) override { s_.polyline(pts, count); }
    void ellipse(int l, int t, int r, int b) override { s_.ellipse(l, t, r, b); }
    void fillRect(int l, int t, int r, int b, Colour c) override { s_.fillRect(l, t, r, b, colours_(c)); }
    void textOut(int x, int y, std::string_view text, CellFont font) override { s_.textOut(x, y, text, font); }
    void caption(int x, int y, std::string_view text, CellFont font, int left, int top, int right, int bottom) override;

    // The captions written so far, where they went.
    const std::vector<Box>& captions() const { return captions_; }
    // Captions are moved only to places inside [0, width) x [0, height) when one is free.
    void keepCaptionsInside(int width, int height) { bounds_ = {0, 0, width, height}; }

private:
    Surface& s_;
    ColourMap colours_;
    std::vector<Box> captions_;
    Box bounds_{-(1 << 30), -(1 << 30), 1 << 30, 1 << 30};
};

} // namespace yhb
