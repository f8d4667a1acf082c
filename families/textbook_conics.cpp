// SPDX-License-Identifier: GPL-3.0-or-later
// Ellipses, hyperbolas, parabolas and circles: each equation in its standard form with the
// squares worked out, and the points and lines of each check box as its records add them.
#include "families/textbook_forms.h"
#include "families/textbook_values.h"

namespace yhb::textbook {

namespace {

using math::Node;

constexpr int kVertices = 1010, kFoci = 1011, kDirectrices = 1012;
constexpr int kDirectrix = 1010; // a parabola's first box; its second is the focus

Node x() { return math::identifier("x"); }
Node y() { return math::identifier("y"); }
Num zero() { return integer(0); }
Num fraction(std::int64_t num, std::int64_t den) {
    Num n;
    n.value = static_cast<double>(num) / static_cast<double>(den);
    n.exact = ExactValue::rational(Rational{num, den});
    return n;
}

// x²/a²±y²/b²=1, `first` over a², `second` over b².
Node standard(const RowValues& r, const char* first, const char* second, bool hyperbola) {
    Terms t;
    squareOver(t, first, field(r, 0), false);
    squareOver(t, second, field(r, 1), hyperbola);
    return equation(t.row(), math::number("1"));
}

// The foci on the x axis (`alongY` false) or on the y axis: a vertex pair, the foci at ±c and
// the directrices at ±a²/c, in the records' order.
Names conicNames(int box, const RowValues& r, bool alongY, bool hyperbola) {
    const Num a = field(r, 0), b = field(r, 1);
    const auto at = [alongY](int bx, Node nm, const Num& along, const Num& across) {
        return alongY ? point(bx, std::move(nm), across, along) : point(bx, std::move(nm), along, across);
    };
    const auto line = [alongY](int bx, const Num& v) {
        return alongY ? horizontalLine(bx, name("l"), v) : verticalLine(bx, name("l"), v);
    };
    const Num c = squareRoot(hyperbola ? a * a + b * b : a * a - b * b);
    if (box == kVertices) {
        Names n = {at(box, name("A", "1"), -a, zero()), at(box, name("A", "2"), a, zero())};
        if (!hyperbola) {
            n.push_back(at(box, name("B", "1"), zero(), -b));
            n.push_back(at(box, name("B", "2"), zero(), b));
        }
        return n;
    }
    if (box == kFoci) return {at(box, name("F", "1"), -c, zero()), at(box, name("F", "2"), c, zero())};
    if (box == kDirectrices || !hyperbola) {
        const Num d = a * a / c;
        return {line(box, d), line(box, -d)};
    }
    const Num k = alongY ? a / b : b / a;
    return {lineThroughOrigin(box, k), lineThroughOrigin(box, -k)};
}

// The parabola with focus at `focusSign`·p/2 along the x axis (`alongY` false) or the y axis.
Names parabolaNames(int box, const RowValues& r, bool alongY, int focusSign) {
    const Num h = field(r, 0) * fraction(1, 2);
    const Num focus = focusSign > 0 ? h : -h;
    if (box == kDirectrix) return {alongY ? horizontalLine(box, name("l"), -focus) : verticalLine(box, name("l"), -focus)};
    return {alongY ? point(box, name("F"), zero(), focus) : point(box, name("F"), focus, zero())};
}

// y²=2px and its kin: the square of `squaredVar` equals `sign`·2p times the other variable.
Node parabola(const RowValues& r, const char* squaredVar, const char* linearVar, int sign) {
    const Num coefficient = integer(2 * sign) * field(r, 0);
    return equation(squared(math::identifier(squaredVar)), Terms().multiple(coefficient, math::identifier(linearVar)).row());
}

// (x−a)², or x² where a is 0.
Node shiftedSquare(Node variable, const Num& by) {
    if (isZero(by)) return squared(std::move(variable));
    return squared(math::brackets(Terms().term(std::move(variable)).value(-by).row()));
}

} // namespace

Node ellipseXEquation(const RowValues& r) { return standard(r, "x", "y", false); }
// The first field is the semi-axis along y: y²/a²+x²/b²=1.
Node ellipseYEquation(const RowValues& r) { return standard(r, "y", "x", false); }
Node hyperbolaXEquation(const RowValues& r) { return standard(r, "x", "y", true); }
Node hyperbolaYEquation(const RowValues& r) { return standard(r, "y", "x", true); }

Names ellipseXNames(int box, const RowValues& r) { return conicNames(box, r, false, false); }
Names ellipseYNames(int box, const RowValues& r) { return conicNames(box, r, true, false); }
Names hyperbolaXNames(int box, const RowValues& r) { return conicNames(box, r, false, true); }
Names hyperbolaYNames(int box, const RowValues& r) { return conicNames(box, r, true, true); }

Node parabolaRightEquation(const RowValues& r) { return parabola(r, "y", "x", 1); }
Node parabolaLeftEquation(const RowValues& r) { return parabola(r, "y", "x", -1); }
Node parabolaUpEquation(const RowValues& r) { return parabola(r, "x", "y", 1); }
Node parabolaDownEquation(const RowValues& r) { return parabola(r, "x", "y", -1); }

Names parabolaRightNames(int box, const RowValues& r) { return parabolaNames(box, r, false, 1); }
Names parabolaLeftNames(int box, const RowValues& r) { return parabolaNames(box, r, false, -1); }
Names parabolaUpNames(int box, const RowValues& r) { return parabolaNames(box, r, true, 1); }
Names parabolaDownNames(int box, const RowValues& r) { return parabolaNames(box, r, true, -1); }

Node parabolaGeneralEquation(const RowValues& r) {
    return equation(y(), Terms().multiple(field(r, 0), squared(x())).multiple(field(r, 1), x()).value(field(r, 2)).row());
}

Node circleOriginEquation(const RowValues& r) {
    const Num radius = field(r, 0);
    return equation(Terms().term(squared(x())).term(squared(y())).row(), signedNode(radius * radius));
}

Node circleCentreEquation(const RowValues& r) {
    const Num radius = field(r, 2);
    return equation(Terms().term(shiftedSquare(x(), field(r, 0))).term(shiftedSquare(y(), field(r, 1))).row(),
                    signedNode(radius * radius));
}

Names circleCentreNames(int box, const RowValues& r) { return {point(box, name("C"), field(r, 0), field(r, 1))}; }

Node circleGeneralEquation(const RowValues& r) {
    Terms t;
    t.term(squared(x())).term(squared(y())).multiple(field(r, 0), x()).multiple(field(r, 1), y()).value(field(r, 2));
    return equation(t.row(), math::number("0"));
}

// C(−D/2, −E/2)
Names circleGeneralNames(int box, const RowValues& r) {
    const Num half = fraction(-1, 2);
    return {point(box, name("C"), field(r, 0) * half, field(r, 1) * half)};
}

} // namespace yhb::textbook
