// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <vector>

#include "families/textbook.h"
#include "gfx/caption_placer.h"
#include "gfx/forwarding_surface.h"
#include "items/math_layout.h"
#include "plot/canvas_scene.h"

namespace yhb {

// The canvas in 教材记法: the scene drawn through to the target as it is, except that each
// point's caption is its textbook name with exact coordinates (A₁(−2,0)) and each
// characteristic line carries its equation (l: x=−4, y=¾x), typeset in the row's colour. The
// captions wait until the scene is drawn; finish() then places them where none overlaps
// another, an axis number or a point's mark, inside the canvas and off the curves if it can.
class TextbookScene : public ForwardingSurface, public SceneObserver {
public:
    // Caption text size in logical pixels.
    static constexpr double kCaptionSize = 13.0;

    TextbookScene(Surface& target, const ViewSettings& view, int canvasWidth, int canvasHeight);

    void extra(const ExpressionSlot& row, int index) override;
    void finish();

    void setTextColour(Colour c) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(const Point* pts, int count) override;
    void ellipse(int l, int t, int r, int b) override;
    void textOut(int x, int y, std::string_view text, CellFont font) override;
    void caption(int x, int y, std::string_view text, CellFont font, int l, int t, int r, int b) override;
    void drawText(double x, double baseline, std::string_view utf8, TextStyle style) override;

private:
    struct Pending {
        math::Layout layout;
        std::vector<Rect> anchors; // canvas pixels
        Colour colour;
        std::optional<Rect> ownLine; // a vertical or horizontal line it names
    };
    void addLine(const TextbookName& name);
    // What a mark carries: its caption, or on a figure its name alone; nothing when empty.
    math::Node label(const TextbookName& name) const;
    Point toCanvas(int x, int y) const;

    const ViewSettings& view_;
    int width_, height_;
    CaptionPlacer placer_;
    Colour colour_ = kBlack;
    Point current_;
    const ExpressionSlot* row_ = nullptr;
    std::vector<TextbookName> names_; // of row_
    const TextbookName* name_ = nullptr; // of the extra being drawn
    std::vector<Pending> points_, lines_;
};

} // namespace yhb
