// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a typed coefficient in both encodings, and the exact arithmetic on what it reads:
// no overflow or other undefined behaviour, a message whenever the text is no finite number,
// an exact value that agrees with its double and reads back from its own text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "numbers/exact_value.h"

using namespace yhb;

namespace {

double magnitudeOf(Rational q) { return std::fabs(static_cast<double>(q.num) / static_cast<double>(q.den)); }

// How large the parts of x are: its double can be no more accurate than that.
double magnitudeOf(const ExactValue& x) {
    if (x.kind() == ExactValue::Kind::Pi) return magnitudeOf(x.piCoefficient()) * 4;
    return magnitudeOf(x.rationalPart()) + magnitudeOf(x.rootCoefficient()) * std::sqrt(static_cast<double>(x.radicand()));
}

// x's double is v, to the rounding of parts as large as `scale`.
bool agrees(const ExactValue& x, double v, double scale = 0) {
    const double tolerance = 1e-9 * std::fmax(1.0, std::fmax(scale, std::fmax(std::fabs(v), magnitudeOf(x))));
    return std::fabs(x.toDouble() - v) <= tolerance;
}

void check(const NumberReading& r) {
    if (!r.finite || !r.isNumber) {
        if (r.message.empty() || (!r.finite && r.exact)) __builtin_trap();
        return;
    }
    if (!r.message.empty() || !std::isfinite(r.value)) __builtin_trap();
    if (!r.exact) return;
    if (!r.rounded && !agrees(*r.exact, r.value)) __builtin_trap();
    const NumberReading again = parseExact(formatExact(*r.exact, Notation::Typed));
    // A decimal's text drops its trailing zeros, and "63.286" rounds 443/7 where "63.2860" did not.
    const bool recognisedNow = r.exact->writtenAsDecimal() && again.rounded;
    if (!again.isNumber || (again.exact && *again.exact != *r.exact && !recognisedNow)) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two texts: before and after the first ';'.
    const std::string all(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = all.find(';');
    const std::string first = all.substr(0, cut), second = cut == std::string::npos ? "2" : all.substr(cut + 1);
    const NumberReading x = parseExact(first), y = parseExact(second);
    check(x);
    check(y);
    check(parseExact(first, TextEncoding::Cp936));
    if (!x.exact || !y.exact) return 0;
    const ExactValue& a = *x.exact;
    const ExactValue& b = *y.exact;
    const double da = a.toDouble(), db = b.toDouble();
    const double sa = std::fmax(std::fabs(da), magnitudeOf(a)), sb = std::fmax(std::fabs(db), magnitudeOf(b));
    auto expect = [](const std::optional<ExactValue>& r, double v, double scale) {
        if (r && std::isfinite(v) && std::isfinite(scale) && !agrees(*r, v, scale)) __builtin_trap();
    };
    expect(add(a, b), da + db, sa + sb);
    expect(subtract(a, b), da - db, sa + sb);
    expect(multiply(a, b), da * db, sa * sb);
    // Dividing by a near-cancelling a + b√n magnifies every rounding: only well-separated ones.
    if (!b.isZero() && std::fabs(db) > 1e-3 * sb) expect(divide(a, b), da / db, sa / std::fabs(db) * (sb / std::fabs(db)));
    expect(square(a), da * da, sa * sa);
    expect(negate(a), -da, sa);
    if (a.isRational() && da >= 0) expect(squareRoot(a.rationalPart()), std::sqrt(da), std::sqrt(sa));
    const auto s = signOf(a);
    if (s && *s != (da > 0) - (da < 0) && std::fabs(da) > 1e-9 * sa) __builtin_trap();
    return 0;
}
