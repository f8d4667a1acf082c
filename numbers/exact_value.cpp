// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/exact_value.h"

#include <cmath>
#include <limits>
#include <utility>

namespace yhb {
namespace {

// Products of two 64-bit values fit, and so does the sum of two such products: checked
// arithmetic without overflow anywhere, which the sanitizer suite would catch.
using Wide = __int128;
using UWide = unsigned __int128;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

UWide gcd(UWide x, UWide y) {
    while (y != 0) {
        const UWide r = x % y;
        x = y;
        y = r;
    }
    return x;
}

std::optional<Rational> reduce(Wide num, Wide den) {
    if (den == 0) return std::nullopt;
    const bool negative = (num < 0) != (den < 0);
    UWide n = num < 0 ? static_cast<UWide>(-num) : static_cast<UWide>(num);
    UWide d = den < 0 ? static_cast<UWide>(-den) : static_cast<UWide>(den);
    const UWide g = gcd(n, d);
    if (g > 1) {
        n /= g;
        d /= g;
    }
    if (n == 0) d = 1;
    if (n > static_cast<UWide>(kMax) || d > static_cast<UWide>(kMax)) return std::nullopt;
    const auto signedNum = static_cast<std::int64_t>(n);
    return Rational{negative ? -signedNum : signedNum, static_cast<std::int64_t>(d)};
}

int sign(Rational q) { return q.num > 0 ? 1 : q.num < 0 ? -1 : 0; }
double toDouble(Rational q) { return static_cast<double>(q.num) / static_cast<double>(q.den); }

// n = k²·m with m square-free. Trial division up to the cube root of what is left: the rest is
// then 1, a prime, a product of two primes, or the square of one.
std::pair<std::uint64_t, std::uint64_t> splitSquare(std::uint64_t n) {
    std::uint64_t k = 1, m = 1;
    auto divideOut = [&](std::uint64_t p) {
        int count = 0;
        while (n % p == 0) {
            n /= p;
            ++count;
        }
        for (int i = 0; i < count / 2; ++i) k *= p;
        if (count % 2) m *= p;
    };
    divideOut(2);
    divideOut(3);
    for (std::uint64_t p = 5; static_cast<UWide>(p) * p * p <= n; p += 6) {
        divideOut(p);
        divideOut(p + 2);
    }
    if (n > 1) {
        auto r = static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(n)));
        while (static_cast<UWide>(r) * r > n) --r;
        while (static_cast<UWide>(r + 1) * (r + 1) <= n) ++r;
        if (static_cast<UWide>(r) * r == n) k *= r;
        else m *= n;
    }
    return {k, m};
}

std::string digits(std::uint64_t v) { return std::to_string(v); }

std::uint64_t magnitude(std::int64_t v) { return v < 0 ? static_cast<std::uint64_t>(-v) : static_cast<std::uint64_t>(v); }

// A terminating fraction as its decimal digits; empty when the denominator has another prime.
} // namespace

std::string decimalDigits(Rational q) {
    std::int64_t d = q.den;
    while (d % 2 == 0) d /= 2;
    while (d % 5 == 0) d /= 5;
    if (d != 1) return {};
    const auto den = static_cast<std::uint64_t>(q.den);
    std::uint64_t whole = magnitude(q.num) / den;
    UWide rest = magnitude(q.num) % den;
    std::string out = digits(whole);
    if (rest != 0) out += '.';
    while (rest != 0) {
        rest *= 10;
        out += static_cast<char>('0' + static_cast<int>(rest / den));
        rest %= den;
    }
    return out;
}

std::optional<Rational> makeRational(std::int64_t num, std::int64_t den) { return reduce(num, den); }

std::optional<Rational> add(Rational x, Rational y) {
    return reduce(static_cast<Wide>(x.num) * y.den + static_cast<Wide>(y.num) * x.den, static_cast<Wide>(x.den) * y.den);
}

std::optional<Rational> subtract(Rational x, Rational y) { return add(x, negate(y)); }

std::optional<Rational> multiply(Rational x, Rational y) {
    return reduce(static_cast<Wide>(x.num) * y.num, static_cast<Wide>(x.den) * y.den);
}

std::optional<Rational> divide(Rational x, Rational y) {
    if (y.num == 0) return std::nullopt;
    return reduce(static_cast<Wide>(x.num) * y.den, static_cast<Wide>(x.den) * y.num);
}

Rational negate(Rational x) { return Rational{-x.num, x.den}; }

// ---- ExactValue ---------------------------------------------------------------------------

ExactValue ExactValue::rational(Rational q) {
    ExactValue v;
    v.a_ = q;
    return v;
}

std::optional<ExactValue> ExactValue::surd(Rational a, Rational b, std::int64_t n) {
    if (n < 0) return std::nullopt;
    if (n == 0 || b.num == 0) return rational(a);
    const auto [k, m] = splitSquare(static_cast<std::uint64_t>(n));
    const auto coefficient = multiply(b, Rational{static_cast<std::int64_t>(k), 1});
    if (!coefficient) return std::nullopt;
    if (m == 1) {
        const auto sum = add(a, *coefficient);
        if (!sum) return std::nullopt;
        return rational(*sum);
    }
    ExactValue v;
    v.a_ = a;
    v.b_ = *coefficient;
    v.n_ = static_cast<std::int64_t>(m);
    return v;
}

ExactValue ExactValue::withRootOf(const ExactValue& like, Rational a, Rational b) {
    ExactValue v = rational(a);
    if (b.num != 0 && like.kind_ == Kind::Surd && like.n_ >= 2) {
        v.b_ = b;
        v.n_ = like.n_;
    }
    return v;
}

ExactValue ExactValue::pi(Rational q) {
    if (q.num == 0) return rational(q);
    ExactValue v;
    v.kind_ = Kind::Pi;
    v.a_ = q;
    return v;
}

double ExactValue::toDouble() const {
    constexpr double kPi = 3.14159265358979323846;
    if (kind_ == Kind::Pi) return yhb::toDouble(a_) * kPi;
    if (b_.num == 0) return yhb::toDouble(a_);
    return yhb::toDouble(a_) + yhb::toDouble(b_) * std::sqrt(static_cast<double>(n_));
}

ExactValue ExactValue::asDecimal(bool on) const {
    ExactValue v = *this;
    v.decimal_ = on && isRational();
    return v;
}

// ---- arithmetic ---------------------------------------------------------------------------

std::optional<ExactValue> add(const ExactValue& x, const ExactValue& y) {
    if (x.isZero()) return y.asDecimal(false);
    if (y.isZero()) return x.asDecimal(false);
    if (x.kind() != y.kind()) return std::nullopt;
    if (x.kind() == ExactValue::Kind::Pi) {
        const auto q = add(x.piCoefficient(), y.piCoefficient());
        if (!q) return std::nullopt;
        return ExactValue::pi(*q);
    }
    if (!x.isRational() && !y.isRational() && x.radicand() != y.radicand()) return std::nullopt;
    const auto a = add(x.rationalPart(), y.rationalPart());
    const auto b = add(x.rootCoefficient(), y.rootCoefficient());
    if (!a || !b) return std::nullopt;
    return ExactValue::withRootOf(x.isRational() ? y : x, *a, *b);
}

std::optional<ExactValue> subtract(const ExactValue& x, const ExactValue& y) { return add(x, negate(y)); }

ExactValue negate(const ExactValue& x) {
    if (x.kind() == ExactValue::Kind::Pi) return ExactValue::pi(negate(x.piCoefficient()));
    return ExactValue::withRootOf(x, negate(x.rationalPart()), negate(x.rootCoefficient())).asDecimal(x.writtenAsDecimal());
}

namespace {

// x times a rational.
std::optional<ExactValue> scale(const ExactValue& x, Rational q) {
    if (x.kind() == ExactValue::Kind::Pi) {
        const auto c = multiply(x.piCoefficient(), q);
        if (!c) return std::nullopt;
        return ExactValue::pi(*c);
    }
    const auto a = multiply(x.rationalPart(), q);
    const auto b = multiply(x.rootCoefficient(), q);
    if (!a || !b) return std::nullopt;
    return ExactValue::withRootOf(x, *a, *b);
}

} // namespace

std::optional<ExactValue> multiply(const ExactValue& x, const ExactValue& y) {
    if (y.isRational()) return scale(x, y.rationalPart());
    if (x.isRational()) return scale(y, x.rationalPart());
    if (x.kind() == ExactValue::Kind::Pi || y.kind() == ExactValue::Kind::Pi) return std::nullopt;
    const Rational a1 = x.rationalPart(), b1 = x.rootCoefficient(), a2 = y.rationalPart(), b2 = y.rootCoefficient();
    if (x.radicand() != y.radicand()) {
        // Only two pure roots multiply into one root: √2·√6 = 2√3.
        if (a1.num != 0 || a2.num != 0) return std::nullopt;
        const auto b = multiply(b1, b2);
        const Wide n = static_cast<Wide>(x.radicand()) * y.radicand();
        if (!b || n > kMax) return std::nullopt;
        return ExactValue::surd(Rational{}, *b, static_cast<std::int64_t>(n));
    }
    // (a1 + b1√n)(a2 + b2√n) = a1a2 + b1b2·n + (a1b2 + a2b1)√n
    const std::int64_t n = x.radicand();
    const auto a1a2 = multiply(a1, a2), b1b2 = multiply(b1, b2), a1b2 = multiply(a1, b2), a2b1 = multiply(a2, b1);
    if (!a1a2 || !b1b2 || !a1b2 || !a2b1) return std::nullopt;
    const auto b1b2n = multiply(*b1b2, Rational{n, 1});
    if (!b1b2n) return std::nullopt;
    const auto a = add(*a1a2, *b1b2n), b = add(*a1b2, *a2b1);
    if (!a || !b) return std::nullopt;
    return ExactValue::withRootOf(x, *a, *b);
}

std::optional<ExactValue> divide(const ExactValue& x, const ExactValue& y) {
    if (y.isZero()) return std::nullopt;
    if (y.isRational()) {
        const auto inverse = divide(Rational{1, 1}, y.rationalPart());
        if (!inverse) return std::nullopt;
        return scale(x, *inverse);
    }
    if (y.kind() == ExactValue::Kind::Pi) {
        if (x.isZero()) return x.asDecimal(false);
        if (x.kind() != ExactValue::Kind::Pi) return std::nullopt;
        const auto q = divide(x.piCoefficient(), y.piCoefficient());
        if (!q) return std::nullopt;
        return ExactValue::rational(*q);
    }
    // Times the conjugate over a² − b²n, which is not 0: n is no square.
    const Rational a = y.rationalPart(), b = y.rootCoefficient();
    const ExactValue conjugate = ExactValue::withRootOf(y, a, negate(b));
    const auto aa = multiply(a, a), bb = multiply(b, b);
    if (!aa || !bb) return std::nullopt;
    const auto bbn = multiply(*bb, Rational{y.radicand(), 1});
    if (!bbn) return std::nullopt;
    const auto norm = subtract(*aa, *bbn);
    const auto top = multiply(x, conjugate);
    if (!norm || !top) return std::nullopt;
    const auto inverse = divide(Rational{1, 1}, *norm);
    if (!inverse) return std::nullopt;
    return scale(*top, *inverse);
}

std::optional<ExactValue> square(const ExactValue& x) { return multiply(x, x); }

std::optional<ExactValue> squareRoot(Rational q) {
    if (q.num < 0) return std::nullopt;
    // √(p/r) = √(p·r)/r
    const Wide pr = static_cast<Wide>(q.num) * q.den;
    if (pr > kMax) return std::nullopt;
    const auto over = makeRational(1, q.den);
    if (!over) return std::nullopt;
    return ExactValue::surd(Rational{}, *over, static_cast<std::int64_t>(pr));
}

std::optional<int> signOf(const ExactValue& x) {
    if (x.kind() == ExactValue::Kind::Pi) return sign(x.piCoefficient());
    const Rational a = x.rationalPart(), b = x.rootCoefficient();
    const int sa = sign(a), sb = sign(b);
    if (sb == 0 || sa == sb) return sa != 0 ? sa : sb;
    if (sa == 0) return sb;
    // Opposite signs: the larger of a² and b²n wins; they are never equal.
    const auto aa = multiply(a, a), bb = multiply(b, b);
    if (!aa || !bb) return std::nullopt;
    const auto bbn = multiply(*bb, Rational{x.radicand(), 1});
    if (!bbn) return std::nullopt;
    const auto difference = subtract(*aa, *bbn);
    if (!difference) return std::nullopt;
    return sign(*difference) > 0 ? sa : sb;
}

// ---- text ---------------------------------------------------------------------------------

namespace {

// "√3", "2√3", "√3/2"-style pieces: coefficient magnitude p/q in front of a symbol.
std::string withSymbol(Rational q, const std::string& symbol) {
    std::string out;
    const std::uint64_t p = magnitude(q.num);
    if (p != 1) out += digits(p);
    out += symbol;
    if (q.den != 1) out += "/" + digits(static_cast<std::uint64_t>(q.den));
    return out;
}

std::string rationalText(Rational q, bool decimal) {
    if (decimal) {
        const std::string d = decimalDigits(q);
        if (!d.empty()) return d;
    }
    std::string out = digits(magnitude(q.num));
    if (q.den != 1) out += "/" + digits(static_cast<std::uint64_t>(q.den));
    return out;
}

} // namespace

std::string formatExact(const ExactValue& x, Notation notation) {
    const std::string minus = notation == Notation::Display ? "\xE2\x88\x92" : "-";
    const std::string root = "\xE2\x88\x9A", pi = "\xCF\x80";
    if (x.kind() == ExactValue::Kind::Pi) {
        const Rational q = x.piCoefficient();
        return (q.num < 0 ? minus : "") + withSymbol(q, pi);
    }
    const Rational a = x.rationalPart(), b = x.rootCoefficient();
    if (x.isRational()) return (a.num < 0 ? minus : "") + rationalText(a, x.writtenAsDecimal());
    const std::string r = root + digits(static_cast<std::uint64_t>(x.radicand()));
    if (a.num == 0) return (b.num < 0 ? minus : "") + withSymbol(b, r);
    // Over a common denominator: (1+√5)/2, not 1/2+√5/2.
    const UWide g = gcd(static_cast<UWide>(a.den), static_cast<UWide>(b.den));
    const UWide l = static_cast<UWide>(a.den) / g * static_cast<UWide>(b.den);
    const Wide ta = static_cast<Wide>(a.num) * static_cast<Wide>(l / static_cast<UWide>(a.den));
    const Wide tb = static_cast<Wide>(b.num) * static_cast<Wide>(l / static_cast<UWide>(b.den));
    if (l > static_cast<UWide>(kMax) || ta > kMax || ta < -kMax || tb > kMax || tb < -kMax)
        return formatExact(ExactValue::rational(a), notation) + (b.num < 0 ? minus : "+") +
               formatExact(ExactValue::withRootOf(x, Rational{}, Rational{b.num < 0 ? -b.num : b.num, b.den}), notation);
    const Rational first{static_cast<std::int64_t>(ta), 1}, second{static_cast<std::int64_t>(tb), 1};
    std::string sum = (first.num < 0 ? minus : "") + rationalText(first, false) + (second.num < 0 ? minus : "+") +
                      withSymbol(second, r);
    if (l == 1) return sum;
    return "(" + sum + ")/" + digits(static_cast<std::uint64_t>(l));
}

} // namespace yhb
