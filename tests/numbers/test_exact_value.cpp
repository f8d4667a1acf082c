// SPDX-License-Identifier: GPL-3.0-or-later
// Exact arithmetic: what stays in the set stays exact, what leaves it or overflows says so.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "numbers/exact_value.h"

using namespace yhb;

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

ExactValue q(std::int64_t num, std::int64_t den = 1) { return ExactValue::rational(*makeRational(num, den)); }
ExactValue root(std::int64_t n, std::int64_t num = 1, std::int64_t den = 1) {
    return *ExactValue::surd(Rational{}, *makeRational(num, den), n);
}
ExactValue sum(ExactValue x, ExactValue y) { return *add(x, y); }
ExactValue piTimes(std::int64_t num, std::int64_t den = 1) { return ExactValue::pi(*makeRational(num, den)); }
std::string text(const std::optional<ExactValue>& v) { return v ? formatExact(*v) : "not exact"; }

} // namespace

TEST(ExactValue, RootsLeaveTheirSquareFactors) {
    EXPECT_EQ(text(squareRoot(Rational{12, 1})), "2√3");
    EXPECT_EQ(text(squareRoot(*makeRational(3, 4))), "√3/2");
    EXPECT_EQ(text(squareRoot(*makeRational(1, 3))), "√3/3");
    EXPECT_EQ(text(squareRoot(Rational{49, 1})), "7");
    EXPECT_EQ(text(squareRoot(Rational{0, 1})), "0");
    EXPECT_EQ(text(squareRoot(Rational{-3, 1})), "not exact");
    // A large prime squared times a prime: the factoring must find the square, not give up.
    const std::int64_t p = 1000003;
    EXPECT_EQ(text(squareRoot(Rational{p * p * 5, 1})), "1000003√5");
    EXPECT_EQ(text(squareRoot(Rational{kMax, 1})), "7√" + std::to_string(kMax / 49)); // 7²·73·127·337·92737·649657
    EXPECT_EQ(text(squareRoot(Rational{kMax, 2})), "not exact"); // √(p·r) would not fit
}

TEST(ExactValue, ArithmeticStaysExactWhereTheSetAllows) {
    const ExactValue r3 = root(3), half = q(1, 2);
    EXPECT_EQ(text(add(q(1, 2), q(1, 3))), "5/6");
    EXPECT_EQ(text(add(q(1), root(5))), "1+√5");
    EXPECT_EQ(text(divide(sum(q(1), root(5)), q(2))), "(1+√5)/2");
    EXPECT_EQ(text(subtract(r3, root(12))), "−√3");
    EXPECT_EQ(text(multiply(root(2), root(6))), "2√3");
    EXPECT_EQ(text(multiply(sum(q(1), root(2)), sum(q(1), negate(root(2))))), "−1");
    EXPECT_EQ(text(square(sum(q(1), root(2)))), "3+2√2");
    EXPECT_EQ(text(divide(q(1), sum(q(1), root(2)))), "−1+√2");
    EXPECT_EQ(text(divide(r3, q(2))), "√3/2");
    EXPECT_EQ(text(multiply(piTimes(2, 3), half)), "π/3");
    EXPECT_EQ(text(divide(piTimes(1), piTimes(1, 6))), "6");
    EXPECT_EQ(text(subtract(piTimes(1), piTimes(1))), "0");
    EXPECT_EQ(text(add(q(0), piTimes(1, 2))), "π/2");
    // The double beside it follows the exact value.
    EXPECT_DOUBLE_EQ(divide(sum(q(1), root(5)), q(2))->toDouble(), (1 + std::sqrt(5.0)) / 2);
    EXPECT_DOUBLE_EQ(piTimes(2, 3).toDouble(), 2 * M_PI / 3);
}

TEST(ExactValue, WhatLeavesTheSetIsNotExact) {
    EXPECT_EQ(text(add(root(2), root(3))), "not exact");
    EXPECT_EQ(text(add(piTimes(1), q(1))), "not exact");
    EXPECT_EQ(text(square(piTimes(1))), "not exact");
    EXPECT_EQ(text(multiply(piTimes(1), root(2))), "not exact");
    EXPECT_EQ(text(multiply(sum(q(1), root(2)), sum(q(1), root(3)))), "not exact");
    EXPECT_EQ(text(divide(q(1), piTimes(1))), "not exact");
    EXPECT_EQ(text(divide(root(2), q(0))), "not exact");
}

TEST(ExactValue, OverflowIsNotExactNeverWrong) {
    const ExactValue big = q(kMax), tiny = q(1, kMax);
    EXPECT_EQ(text(add(big, q(1))), "not exact");
    EXPECT_EQ(text(multiply(big, q(2))), "not exact");
    EXPECT_EQ(text(multiply(tiny, q(1, 2))), "not exact");
    EXPECT_EQ(text(add(tiny, q(1, kMax - 1))), "not exact");
    EXPECT_EQ(text(square(root(3, kMax))), "not exact");
    EXPECT_EQ(text(multiply(root(kMax / 49), root(kMax / 49 - 2))), "not exact");
    EXPECT_EQ(text(divide(q(1), sum(q(kMax), root(2, kMax)))), "not exact");
    EXPECT_FALSE(makeRational(std::numeric_limits<std::int64_t>::min(), 1)); // its negation has no int64
    EXPECT_FALSE(makeRational(1, 0));
    // Near the edge what fits is still exact: reduction happens before the range check.
    EXPECT_EQ(text(multiply(q(kMax, 2), q(2, kMax))), "1");
    EXPECT_EQ(text(subtract(big, big)), "0");
}

TEST(ExactValue, SignIsDecidedExactly) {
    EXPECT_EQ(signOf(sum(q(1), negate(root(2)))), -1);
    EXPECT_EQ(signOf(sum(q(3, 2), negate(root(2)))), 1);      // 1.5 > 1.414
    EXPECT_EQ(signOf(sum(q(-1732, 1000), root(3))), 1);        // √3 − 1.732 > 0
    EXPECT_EQ(signOf(sum(q(-17321, 10000), root(3))), -1);     // √3 − 1.7321 < 0
    EXPECT_EQ(signOf(q(0)), 0);
    EXPECT_EQ(signOf(piTimes(-1, 6)), -1);
    EXPECT_EQ(signOf(sum(q(-kMax), root(2, kMax / 2))), std::nullopt); // a² would overflow
}

TEST(ExactValue, FormattingForMessagesAndTyping) {
    EXPECT_EQ(formatExact(negate(root(3, 1, 2))), "−√3/2");
    EXPECT_EQ(formatExact(negate(root(3, 1, 2)), Notation::Typed), "-√3/2");
    EXPECT_EQ(formatExact(root(3, 2, 3)), "2√3/3");
    EXPECT_EQ(formatExact(piTimes(2, 3)), "2π/3");
    EXPECT_EQ(formatExact(piTimes(-1)), "−π");
    EXPECT_EQ(formatExact(q(3, 2)), "3/2");
    EXPECT_EQ(formatExact(q(3, 2).asDecimal(true)), "1.5");
    EXPECT_EQ(formatExact(negate(q(1, 8).asDecimal(true))), "−0.125");
    EXPECT_EQ(formatExact(q(1, 3).asDecimal(true)), "1/3"); // no decimal to write it with
    EXPECT_EQ(formatExact(*divide(sum(q(-1), root(5)), q(2)), Notation::Typed), "(-1+√5)/2");
    EXPECT_EQ(formatExact(sum(q(1), negate(root(2, 1, 3)))), "(3−√2)/3");
}
