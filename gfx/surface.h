// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

#include "gfx/colour.h"

namespace yhb {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Point& o) const { return !(*this == o); }
};

enum class Brush { White, Grey, None };
enum class BkMode { Transparent, Opaque };

// A font of fixed cells: a character takes as many cells `width` pixels wide as it takes bytes
// in CP936 (cp936::cellsOf): one for ASCII, two for Chinese and other symbols.
struct CellFont {
    int height = 16;
    int width = 8;
    bool operator==(const CellFont& o) const { return height == o.height && width == o.width; }
};

// The stock font that items restore after drawing; the overflow mark uses it.
constexpr CellFont kSystemFont{16, 8};

// A run of typeset text (教材记法): the font's own glyph widths at a pixel size, unlike the
// cells of textOut.
struct TextStyle {
    double size = 12.0; // logical pixels
    bool italic = false;
    bool operator==(const TextStyle& o) const { return size == o.size && italic == o.italic; }
};

struct TextExtent {
    double width = 0.0;
    double ascent = 0.0;  // above the baseline
    double descent = 0.0; // below it
};

// Widths from a fixed table by character class, so that traces and core tests come out the
// same on every machine; the recording and SVG surfaces measure with it.
TextExtent tableTextExtent(std::string_view utf8, TextStyle style);

// Everything the program draws goes through this interface. Coordinates are logical:
// device pixels relative to the viewport origin. Lines exclude their last pixel and an
// ellipse's box is [left, right) x [top, bottom), as the drawing code assumes.
class Surface {
public:
    virtual ~Surface() = default;

    virtual void setPen(Colour c) = 0;
    virtual void setBrush(Brush b) = 0;
    virtual void setTextColour(Colour c) = 0;
    virtual void setBkMode(BkMode m) = 0;
    virtual void setOrigin(int x, int y) = 0;
    virtual Point origin() const = 0;

    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual void polyline(const Point* pts, int count) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    virtual void fillRect(int left, int top, int right, int bottom, Colour c) = 0;
    // `text` is UTF-8, each character in its cells (above).
    virtual void textOut(int x, int y, std::string_view text, CellFont font) = 0;
    // A point's coordinate caption, written at (x, y) beside the point's mark, whose box is
    // [left, right) x [top, bottom). A surface that keeps captions apart may move it.
    virtual void caption(int x, int y, std::string_view text, CellFont font, int /*left*/, int /*top*/, int /*right*/,
                         int /*bottom*/) {
        textOut(x, y, text, font);
    }

    // Typeset text. Only the textbook notation uses these; the classic drawing never does.
    virtual TextExtent measureText(std::string_view utf8, TextStyle style) const { return tableTextExtent(utf8, style); }
    // The run in the text colour, the left end of its baseline at (x, baseline).
    virtual void drawText(double /*x*/, double /*baseline*/, std::string_view /*utf8*/, TextStyle /*style*/) {}
    // A stroke in the text colour, `width` logical pixels wide: fraction bars, root signs.
    virtual void drawRule(double /*x0*/, double /*y0*/, double /*x1*/, double /*y1*/, double /*width*/) {}
    // The typeset text drawn so far is on the target: a backend that keeps a painter open
    // across runs closes it here.
    virtual void flush() {}
};

// Keeps the state every surface tracks the same way; drawing is left to subclasses.
class SurfaceState : public Surface {
public:
    void setPen(Colour c) override { pen_ = c; }
    void setBrush(Brush b) override { brush_ = b; }
    void setTextColour(Colour c) override { textColour_ = c; }
    void setBkMode(BkMode m) override { bkMode_ = m; }
    void setOrigin(int x, int y) override { origin_ = {x, y}; }
    Point origin() const override { return origin_; }
    void moveTo(int x, int y) override { current_ = {x, y}; }

    Colour pen() const { return pen_; }
    Brush brush() const { return brush_; }
    Colour textColour() const { return textColour_; }
    BkMode bkMode() const { return bkMode_; }
    Point current() const { return current_; }

protected:
    Colour pen_ = kBlack;
    Brush brush_ = Brush::White;
    Colour textColour_ = kBlack;
    BkMode bkMode_ = BkMode::Opaque;
    Point origin_;
    Point current_;
};

// Draws nothing; used to time everything but the pixels.
class NullSurface : public SurfaceState {
public:
    void lineTo(int x, int y) override { current_ = {x, y}; }
    void polyline(const Point*, int) override {}
    void ellipse(int, int, int, int) override {}
    void fillRect(int, int, int, int, Colour) override {}
    void textOut(int, int, std::string_view, CellFont) override {}
};

} // namespace yhb
