// SPDX-License-Identifier: GPL-3.0-or-later
// Straight lines, the trigonometric functions, the exponential and the logarithm.
#include "families/textbook_forms.h"
#include "families/textbook_values.h"

namespace yhb::textbook {

namespace {

using math::Node;

Node x() { return math::identifier("x"); }
Node y() { return math::identifier("y"); }

// "y−2", "x+1", "x": a variable less a coordinate.
Node shifted(Node variable, const Num& by) { return Terms().term(std::move(variable)).value(-by).row(); }

Node trig(const char* fn, const RowValues& r) {
    const Num a = field(r, 0), b = field(r, 1), c = field(r, 2);
    // sin x, but sin(2x), sin(−x), sin(πx)
    const Node arg = isOne(b) && !split(b).negative ? x() : math::brackets(Terms().multiple(b, x()).row());
    return equation(y(), Terms().multiple(a, math::function(fn, arg)).value(c).row());
}

} // namespace

Node slopeInterceptEquation(const RowValues& r) {
    return equation(y(), Terms().multiple(field(r, 0), x()).value(field(r, 1)).row());
}

// y−y₁=k(x−x₁); a horizontal line is y=y₁.
Node pointSlopeEquation(const RowValues& r) {
    const Num x1 = field(r, 0), y1 = field(r, 1), k = field(r, 2);
    if (isZero(k)) return equation(y(), signedNode(y1));
    Node right;
    if (isZero(x1)) {
        right = Terms().multiple(k, x()).row();
    } else if (isOne(k)) {
        const Node inner = shifted(x(), x1);
        right = split(k).negative ? math::row({math::sign(), math::brackets(inner)}) : inner;
    } else {
        right = Terms().multiple(k, math::brackets(shifted(x(), x1))).row();
    }
    return equation(shifted(y(), y1), std::move(right));
}

Names pointSlopeNames(int box, const RowValues& r) { return {point(box, name("P", "1"), field(r, 0), field(r, 1))}; }

// (y−y₁)/(y₂−y₁)=(x−x₁)/(x₂−x₁) with the differences worked out; a line parallel to an axis
// is written y=y₁ or x=x₁, as the two-point form does not hold for it.
Node twoPointEquation(const RowValues& r) {
    const Num x1 = field(r, 0), y1 = field(r, 1), x2 = field(r, 2), y2 = field(r, 3);
    const Num dx = x2 - x1, dy = y2 - y1;
    if (isZero(dx)) return equation(x(), signedNode(x1));
    if (isZero(dy)) return equation(y(), signedNode(y1));
    const auto side = [](Node variable, const Num& from, const Num& d) {
        Node top = shifted(std::move(variable), from);
        if (isOne(d) && !split(d).negative) return top;
        return math::fraction(std::move(top), signedNode(d));
    };
    return equation(side(y(), y1, dy), side(x(), x1, dx));
}

Names twoPointNames(int box, const RowValues& r) {
    if (box == 1010) return {point(box, name("P", "1"), field(r, 0), field(r, 1))};
    return {point(box, name("P", "2"), field(r, 2), field(r, 3))};
}

// x/a+y/b=1, a negative intercept's sign in front of its term: −x/3+y/4=1.
Node interceptEquation(const RowValues& r) {
    Terms t;
    const auto over = [&t](Node variable, const Num& d) {
        Signed s = split(d);
        t.add(s.negative, s.one ? std::move(variable) : math::fraction(std::move(variable), s.magnitude));
    };
    over(x(), field(r, 0));
    over(y(), field(r, 1));
    return equation(t.row(), math::number("1"));
}

Node generalLineEquation(const RowValues& r) {
    return equation(Terms().multiple(field(r, 0), x()).multiple(field(r, 1), y()).value(field(r, 2)).row(), math::number("0"));
}

Node sinEquation(const RowValues& r) { return trig("sin", r); }
Node cosEquation(const RowValues& r) { return trig("cos", r); }
Node tanEquation(const RowValues& r) { return trig("tan", r); }

// y=A·bˣ: 2ˣ, (½)ˣ, (√2)ˣ, πˣ, 3·2ˣ.
Node exponentialEquation(const RowValues& r) {
    const Num a = field(r, 0), b = field(r, 1);
    const Signed s = split(b);
    const math::NodeKind k = s.magnitude.kind;
    const bool bare = !s.negative && !s.sum && (k == math::NodeKind::Number || k == math::NodeKind::Identifier);
    const Node base = bare ? s.magnitude : math::brackets(signedNode(b));
    return equation(y(), Terms().multiple(a, math::superscript(base, x())).row());
}

Node logarithmEquation(const RowValues& r) {
    return equation(y(), Terms().multiple(field(r, 0), math::function("lg", x())).row());
}

} // namespace yhb::textbook
