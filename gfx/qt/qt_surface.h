// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <memory>

#include <QFont>
#include <QImage>
#include <QPainter>

#include "gfx/render_style.h"
#include "gfx/smooth_stroke.h"
#include "gfx/surface.h"

namespace yhb {

class TypesetFont;

// Draws onto a QImage (Format_RGB32) of device pixels. Coordinates are logical; the style's
// scale takes them to the device. Without antialiasing lines are rasterised here, so that every
// pixel is as the drawing code computes it (last pixel excluded), each logical pixel covering
// its device pixels; with it, lines, curves and marks are smoothed strokes of the style's pen.
// Text is drawn glyph by glyph into its cells, as a font of that height and width draws it;
// typeset text in the UI face at its own widths, antialiased.
class QtSurface : public SurfaceState {
public:
    explicit QtSurface(QImage* target = nullptr, RenderStyle style = {});
    ~QtSurface() override;
    void setTarget(QImage* target);
    void setStyle(const RenderStyle& style);
    const RenderStyle& style() const { return style_; }
    // The target holds the device rows from `row` on of a taller picture, so that the picture
    // can be drawn band by band with every pixel where the whole picture has it.
    void setFirstRow(std::int64_t row) { firstRow_ = row; }

    void lineTo(int x, int y) override;
    void polyline(const Point* pts, int count) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void fillRect(int left, int top, int right, int bottom, Colour c) override;
    void textOut(int x, int y, std::string_view text, CellFont font) override;
    TextExtent measureText(std::string_view utf8, TextStyle style) const override;
    void drawText(double x, double baseline, std::string_view utf8, TextStyle style) override;
    void drawRule(double x0, double y0, double x1, double y1, double width) override;
    void flush() override { textPainter_.reset(); }

    // The CJK family found through fontconfig, or the default family.
    static QString fontFamily();

private:
    struct Raster {
        uchar* bits = nullptr;
        qsizetype stride = 0;
        std::int64_t width = 0, height = 0;
    };
    Raster raster();
    // Device coordinates, last pixel excluded; `thickness` device pixels across the line.
    void segment(const Raster& r, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int thickness);
    void scaledSegment(const Raster& r, Point from, Point to); // logical, origin applied
    void scaledEllipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, int thickness);
    void smoothEllipse(double cx, double cy, double rx, double ry); // device coordinates
    std::int64_t dev(std::int64_t logical) const; // a logical edge (origin applied) on the device

    QImage* image_;
    RenderStyle style_;
    std::int64_t firstRow_ = 0;
    SmoothStroke stroke_;
    mutable std::unique_ptr<TypesetFont> typeset_; // made on first use: classic drawing never needs it
    const TypesetFont& typesetFont() const;
    // One painter for a run of typeset text and strokes; closed before pixels are written
    // directly and by flush().
    std::unique_ptr<QPainter> textPainter_;
    QPainter& textPainter();
};

QColor toQColor(Colour c);

} // namespace yhb
