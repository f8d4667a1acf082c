// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yhb {

// A fraction in lowest terms: den > 0, and num is never INT64_MIN, so negation cannot overflow.
struct Rational {
    std::int64_t num = 0;
    std::int64_t den = 1;
    friend bool operator==(const Rational& x, const Rational& y) { return x.num == y.num && x.den == y.den; }
    friend bool operator!=(const Rational& x, const Rational& y) { return !(x == y); }
};

// Empty when den is 0 or the reduced fraction does not fit.
std::optional<Rational> makeRational(std::int64_t num, std::int64_t den = 1);
std::optional<Rational> add(Rational x, Rational y);
std::optional<Rational> subtract(Rational x, Rational y);
std::optional<Rational> multiply(Rational x, Rational y);
std::optional<Rational> divide(Rational x, Rational y);
Rational negate(Rational x);

// The numbers a school exercise writes exactly: q₁ + q₂·√n (n square-free, at least 2) or q·π.
// Zero and the rationals are the first kind with q₂ = 0.
class ExactValue {
public:
    enum class Kind { Surd, Pi };

    ExactValue() = default;
    static ExactValue rational(Rational q);
    static ExactValue integer(std::int64_t v) { return rational(Rational{v == INT64_MIN ? 0 : v, 1}); }
    // a + b·√n for any n ≥ 0: square factors leave the root (√12 = 2√3). Empty when that overflows.
    static std::optional<ExactValue> surd(Rational a, Rational b, std::int64_t n);
    static ExactValue pi(Rational q);
    // a + b·√n with the radicand of `like` (already square-free: nothing to factor again).
    static ExactValue withRootOf(const ExactValue& like, Rational a, Rational b);

    Kind kind() const { return kind_; }
    Rational rationalPart() const { return a_; }      // q₁ (Surd)
    Rational rootCoefficient() const { return b_; }   // q₂ (Surd); 0 for a rational
    std::int64_t radicand() const { return n_; }      // n (Surd); 1 for a rational
    Rational piCoefficient() const { return a_; }     // q (Pi)
    bool isRational() const { return kind_ == Kind::Surd && b_.num == 0; }
    bool isZero() const { return isRational() && a_.num == 0; }
    double toDouble() const;

    // A rational that was typed as a decimal ("1.5") is written back as one; nothing else.
    bool writtenAsDecimal() const { return decimal_; }
    ExactValue asDecimal(bool on) const;

    // The same number, whichever way it was written.
    friend bool operator==(const ExactValue& x, const ExactValue& y) {
        return x.kind_ == y.kind_ && x.a_ == y.a_ && x.b_ == y.b_ && x.n_ == y.n_;
    }
    friend bool operator!=(const ExactValue& x, const ExactValue& y) { return !(x == y); }

private:
    Kind kind_ = Kind::Surd;
    Rational a_{};
    Rational b_{};
    std::int64_t n_ = 1;
    bool decimal_ = false;
};

// Arithmetic that stays in the set; empty when the result leaves it (√2 + √3, π + 1, π²) or a
// numerator or denominator would overflow 64 bits.
std::optional<ExactValue> add(const ExactValue& x, const ExactValue& y);
std::optional<ExactValue> subtract(const ExactValue& x, const ExactValue& y);
std::optional<ExactValue> multiply(const ExactValue& x, const ExactValue& y);
std::optional<ExactValue> divide(const ExactValue& x, const ExactValue& y);
std::optional<ExactValue> square(const ExactValue& x);
ExactValue negate(const ExactValue& x);
// √q for a rational q ≥ 0, simplified (√12 = 2√3, √(3/4) = √3/2); empty for q < 0.
std::optional<ExactValue> squareRoot(Rational q);
// -1, 0 or 1; empty only when deciding it would overflow.
std::optional<int> signOf(const ExactValue& x);

// Display: "−√3/2", "2π/3", "(1+√5)/2", "1.5" with a true minus sign, for messages and pictures.
// Typed: the same with an ASCII '-', a text parseExact reads back as the same value.
enum class Notation { Display, Typed };

// The digits of |q| where q ends as a decimal ("0.25" for -1/4, "3" for 3); empty where it
// does not end (1/3).
std::string decimalDigits(Rational q);
std::string formatExact(const ExactValue& x, Notation notation = Notation::Display);

// ---- reading what was typed -----------------------------------------------------------------

enum class TextEncoding { Utf8, Cp936 };

struct NumberReading {
    double value = 0;                 // what the program computes and draws with
    std::optional<ExactValue> exact;  // what it shows; empty when the text is no exact form
    bool isNumber = false;            // the whole text says a number
    bool finite = true;               // false: refused
    bool rounded = false;             // exact is a simple form the typed decimal rounds (1.732 → √3)
    std::string message;              // UTF-8, Chinese; empty when the text is a finite number
};

// Integers, decimals, "3/2", "√3" or "sqrt(3)", "2√2", "√3/2", "π", "π/6", "2π/3" ("pi"), a sign,
// and the sum of two of them ("1+√2", "(1+√5)/2"); full-width digits, signs and brackets too.
// A text strtod reads whole keeps strtod's double bit for bit; a text that is no number takes
// atof's value with a message saying so; a value that is not finite is refused (finite false).
NumberReading parseExact(std::string_view text, TextEncoding encoding = TextEncoding::Utf8);

// The simple form (p/q with q of 3, 6, 7, 9 or 12; a·√n/b; a·π/b) that a decimal typed with
// `decimalsTyped` ≥ 3 decimals is the rounding of: 1.732 → √3, 0.866 → √3/2, 3.142 → π.
std::optional<ExactValue> recognise(double value, int decimalsTyped);

} // namespace yhb
