// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "gfx/surface.h"

namespace yhb {

// Vector output of the same drawing: curves as polylines, text as text. Coordinates are
// device pixels of a width x height picture.
class SvgSurface : public SurfaceState {
public:
    SvgSurface(int width, int height);

    void lineTo(int x, int y) override;
    void polyline(const Point* pts, int count) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void fillRect(int left, int top, int right, int bottom, Colour c) override;
    void textOut(int x, int y, std::string_view text, CellFont font) override;
    void drawText(double x, double baseline, std::string_view utf8, TextStyle style) override;
    void drawRule(double x0, double y0, double x1, double y1, double width) override;

    std::string document() const;

private:
    std::string colourAttr(Colour c) const;
    int width_;
    int height_;
    std::string body_;
};

} // namespace yhb
