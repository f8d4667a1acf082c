// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "gfx/surface.h"

namespace yhb {

// Draws through another surface unchanged; a subclass overrides only what it alters on the
// way.
class ForwardingSurface : public Surface {
public:
    explicit ForwardingSurface(Surface& target) : s_(target) {}

    void setPen(Colour c) override { s_.setPen(c); }
    void setBrush(Brush b) override { s_.setBrush(b); }
    void setTextColour(Colour c) override { s_.setTextColour(c); }
    void setBkMode(BkMode m) override { s_.setBkMode(m); }
    void setOrigin(int x, int y) override { s_.setOrigin(x, y); }
    Point origin() const override { return s_.origin(); }
    void moveTo(int x, int y) override { s_.moveTo(x, y); }
    void lineTo(int x, int y) override { s_.lineTo(x, y); }
    void polyline(const Point* pts, int count) override { s_.polyline(pts, count); }
    void ellipse(int l, int t, int r, int b) override { s_.ellipse(l, t, r, b); }
    void fillRect(int l, int t, int r, int b, Colour c) override { s_.fillRect(l, t, r, b, c); }
    void textOut(int x, int y, std::string_view text, CellFont font) override { s_.textOut(x, y, text, font); }
    void caption(int x, int y, std::string_view text, CellFont font, int l, int t, int r, int b) override {
        s_.caption(x, y, text, font, l, t, r, b);
    }
    TextExtent measureText(std::string_view utf8, TextStyle style) const override { return s_.measureText(utf8, style); }
    void drawText(double x, double baseline, std::string_view utf8, TextStyle style) override {
        s_.drawText(x, baseline, utf8, style);
    }
    void drawRule(double x0, double y0, double x1, double y1, double width) override {
        s_.drawRule(x0, y0, x1, y1, width);
    }
    void flush() override { s_.flush(); }

protected:
    Surface& s_;
};

} // namespace yhb
