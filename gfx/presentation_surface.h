// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <utility>
#include <vector>

#include "gfx/forwarding_surface.h"

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
// brush too, when the map turns grey into white). Its captions are placed by the textbook
// scene, which presentation mode always draws.
class PresentationSurface : public ForwardingSurface {
public:
    PresentationSurface(Surface& target, ColourMap colours) : ForwardingSurface(target), colours_(std::move(colours)) {}

    void setPen(Colour c) override { s_.setPen(colours_(c)); }
    void setBrush(Brush b) override;
    void setTextColour(Colour c) override { s_.setTextColour(colours_(c)); }
    void fillRect(int l, int t, int r, int b, Colour c) override { s_.fillRect(l, t, r, b, colours_(c)); }

private:
    ColourMap colours_;
};

} // namespace yhb
