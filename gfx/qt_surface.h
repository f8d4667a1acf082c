#pragma once
#include <cstdint>

#include <QFont>
#include <QImage>

#include "gfx/surface.h"

namespace yhb {

// Draws onto a QImage (Format_RGB32). Lines are rasterised here so that every pixel is as
// the drawing code computes it (last pixel excluded, no antialiasing); text is drawn glyph by
// glyph into its cells with a CJK font.
class QtSurface : public SurfaceState {
public:
    explicit QtSurface(QImage* target = nullptr);
    void setTarget(QImage* target) { image_ = target; }

    void lineTo(int x, int y) override;
    void polyline(const Point* pts, int count) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void fillRect(int left, int top, int right, int bottom, Colour c) override;
    void textOut(int x, int y, std::string_view text, CellFont font) override;

    // The CJK family found through fontconfig, or the default family.
    static QString fontFamily();

private:
    struct Raster {
        uchar* bits = nullptr;
        qsizetype stride = 0;
        std::int64_t width = 0, height = 0;
    };
    Raster raster();
    void segment(const Raster& r, int x0, int y0, int x1, int y1); // device coordinates, last pixel excluded
    QImage* image_;
};

QColor toQColor(Colour c);

} // namespace yhb
