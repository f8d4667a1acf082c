// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces the families' textbook forms are built from: numbers that carry their double and
// their exact value side by side, and sums written without +− or a coefficient 1.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "families/textbook.h"

namespace yhb::textbook {

// A coefficient, or a value worked out from coefficients. `value` is computed with the same
// operations, in the same order, as the family's records and curve, so it is their number.
struct Num {
    double value = 0;
    std::optional<ExactValue> exact;
    bool decimal = false; // written in decimals (see textbook.h)
};

Num field(const RowValues& row, int i);
Num integer(int v);

Num operator+(const Num& a, const Num& b);
Num operator-(const Num& a, const Num& b);
Num operator*(const Num& a, const Num& b);
Num operator/(const Num& a, const Num& b);
Num operator-(const Num& a);
Num squareRoot(const Num& a);

bool isZero(const Num& a);
bool isOne(const Num& a); // 1 or −1

// A number as a sign and what follows it.
struct Signed {
    bool negative = false;
    math::Node magnitude;
    bool one = false; // the magnitude is 1
    bool sum = false; // the magnitude is a sum (√5−1) and needs brackets as a factor
};
Signed split(const Num& a);
// "−√3/2", "0": a coordinate or a side of an equation on its own.
math::Node signedNode(const Num& a);

// A sum of terms, written as a textbook does.
class Terms {
public:
    Terms& add(bool negative, math::Node magnitude);
    Terms& term(math::Node positive) { return add(false, std::move(positive)); }
    Terms& value(const Num& v);                    // dropped when zero
    Terms& multiple(const Num& c, math::Node factor); // c·factor: 1 left out, −1 as −, zero dropped
    bool empty() const { return row_.children.empty(); }
    math::Node row() const; // "0" when nothing was added

private:
    math::Node row_;
};

// x²/a² with the square worked out, left bare when a² is 1; `negative` flips its sign.
void squareOver(Terms& t, const char* variable, const Num& a, bool negative);
math::Node equation(math::Node left, math::Node right);
math::Node squared(math::Node base);
math::Node name(const char* letter, const char* index = nullptr);

TextbookName point(int box, math::Node name, const Num& x, const Num& y);
TextbookName verticalLine(int box, math::Node name, const Num& x);
TextbookName horizontalLine(int box, math::Node name, const Num& y);
// y = kx through the origin, as the hyperbolas' asymptotes.
TextbookName lineThroughOrigin(int box, const Num& slope);

} // namespace yhb::textbook
