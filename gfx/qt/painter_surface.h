// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QPen>

#include <memory>

#include "gfx/surface.h"

class QPainter;

namespace yhb {

class TypesetFont;

// Draws through a QPainter as vector graphics, for a PDF writer, a printer or any other
// paint device: lines and curves as paths, ellipses as ellipses, text as text in the CJK face,
// each character centred in the cells the drawing code gives it. Coordinates are logical
// pixels; the painter's transform takes them to the page. Glyphs are widened or narrowed to
// the font's average width, as a font created with that width draws them. A line through pixel x runs along
// its centre, x + 0.5, where the raster surface puts its pixels.
class PainterSurface : public SurfaceState {
public:
    // `penWidth` in logical pixels.
    explicit PainterSurface(QPainter& painter, double penWidth = 1.0);
    // Typeset text in `font`'s faces instead of the UI face (a 试卷's print faces).
    PainterSurface(QPainter& painter, double penWidth, std::shared_ptr<const TypesetFont> font);

    void lineTo(int x, int y) override;
    void polyline(const Point* pts, int count) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void fillRect(int left, int top, int right, int bottom, Colour c) override;
    void textOut(int x, int y, std::string_view text, CellFont font) override;
    TextExtent measureText(std::string_view utf8, TextStyle style) const override;
    void drawText(double x, double baseline, std::string_view utf8, TextStyle style) override;
    void drawRule(double x0, double y0, double x1, double y1, double width) override;
    ~PainterSurface() override;
    // A sampled curve's staircase of whole pixels drawn smoothed, as a printed figure wants
    // it when a pixel is a visible fraction of a millimetre.
    void setSmoothCurves(bool on) { smoothCurves_ = on; }

private:
    QPen currentPen() const;
    QPainter& painter_;
    double penWidth_;
    QFont font_;       // at kReferenceSize pixels; scaled per cell
    double cellRatio_; // ascent + descent per pixel of size
    double ascentRatio_;
    double averageRatio_; // mean advance of printable ASCII per pixel of size
    std::shared_ptr<const TypesetFont> typeset_;
    bool smoothCurves_ = false;
};

} // namespace yhb
