// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <utility>
#include <vector>

#include "gfx/forwarding_surface.h"
#include "gfx/rect.h"

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
class PresentationSurface : public ForwardingSurface {
public:
    PresentationSurface(Surface& target, ColourMap colours) : ForwardingSurface(target), colours_(std::move(colours)) {}

    void setPen(Colour c) override { s_.setPen(colours_(c)); }
    void setBrush(Brush b) override;
    void setTextColour(Colour c) override { s_.setTextColour(colours_(c)); }
    void fillRect(int l, int t, int r, int b, Colour c) override { s_.fillRect(l, t, r, b, colours_(c)); }
    void caption(int x, int y, std::string_view text, CellFont font, int left, int top, int right, int bottom) override;

    // The captions written so far, where they went (origin applied).
    const std::vector<Rect>& captions() const { return captions_; }
    // Captions are moved only to places inside [0, width) x [0, height) when one is free.
    void keepCaptionsInside(int width, int height) { bounds_ = Rect{0, 0, width, height}; }

private:
    ColourMap colours_;
    std::vector<Rect> captions_;
    std::optional<Rect> bounds_; // none: anywhere
};

} // namespace yhb
