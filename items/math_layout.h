// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "gfx/surface.h"
#include "items/math_text.h"

// Sets a math::Node tree as a textbook prints it, with the font's own metrics: glyphs at their
// natural widths, Latin letters of variables italic and everything else upright, spaces around
// + − and =, fractions built up, scripts raised or lowered, roots and tall brackets drawn.
namespace yhb::math {

// The smallest part of a label against the label's text size: a fraction's numerator and
// denominator, and an exponent or index.
constexpr double kFractionPartRatio = 0.7;
constexpr double kScriptRatio = 0.6;

struct Layout {
    struct Run {
        double x = 0, baseline = 0; // relative to the left end of the layout's baseline
        std::string text;           // UTF-8
        TextStyle style;
    };
    struct Rule {
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0, width = 1;
    };
    double width = 0;
    double ascent = 0;  // above the baseline
    double descent = 0; // below it
    std::vector<Run> runs;
    std::vector<Rule> rules;

    double height() const { return ascent + descent; }
    // In the surface's text colour, the left end of the baseline at (x, baseline).
    void draw(Surface& s, double x, double baseline) const;
};

// Measures through `s`, at `size` logical pixels of text.
Layout layout(const Node& node, const Surface& s, double size);

} // namespace yhb::math
