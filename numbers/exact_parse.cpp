// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a typed coefficient: the exact forms a school exercise writes, strtod's value for
// every text it reads whole, atof's for the rest.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "gfx/cp936.h"
#include "numbers/exact_value.h"

namespace yhb {
namespace {

constexpr double kPi = 3.14159265358979323846;

// CP936 forms of the symbols (after foldNumberText has made full-width digits and signs ASCII).
constexpr std::string_view kRoot = "\xA1\xCC";       // √
constexpr std::string_view kPiSign = "\xA6\xD0";     // π
constexpr std::string_view kOpenWide = "\xA3\xA8";   // （
constexpr std::string_view kCloseWide = "\xA3\xA9";  // ）
constexpr std::string_view kSlashWide = "\xA3\xAF";  // ／

struct Piece {
    double value = 0;
    std::optional<ExactValue> exact;
};

using BinaryOp = std::optional<ExactValue> (*)(const ExactValue&, const ExactValue&);

std::optional<ExactValue> combine(const std::optional<ExactValue>& x, const std::optional<ExactValue>& y, BinaryOp op) {
    if (!x || !y) return std::nullopt;
    return op(*x, *y);
}

// A recursive descent over the folded CP936 text:
//   whole := sum | sign? "(" sum ")" ("/" integer)?
//   sum   := sign? term (("+" | "-") term)?
//   term  := decimal | decimal? ("√" | "sqrt") (integer | "(" integer ")") ("/" integer)?
//          | decimal? ("π" | "pi") ("/" integer)? | decimal "/" integer
class Reader {
public:
    explicit Reader(std::string_view s) : s_(s) {}

    std::optional<Piece> whole() {
        const std::size_t start = i_;
        int sign = 1;
        if (take("-")) sign = -1;
        else take("+");
        std::optional<Piece> p;
        if (open()) {
            p = sum();
            if (!p || !close()) return std::nullopt;
            if (slash() && !divideBy(*p)) return std::nullopt;
            if (sign < 0) negate(*p);
        } else {
            i_ = start;
            p = sum();
        }
        spaces();
        if (!p || i_ != s_.size()) return std::nullopt;
        return p;
    }

private:
    void spaces() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t')) ++i_;
    }

    bool take(std::string_view token) {
        spaces();
        if (s_.size() - i_ < token.size()) return false;
        for (std::size_t k = 0; k < token.size(); ++k) {
            const char c = s_[i_ + k];
            const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            if (lower != token[k]) return false;
        }
        i_ += token.size();
        return true;
    }

    bool open() { return take("(") || take(kOpenWide); }
    bool close() { return take(")") || take(kCloseWide); }
    bool slash() { return take("/") || take(kSlashWide); }
    bool digitAt(std::size_t k) const { return k < s_.size() && s_[k] >= '0' && s_[k] <= '9'; }

    static void negate(Piece& p) {
        p.value = -p.value;
        if (p.exact) p.exact = yhb::negate(*p.exact);
    }

    // digits [. digits] [e [sign] digits], or . digits
    std::optional<Piece> decimal() {
        spaces();
        const std::size_t start = i_;
        std::string mantissa;
        int fraction = 0;
        while (digitAt(i_)) mantissa += s_[i_++];
        bool point = false;
        if (i_ < s_.size() && s_[i_] == '.') {
            point = true;
            ++i_;
            while (digitAt(i_)) {
                mantissa += s_[i_++];
                ++fraction;
            }
        }
        if (mantissa.empty()) {
            i_ = start;
            return std::nullopt;
        }
        long exponent = 0;
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            std::size_t k = i_ + 1;
            if (k < s_.size() && (s_[k] == '+' || s_[k] == '-')) ++k;
            if (digitAt(k)) {
                point = true;
                const bool negative = s_[i_ + 1] == '-';
                i_ = k;
                while (digitAt(i_)) {
                    if (exponent < 100000) exponent = exponent * 10 + (s_[i_] - '0');
                    ++i_;
                }
                if (negative) exponent = -exponent;
            }
        }
        Piece p;
        p.value = std::strtod(std::string(s_.substr(start, i_ - start)).c_str(), nullptr);
        p.exact = exactDecimal(mantissa, exponent - fraction);
        if (p.exact) p.exact = p.exact->asDecimal(point);
        return p;
    }

    // digits × 10^power, while it fits
    static std::optional<ExactValue> exactDecimal(std::string digits, long power) {
        while (digits.size() > 1 && digits.back() == '0') {
            digits.pop_back();
            ++power;
        }
        const std::size_t first = digits.find_first_not_of('0');
        if (first == std::string::npos) return ExactValue::integer(0);
        digits.erase(0, first);
        if (digits.size() > 18 || power > 18 || power < -18) return std::nullopt;
        std::int64_t num = std::stoll(digits), scale = 1;
        for (long k = 0; k < (power < 0 ? -power : power); ++k) scale *= 10;
        const auto q = power < 0 ? makeRational(num, scale) : multiply(Rational{num, 1}, Rational{scale, 1});
        if (!q) return std::nullopt;
        return ExactValue::rational(*q);
    }

    std::optional<Piece> integer() {
        spaces();
        const std::size_t start = i_;
        while (digitAt(i_)) ++i_;
        if (i_ == start) return std::nullopt;
        const std::string text(s_.substr(start, i_ - start));
        Piece p;
        p.value = std::strtod(text.c_str(), nullptr);
        const std::size_t first = text.find_first_not_of('0');
        if (first == std::string::npos) p.exact = ExactValue::integer(0);
        else if (text.size() - first <= 18) p.exact = ExactValue::integer(std::stoll(text.substr(first)));
        return p;
    }

    bool divideBy(Piece& p) {
        const auto d = integer();
        if (!d) return false;
        p.value /= d->value;
        p.exact = combine(p.exact, d->exact, BinaryOp(&yhb::divide));
        return true;
    }

    std::optional<Piece> atom() {
        if (take(kRoot) || take("sqrt")) {
            const bool bracket = open();
            const auto n = integer();
            if (!n || (bracket && !close())) return std::nullopt;
            Piece p;
            p.value = std::sqrt(n->value);
            if (n->exact) p.exact = squareRoot(n->exact->rationalPart());
            return p;
        }
        if (take(kPiSign) || take("pi")) return Piece{kPi, ExactValue::pi(Rational{1, 1})};
        return std::nullopt;
    }

    std::optional<Piece> term() {
        std::optional<Piece> p = decimal();
        const std::size_t afterNumber = i_;
        if (auto a = atom()) {
            if (p) {
                p->value *= a->value;
                p->exact = combine(p->exact, a->exact, BinaryOp(&yhb::multiply));
            } else {
                p = a;
            }
        } else {
            i_ = afterNumber;
            if (!p) return std::nullopt;
        }
        const std::size_t beforeSlash = i_;
        if (slash() && !divideBy(*p)) {
            i_ = beforeSlash;
            return std::nullopt;
        }
        return p;
    }

    std::optional<Piece> sum() {
        int sign = 1;
        if (take("-")) sign = -1;
        else take("+");
        std::optional<Piece> p = term();
        if (!p) return std::nullopt;
        if (sign < 0) negate(*p);
        const bool minus = take("-");
        if (!minus && !take("+")) return p;
        const auto q = term();
        if (!q) return std::nullopt;
        p->value = minus ? p->value - q->value : p->value + q->value;
        p->exact = combine(p->exact, q->exact, minus ? BinaryOp(&yhb::subtract) : BinaryOp(&yhb::add));
        return p;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

// Decimals of a text that is a sign and a decimal with a point and no exponent; -1 otherwise.
int typedDecimals(std::string_view s) {
    const std::size_t begin = s.find_first_not_of(" \t"), end = s.find_last_not_of(" \t");
    if (begin == std::string_view::npos) return -1;
    s = s.substr(begin, end - begin + 1);
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos || s.find_first_not_of("0123456789.") != std::string_view::npos ||
        s.find('.', point + 1) != std::string_view::npos)
        return -1;
    return static_cast<int>(s.size() - point - 1);
}

// The shortest text that reads back as v, for "按 2.5 计算".
std::string shortest(double v) {
    char buf[40];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, v);
        if (std::strtod(buf, nullptr) == v) break;
    }
    return buf;
}

std::string withoutTrueMinus(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8.substr(i, 3) == "\xE2\x88\x92") { // U+2212 has no CP936 form
            out += '-';
            i += 2;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

struct Candidate {
    double value;
    ExactValue exact;
    int score; // numerator + denominator of the coefficient: the smaller, the more likely meant
};

// a·√n/b and a·π/b with small a and b, n square-free up to 15.
const std::vector<Candidate>& candidates() {
    static const std::vector<Candidate> list = [] {
        std::vector<Candidate> out;
        for (std::int64_t b = 1; b <= 12; ++b)
            for (std::int64_t a = 1; a <= 12; ++a) {
                if (std::gcd(a, b) != 1) continue;
                const Rational q{a, b};
                if (a <= 6 && b <= 6)
                    for (std::int64_t n : {2, 3, 5, 6, 7, 10, 11, 13, 14, 15}) {
                        const ExactValue v = *ExactValue::surd(Rational{}, q, n);
                        out.push_back({v.toDouble(), v, static_cast<int>(a + b)});
                    }
                if (b == 1 || b == 2 || b == 3 || b == 4 || b == 6 || b == 12) {
                    const ExactValue v = ExactValue::pi(q);
                    out.push_back({v.toDouble(), v, static_cast<int>(a + b)});
                }
            }
        return out;
    }();
    return list;
}

} // namespace

std::optional<ExactValue> recognise(double value, int decimalsTyped) {
    if (decimalsTyped < 3 || decimalsTyped > 15 || !std::isfinite(value)) return std::nullopt;
    const double x = std::fabs(value);
    if (x == 0 || x > 1000) return std::nullopt;
    // The typed text is the candidate rounded to that many decimals; a little slack for the
    // binary form of both.
    const double tolerance = 0.5 * std::pow(10.0, -decimalsTyped) * (1 + 1e-9);
    auto near = [&](double c) { return std::fabs(c - x) <= tolerance; };
    auto withSign = [&](const ExactValue& v) { return value < 0 ? negate(v) : v; };
    const Candidate* best = nullptr;
    for (const Candidate& c : candidates()) {
        if (!near(c.value)) continue;
        if (!best || c.score < best->score ||
            (c.score == best->score && std::fabs(c.value - x) < std::fabs(best->value - x)))
            best = &c;
    }
    // Fractions with a terminating decimal are typed exactly; these have none. Scored by the
    // denominator, so that 1.571 is π/2 and not 11/7, and 0.333 is 1/3.
    for (std::int64_t q : {3, 6, 7, 9, 12}) {
        const double p = std::round(x * static_cast<double>(q));
        if (p < 1 || p > 1e9) continue;
        const auto whole = static_cast<std::int64_t>(p);
        if (std::gcd(whole, q) == 1 && near(p / static_cast<double>(q)) && (!best || q + 1 <= best->score))
            return withSign(ExactValue::rational(Rational{whole, q}));
    }
    if (!best) return std::nullopt;
    return withSign(best->exact);
}

NumberReading parseExact(std::string_view text, TextEncoding encoding) {
    const std::string cp = encoding == TextEncoding::Utf8 ? cp936::fromUtf8(withoutTrueMinus(text)) : std::string(text);
    const std::string quoted = encoding == TextEncoding::Utf8 ? std::string(text) : cp936::toUtf8(text);
    const std::string s = cp936::foldNumberText(cp);
    NumberReading r;
    auto refuse = [&] {
        r.finite = false;
        r.message = "“" + quoted + "”不是有限的数，不能计算";
        return r;
    };

    // What strtod reads whole keeps its double: drawings of such texts never change.
    const char* begin = s.c_str();
    char* end = nullptr;
    const double whole = std::strtod(begin, &end);
    if (end != begin && std::string_view(end).find_first_not_of(" \t") == std::string_view::npos) {
        r.value = whole;
        r.isNumber = true;
        if (!std::isfinite(whole)) return refuse();
        if (const auto p = Reader(s).whole()) r.exact = p->exact;
        if (!r.exact && whole == std::trunc(whole) && std::fabs(whole) < 9007199254740992.0) // hex
            r.exact = ExactValue::integer(static_cast<std::int64_t>(whole));
        if (const auto simple = recognise(whole, typedDecimals(s)); simple && (!r.exact || *simple != *r.exact)) {
            r.exact = simple;
            r.rounded = true;
        }
        return r;
    }
    if (const auto p = Reader(s).whole()) {
        r.value = p->value;
        r.exact = p->exact;
        r.isNumber = true;
        if (!std::isfinite(p->value)) {
            r.exact.reset();
            return refuse();
        }
        return r;
    }
    r.value = std::atof(s.c_str());
    if (!std::isfinite(r.value)) return refuse();
    if (s.find_first_not_of(" \t") == std::string::npos) r.message = "没有填数，按 0 计算";
    else r.message = "“" + quoted + "”不是数，按 " + shortest(r.value) + " 计算";
    return r;
}

} // namespace yhb
