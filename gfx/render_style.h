// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace yhb {

// How a surface turns the drawing code's logical pixels into device pixels. Positions, cell
// counts and the pixels a line covers stay logical; the style only decides their resolution,
// their pen and whether edges are smoothed.
struct RenderStyle {
    double scale = 1.0;     // device pixels per logical pixel: the screen's ratio times any magnification
    bool antialias = false; // lines, curves and point marks
    double penWidth = 1.0;  // logical pixels

    bool operator==(const RenderStyle& o) const {
        return scale == o.scale && antialias == o.antialias && penWidth == o.penWidth;
    }
    bool operator!=(const RenderStyle& o) const { return !(*this == o); }
};

// Presentation mode: everything twice as large, pens one and a half logical pixels wide
// (three device pixels at ratio 1) and smoothed.
constexpr double kPresentationMagnification = 2.0;
constexpr double kPresentationPenWidth = 1.5;

inline RenderStyle normalStyle(double devicePixelRatio) { return {devicePixelRatio, false, 1.0}; }
inline RenderStyle presentationStyle(double devicePixelRatio) {
    return {devicePixelRatio * kPresentationMagnification, true, kPresentationPenWidth};
}

} // namespace yhb
