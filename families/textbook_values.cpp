// SPDX-License-Identifier: GPL-3.0-or-later
#include "families/textbook_values.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace yhb::textbook {

namespace {

// Denominators a textbook writes as a fraction even when the value was typed as a decimal.
bool fractionDenominator(std::int64_t den) { return den == 1 || den == 2 || den == 4; }

std::uint64_t magnitude(std::int64_t v) { return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v); }

bool terminating(const ExactValue& e) { return e.isRational() && !decimalDigits(e.rationalPart()).empty(); }

// The shortest "%g" text, at most six significant digits, that reads back as v where one does.
std::string shortestDecimal(double v) {
    char buf[64];
    for (int digits = 1; digits <= 6; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, v);
        if (std::strtod(buf, nullptr) == v) return buf;
    }
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

math::Node withSymbol(Rational q, math::Node symbol) {
    const std::uint64_t p = magnitude(q.num);
    math::Node top = p == 1 ? std::move(symbol) : math::row({math::number(std::to_string(p)), symbol});
    if (q.den == 1) return top;
    return math::fraction(std::move(top), math::number(std::to_string(q.den)));
}

Signed splitExact(const ExactValue& e, bool decimal) {
    Signed s;
    if (e.kind() == ExactValue::Kind::Pi) {
        const Rational q = e.piCoefficient();
        s.negative = q.num < 0;
        s.magnitude = withSymbol(q, math::identifier("\xCF\x80"));
        return s;
    }
    const Rational a = e.rationalPart(), b = e.rootCoefficient();
    const math::Node radical = math::root(math::number(std::to_string(e.radicand())));
    if (e.isRational()) {
        s.negative = a.num < 0;
        s.one = magnitude(a.num) == 1 && a.den == 1;
        if (a.den == 1) s.magnitude = math::number(std::to_string(magnitude(a.num)));
        else if (decimal && !decimalDigits(a).empty()) s.magnitude = math::number(decimalDigits(a));
        else s.magnitude = math::fraction(math::number(std::to_string(magnitude(a.num))), math::number(std::to_string(a.den)));
        return s;
    }
    if (a.num == 0) {
        s.negative = b.num < 0;
        s.magnitude = withSymbol(b, radical);
        return s;
    }
    // q₁ + q₂√n over a common denominator, written from its positive part: (√5−1)/2.
    const std::int64_t g = std::gcd(a.den, b.den);
    const auto l = makeRational(a.den / g * b.den);
    const auto ta = l ? multiply(a, *l) : std::nullopt, tb = l ? multiply(b, *l) : std::nullopt;
    if (!ta || !tb) return Signed{e.toDouble() < 0, math::number(shortestDecimal(std::fabs(e.toDouble()))), false, false};
    const math::Node whole = math::number(std::to_string(magnitude(ta->num)));
    const math::Node surd = withSymbol(Rational{tb->num, 1}, radical);
    math::Node top;
    if (ta->num > 0) top = math::row({whole, tb->num > 0 ? math::plus() : math::minus(), surd});
    else if (tb->num > 0) top = math::row({surd, math::minus(), whole});
    else {
        s.negative = true;
        top = math::row({whole, math::plus(), surd});
    }
    if (l->num == 1) {
        s.magnitude = std::move(top);
        s.sum = true;
    } else {
        s.magnitude = math::fraction(std::move(top), math::number(std::to_string(l->num)));
    }
    return s;
}

Num combined(double value, const Num& a, const Num& b, std::optional<ExactValue> exact) {
    Num n;
    n.value = value;
    if (a.exact && b.exact) n.exact = std::move(exact);
    n.decimal = a.decimal || b.decimal;
    return n;
}

} // namespace

Num field(const RowValues& row, int i) {
    Num n;
    n.value = row.values[i];
    const std::optional<ExactValue>* typed = row.exact ? &row.exact[i] : nullptr;
    if (typed && *typed && std::fabs((*typed)->toDouble() - n.value) <= 1e-3 * std::max(1.0, std::fabs(n.value))) {
        n.exact = **typed;
        n.decimal = n.exact->writtenAsDecimal() && n.exact->isRational() && !fractionDenominator(n.exact->rationalPart().den);
    } else if (std::isfinite(n.value)) {
        // No exact value beside it: the shortest decimal that it is, kept as a decimal, so that
        // what is worked out from it is exact where it ends (1.7² = 2.89, not 2.8899999999999997).
        NumberReading r = parseExact(shortestDecimal(n.value));
        if (r.exact && r.value == n.value) {
            n.exact = r.exact;
            n.decimal = true;
        }
    }
    return n;
}

Num integer(int v) {
    Num n;
    n.value = v;
    n.exact = ExactValue::integer(v);
    return n;
}

Num operator+(const Num& a, const Num& b) {
    return combined(a.value + b.value, a, b, a.exact && b.exact ? add(*a.exact, *b.exact) : std::nullopt);
}
Num operator-(const Num& a, const Num& b) {
    return combined(a.value - b.value, a, b, a.exact && b.exact ? subtract(*a.exact, *b.exact) : std::nullopt);
}
Num operator*(const Num& a, const Num& b) {
    return combined(a.value * b.value, a, b, a.exact && b.exact ? multiply(*a.exact, *b.exact) : std::nullopt);
}
Num operator/(const Num& a, const Num& b) {
    return combined(a.value / b.value, a, b, a.exact && b.exact ? divide(*a.exact, *b.exact) : std::nullopt);
}
Num operator-(const Num& a) {
    Num n = a;
    n.value = -a.value;
    if (a.exact) n.exact = negate(*a.exact);
    return n;
}

Num squareRoot(const Num& a) {
    Num n;
    n.value = std::sqrt(a.value);
    n.decimal = a.decimal;
    if (a.exact && a.exact->isRational()) n.exact = yhb::squareRoot(a.exact->rationalPart());
    return n;
}

bool isZero(const Num& a) { return a.exact ? a.exact->isZero() : a.value == 0; }

bool isOne(const Num& a) {
    if (!a.exact) return std::fabs(a.value) == 1;
    return a.exact->isRational() && a.exact->rationalPart().den == 1 && magnitude(a.exact->rationalPart().num) == 1;
}

Signed split(const Num& a) {
    if (std::isnan(a.value)) return Signed{false, math::number("?"), false, false};
    if (std::isinf(a.value)) return Signed{a.value < 0, math::identifier("\xE2\x88\x9E"), false, false};
    if (a.exact && !(a.decimal && !terminating(*a.exact))) return splitExact(*a.exact, a.decimal);
    const double v = a.value == 0 ? 0.0 : a.value; // no −0
    return Signed{v < 0, math::number(shortestDecimal(std::fabs(v))), std::fabs(v) == 1, false};
}

math::Node signedNode(const Num& a) {
    if (isZero(a)) return math::number("0");
    Signed s = split(a);
    if (!s.negative) return s.magnitude;
    return math::row({math::sign(), s.sum ? math::brackets(s.magnitude) : s.magnitude});
}

Terms& Terms::add(bool negative, math::Node magnitude) {
    if (row_.children.empty()) {
        if (negative) math::append(row_, math::sign());
    } else {
        math::append(row_, negative ? math::minus() : math::plus());
    }
    math::append(row_, std::move(magnitude));
    return *this;
}

Terms& Terms::value(const Num& v) {
    if (isZero(v)) return *this;
    Signed s = split(v);
    return add(s.negative, s.sum && s.negative ? math::brackets(s.magnitude) : s.magnitude);
}

namespace {
bool startsWithNumber(const math::Node& n) {
    if (n.kind == math::NodeKind::Number) return true;
    if ((n.kind == math::NodeKind::Row || n.kind == math::NodeKind::Superscript) && !n.children.empty())
        return startsWithNumber(n.children[0]);
    return false;
}
} // namespace

Terms& Terms::multiple(const Num& c, math::Node factor) {
    if (isZero(c)) return *this;
    Signed s = split(c);
    if (s.one) return add(s.negative, std::move(factor));
    math::Node product = math::row({s.sum ? math::brackets(s.magnitude) : s.magnitude});
    // 2·3ˣ: two numbers side by side would read as one.
    if (startsWithNumber(factor)) math::append(product, math::times());
    math::append(product, std::move(factor));
    return add(s.negative, std::move(product));
}

math::Node Terms::row() const { return row_.children.empty() ? math::number("0") : row_; }

math::Node squared(math::Node base) { return math::superscript(std::move(base), math::number("2")); }

void squareOver(Terms& t, const char* variable, const Num& a, bool negative) {
    const Num a2 = a * a;
    math::Node top = squared(math::identifier(variable));
    if (isOne(a2)) t.add(negative, std::move(top));
    else t.add(negative, math::fraction(std::move(top), signedNode(a2)));
}

math::Node equation(math::Node left, math::Node right) { return math::row({std::move(left), math::equals(), std::move(right)}); }

math::Node name(const char* letter, const char* index) {
    if (!index) return math::identifier(letter);
    return math::subscript(math::identifier(letter), math::number(index));
}

TextbookName point(int box, math::Node nm, const Num& x, const Num& y) {
    TextbookName n;
    n.box = box;
    n.shape = NamedShape::Point;
    n.name = std::move(nm);
    n.x = signedNode(x);
    n.y = signedNode(y);
    n.values[0] = x.value;
    n.values[1] = y.value;
    n.defined = std::isfinite(x.value) && std::isfinite(y.value);
    return n;
}

TextbookName verticalLine(int box, math::Node nm, const Num& x) {
    TextbookName n;
    n.box = box;
    n.shape = NamedShape::VerticalLine;
    n.name = std::move(nm);
    n.equation = equation(math::identifier("x"), signedNode(x));
    n.values[0] = x.value;
    n.defined = std::isfinite(x.value);
    return n;
}

TextbookName horizontalLine(int box, math::Node nm, const Num& y) {
    TextbookName n = verticalLine(box, std::move(nm), y);
    n.shape = NamedShape::HorizontalLine;
    n.equation = equation(math::identifier("y"), signedNode(y));
    return n;
}

TextbookName lineThroughOrigin(int box, const Num& slope) {
    TextbookName n;
    n.box = box;
    n.shape = NamedShape::SlopedLine;
    n.equation = equation(math::identifier("y"), Terms().multiple(slope, math::identifier("x")).row());
    n.values[0] = slope.value;
    n.values[1] = 0;
    n.defined = std::isfinite(slope.value);
    return n;
}

} // namespace yhb::textbook
