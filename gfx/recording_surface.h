// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "gfx/render_style.h"
#include "gfx/surface.h"

namespace yhb {

// Keeps every drawing operation in order; tests read the operations, the CLI prints them.
class RecordingSurface : public SurfaceState {
public:
    enum class Kind { Origin, Fill, Pen, Brush, TextColour, BkMode, Polyline, Line, Ellipse, Text, TypesetText, Rule };
    struct Op {
        Kind kind;
        std::vector<Point> points; // Polyline; Line: from, to
        int l = 0, t = 0, r = 0, b = 0; // Fill, Ellipse; Origin: l, t
        Colour colour = 0;              // Fill, Pen, TextColour
        Brush brush = Brush::White;
        BkMode mode = BkMode::Transparent;
        std::string text; // CP936
        CellFont font;    // Text; l, t give the position
        // TypesetText: (x, y) the baseline's left end, text UTF-8, its size and slant, w the
        // measured width. Rule: (x, y) to (x2, y2), w the stroke's width.
        double x = 0, y = 0, x2 = 0, y2 = 0, w = 0;
        double size = 0;
        bool italic = false;
    };

    void setPen(Colour c) override;
    void setBrush(Brush b) override;
    void setTextColour(Colour c) override;
    void setBkMode(BkMode m) override;
    void setOrigin(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(const Point* pts, int count) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void fillRect(int left, int top, int right, int bottom, Colour c) override;
    void textOut(int x, int y, std::string_view text, CellFont font) override;
    void drawText(double x, double baseline, std::string_view utf8, TextStyle style) override;
    void drawRule(double x0, double y0, double x1, double y1, double width) override;

    const std::vector<Op>& ops() const { return ops_; }
    void clear() { ops_.clear(); }
    std::vector<const Op*> ofKind(Kind k) const;

    // One line per operation in the trace format; polylines of fewer than two points are
    // left out since they draw nothing.
    std::string trace() const;

    // The style the drawing is shown in. Other than the plain one, the trace begins with a
    // style line and gives positions and cell sizes as they come out on the picture, each
    // times the style's scale.
    void setStyle(const RenderStyle& style) { style_ = style; }

private:
    std::vector<Op> ops_;
    RenderStyle style_;
};

// Quotes text for the trace: backslash and double quote escaped.
std::string quoteTraceText(const std::string& utf8);

} // namespace yhb
