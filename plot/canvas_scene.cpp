// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/canvas_scene.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "plot/plotter.h"
#include "res/strings.h"

namespace yhb {

bool CanvasView::resize(int width, int height) {
    canvasWidth = width;
    canvasHeight = height;
    if (width > 0 && height > 0 && firstSize == 1) {
        originX = width / 2;
        originY = height / 2;
        firstSize = 0;
        return true;
    }
    return false;
}

bool CanvasView::resizeKeepingCentre(int width, int height) {
    const int dx = width / 2 - canvasWidth / 2, dy = height / 2 - canvasHeight / 2;
    const bool first = firstSize == 1;
    if (!first && width > 0 && height > 0 && canvasWidth > 0 && canvasHeight > 0) {
        originX += dx;
        originY += dy;
    }
    // An empty size (a hidden canvas) keeps the last one, so that showing it again restores it.
    if (!first && (width <= 0 || height <= 0)) return false;
    return resize(width, height);
}

void CanvasView::press(int x, int y) {
    dragging = true;
    lastX = x;
    lastY = y;
}

bool CanvasView::move(int x, int y, int ppu) {
    if (!dragging) return false;
    int dx = x - lastX, dy = y - lastY;
    lastX = x;
    lastY = y;
    if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) return false; // one-pixel jitter never moves it
    const int x0 = originX, y0 = originY;
    originX = std::clamp(originX + dx, std::min(ppu, x0), std::max(canvasWidth - ppu, x0));
    originY = std::clamp(originY + dy, std::min(ppu, y0), std::max(canvasHeight - ppu, y0));
    return true;
}

namespace {

// A trail's pixel: positions far off the canvas are kept far off but safe to offset.
int trailPixel(double v) {
    constexpr double kFar = 1 << 29;
    return static_cast<int>(std::max(-kFar, std::min(kFar, v)));
}

constexpr int kFigureArrow = 6;
constexpr double kFigureLetterSize = 13.0;

void graphAxes(Surface& s, const ViewSettings& view, int cw, int ch) {
    const Point o = s.origin();
    s.moveTo(-o.x, 0);
    s.lineTo(cw - o.x, 0);
    s.moveTo(0, -o.y);
    s.lineTo(0, ch - o.y);

    const int ppu = view.pixelsPerUnit;
    const int tick = view.tickLength;
    const double unit = view.piAxis ? 3.1415 : 1.0;
    const std::string format = utf8String(view.piAxis ? StringId::PiTick : StringId::IntegerTick);
    char buf[48];
    auto xTick = [&](int n, bool leftwards) {
        int X = static_cast<int>(ppu * n * unit);
        s.moveTo(X, 0);
        s.lineTo(X, -tick);
        if (view.showLabels && !(leftwards && n == 0)) {
            std::snprintf(buf, sizeof buf, format.c_str(), n);
            s.textOut(leftwards ? X - 5 : X, tick, buf, kCanvasFont);
        }
    };
    for (int n = 0; n * ppu < cw - o.x; ++n) xTick(n, false);
    for (int n = 0; n * ppu > -o.x; --n) xTick(n, true);

    auto yTick = [&](int k) {
        s.moveTo(0, k * ppu);
        s.lineTo(-tick, k * ppu);
        if (view.showLabels && k != 0) {
            std::snprintf(buf, sizeof buf, "%d", -k);
            s.textOut(tick, k * ppu, buf, kCanvasFont);
        }
    };
    for (int k = 0; k * ppu > -o.y; --k) yTick(k);
    for (int k = 0; k * ppu < ch - o.y; ++k) yTick(k);
}

// Arrows at the positive ends, the axes' letters and O in italic beside them.
void figureAxes(Surface& s, int cw, int ch) {
    const Point o = s.origin();
    const int right = cw - o.x - 2, top = -o.y + 2;
    s.moveTo(-o.x, 0);
    s.lineTo(right, 0);
    s.moveTo(0, ch - o.y);
    s.lineTo(0, top);
    const Point arrow[] = {{right - kFigureArrow, -kFigureArrow / 2}, {right, 0}, {right - kFigureArrow, kFigureArrow / 2}};
    s.polyline(arrow, 3);
    const Point up[] = {{-kFigureArrow / 2, top + kFigureArrow}, {0, top}, {kFigureArrow / 2, top + kFigureArrow}};
    s.polyline(up, 3);
    const TextStyle style{kFigureLetterSize, true};
    const TextExtent x = s.measureText("x", style), y = s.measureText("y", style), O = s.measureText("O", style);
    s.drawText(right - x.width, x.ascent + 3, "x", style);
    s.drawText(kFigureArrow / 2 + 2, top + y.ascent, "y", style);
    s.drawText(-O.width - 2, O.ascent + 2, "O", style);
}

} // namespace

void paintCanvas(Surface& s, const ExpressionTable& table, const ViewSettings& view, int cw, int ch,
                 SceneObserver* observer) {
    const Point o = s.origin();
    const Band band{-o.x, ch - o.y, cw - o.x, -o.y};
    s.fillRect(band.left, band.top, band.right, band.bottom, kGrey);

    // Trails first, so that every curve is drawn over them; none, no drawing at all. Each is
    // three pixels wide whatever its direction (the line and copies a pixel to each side, above
    // and below), so that a trail along an axis, such as the foci's, still shows beside it.
    static constexpr Point kTrailShifts[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {0, 0}};
    std::vector<Point> pixels;
    for (int p = 0; p < table.slotCount; ++p) {
        const ExpressionSlot& row = table.slot(p);
        if (row.trail.empty()) continue;
        s.setPen(trailColour(SlotColours[static_cast<std::size_t>(row.colourIndex >= 1 && row.colourIndex <= 5 ? row.colourIndex : 0)]));
        for (const TrailStroke& stroke : row.trail.strokes) {
            if (stroke.size() < 2) continue;
            for (const Point shift : kTrailShifts) {
                pixels.clear();
                for (const PlanePoint& q : stroke)
                    pixels.push_back({trailPixel(view.pixelsPerUnit * q.x) + shift.x, trailPixel(-view.pixelsPerUnit * q.y) + shift.y});
                s.polyline(pixels.data(), static_cast<int>(pixels.size()));
            }
        }
    }

    for (int p = 0; p < table.slotCount; ++p) {
        const ExpressionSlot& row = table.slot(p);
        const Colour colour = SlotColours[static_cast<std::size_t>(row.colourIndex >= 1 && row.colourIndex <= 5 ? row.colourIndex : 0)];
        s.setPen(colour);
        s.setTextColour(colour);
        plot(s, view, row.twoBranches, row.plotOp, row.kind, row.params, band);
        for (int j = 0; j < row.extraCount && j < kMaxExtras; ++j) {
            const ExtraPlot& e = row.extras[j];
            if (observer) observer->extra(row, j);
            plot(s, view, e.twoBranches, e.plotOp, e.kind, e.params, band);
        }
    }

    s.setPen(kBlack);
    s.setTextColour(kBlack);
    if (view.figure)
        figureAxes(s, cw, ch);
    else
        graphAxes(s, view, cw, ch);
}

void drawReadOut(Surface& s, const ViewSettings& view, int mouseX, int mouseY) {
    const Point o = s.origin();
    int a = mouseX - o.x, b = mouseY - o.y;
    float x = static_cast<float>(static_cast<double>(a) / view.pixelsPerUnit);
    double y = -(static_cast<double>(b) / view.pixelsPerUnit);
    char buf[64];
    std::snprintf(buf, sizeof buf, utf8String(StringId::PointCaption), unsignedZero(static_cast<double>(x), 2), unsignedZero(y, 2));
    s.textOut(a + view.tickLength, b - view.tickLength, buf, kCanvasFont);
}

} // namespace yhb
