// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <vector>

#include "items/math_text.h"
#include "numbers/exact_value.h"
#include "plot/curve.h"

// Each family's equation and characteristic points written as a Chinese textbook prints them:
// x²/4+y²/3=1 (the squares worked out), y=−½x−2, y=2sin(2x)−1, x²+y²−4x+2y+1=0, A₁(−2,0),
// F₂(1,0), l: x=−4, y=¾x.
//
// How numbers are written:
// - A value typed or recognised exactly keeps its exact form: √3, 2π/3, (1+√5)/2; what is
//   worked out from exact values stays exact (a = √3 gives a² = 3, c = √(a²−b²), a²/c).
// - A coefficient 1 is left out, −1 is written as −, a zero term is dropped, and a negative
//   term is joined with a true minus (never +− or −−).
// - A typed decimal whose reduced denominator is 2 or 4 (0.5, −0.25, 1.5) is written as the
//   fraction a textbook computes with (½, −¼, 3/2). Any other typed decimal (1.7, 0.3, 0.125)
//   stays a decimal, and so does every value worked out from it: a = 1.7 gives a² = 2.89, and
//   where the result does not end (c = √1.89) it is written rounded to six significant digits.
// - A coefficient with no exact value beside it (a slider's number) is a decimal, 1.5 and 0.25
//   included, and so is what is worked out from it. A decimal is the shortest that reads back
//   as the same number, at most six significant digits: 1.5, 0.25, 1.37477; never 2.0. So is a
//   value with no exact form (c = √(a²−b²) where a² is no rational).
namespace yhb {

struct ExpressionSlot;

// A row's coefficients as the curve is drawn with them, and beside them their exact values
// where one was typed or recognised. An exact value that is not the drawn number (a slider
// has moved it since) is not used.
struct RowValues {
    const double* values = nullptr;
    const std::optional<ExactValue>* exact = nullptr; // may be null: no exact values at all
    static RowValues of(const ExpressionSlot& slot);
};

enum class NamedShape { Point, VerticalLine, HorizontalLine, SlopedLine };

// One characteristic point or line of a check box, as the family's records add it.
struct TextbookName {
    int box = 0;
    NamedShape shape = NamedShape::Point;
    math::Node name;     // A₁, F₂, C, P₁, l; empty for an asymptote, which its equation names
    math::Node x, y;     // a point's coordinates
    math::Node equation; // a line's equation: x=4, y=−¾x
    // What the row's extra holds: the point (x, y), a vertical line's x, a horizontal
    // line's y, or a sloped line's (slope, intercept).
    double values[2] = {};
    bool defined = true; // false where the records compute no number (an ellipse's foci with b > a)
};

// The caption beside the mark: A₁(−2,0), l: x=−4, y=¾x; only the name where it is undefined.
math::Node caption(const TextbookName& n);

struct TextbookForm {
    math::Node (*equation)(const RowValues& row);
    // In the order the family's records add them for `box`; null for a family without boxes.
    std::vector<TextbookName> (*names)(int box, const RowValues& row);
};

// Null for an unknown kind.
const TextbookForm* textbookForm(Family kind);

// The names of the row's extras in their order: name i belongs to slot.extras[i].
std::vector<TextbookName> namesOfRow(const ExpressionSlot& slot);

} // namespace yhb
