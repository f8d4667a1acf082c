// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/bank_answers.h"

#include <cstdio>
#include <numeric>

#include "bank/question_reader.h"
#include "gfx/cp936.h"
#include "items/draw_items.h"
#include "items/item_list.h"
#include "items/math_items.h"
#include "test_util.h"

namespace yhb::test {

namespace {

bool plain(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isalnum(c) || c == '.' || c == '^' || c == '_') {
            ++i;
        } else if (s.compare(i, 3, "√") == 0) {
            i += 3;
        } else if (s.compare(i, 2, "π") == 0) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

std::string wrap(const std::string& s) { return plain(s) ? s : "(" + s + ")"; }

std::string flatten(const DrawItem* item) {
    if (auto* t = dynamic_cast<const TextItem*>(item)) return t->text.empty() ? "\n" : t->text;
    if (auto* f = dynamic_cast<const FractionItem*>(item)) return wrap(flatten(f->numerator)) + "/" + wrap(flatten(f->denominator));
    if (auto* s = dynamic_cast<const SuperscriptItem*>(item)) return flatten(s->base) + "^" + wrap(flatten(s->exponent));
    if (auto* s = dynamic_cast<const SubscriptItem*>(item)) return flatten(s->base) + "_" + wrap(flatten(s->index));
    if (auto* r = dynamic_cast<const RadicalItem*>(item))
        return (r->index ? flatten(r->index) : std::string()) + "√" + wrap(flatten(r->child));
    if (auto* f = dynamic_cast<const FencedItem*>(item))
        return (f->left == '.' ? "" : std::string(1, f->left)) + flatten(f->child) + (f->right == '.' ? "" : std::string(1, f->right));
    if (auto* o = dynamic_cast<const OverItem*>(item)) return flatten(o->child);
    if (auto* g = dynamic_cast<const GroupItem*>(item)) {
        const bool brace = dynamic_cast<const BraceItem*>(item) != nullptr;
        std::string out = brace ? "{" : "";
        for (std::size_t i = 0; i < g->children().size(); ++i) out += (brace && i ? ";" : "") + flatten(g->children()[i]);
        return out + (brace ? "}" : "");
    }
    return ""; // figures and anything else that is not text
}

// v = n/d with a small d, or false.
bool rational(double v, long& n, long& d) {
    for (d = 1; d <= 1000; ++d) {
        const double x = v * static_cast<double>(d);
        if (std::fabs(x - std::round(x)) < 1e-7) {
            n = std::lround(x);
            return true;
        }
    }
    return false;
}

bool squareFree(long b) {
    for (long p = 2; p * p <= b; ++p)
        if (b % (p * p) == 0) return false;
    return true;
}

std::string coefficient(double c, bool first) {
    if (c == 1) return first ? "" : "+";
    if (c == -1) return "-";
    return (c > 0 && !first ? "+" : "") + num(c);
}

} // namespace

std::string answerText(const std::string& file) {
    std::string bytes;
    if (!readQuestionFile(bundledBank() + "/tm/" + file, bytes)) return "(cannot read " + file + ")";
    ItemList question(800), answer(800);
    parseQuestion(bytes, question, answer, nullptr);
    std::string out;
    for (int i = 0; i < answer.count(); ++i) out += flatten(answer.at(i));
    return out;
}

QuestionData questionData(const std::string& file) {
    QuestionData out;
    std::string bytes;
    if (!readQuestionFile(bundledBank() + "/tm/" + file, bytes)) return out;
    ItemList question(800), answer(800);
    QuestionAtLines meta;
    out.read = parseQuestion(bytes, question, answer, nullptr, meta);
    out.type = questionTypeName(meta.type);
    for (int i = 0; i < question.count(); ++i) out.question += flatten(question.at(i));
    for (int i = 0; i < answer.count(); ++i) out.answer += flatten(answer.at(i));
    for (const ChoiceLine& c : meta.choices) {
        ItemList option(50);
        readChoice(c, option);
        std::string text;
        for (int i = 0; i < option.count(); ++i) text += flatten(option.at(i));
        out.options.push_back(text);
    }
    return out;
}

std::string num(double v) {
    long n = 0, d = 1;
    if (!rational(v, n, d)) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", v);
        return buf;
    }
    return std::to_string(n) + (d > 1 ? "/" + std::to_string(d) : "");
}

std::string dec(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string surd(double v) {
    long n = 0, d = 1;
    if (rational(v, n, d)) return num(v);
    for (long b = 2; b <= 500; ++b) {
        if (!squareFree(b)) continue;
        if (!rational(v / std::sqrt(static_cast<double>(b)), n, d) || d > 100) continue;
        const std::string a = std::labs(n) == 1 ? "" : std::to_string(std::labs(n));
        return (n < 0 ? "-" : "") + a + "√" + std::to_string(b) + (d > 1 ? "/" + std::to_string(d) : "");
    }
    return num(v);
}

std::string piText(double v) {
    long n = 0, d = 1;
    if (!rational(v / kPi, n, d)) return num(v);
    const std::string a = std::labs(n) == 1 ? "" : std::to_string(std::labs(n));
    return (n < 0 ? "-" : "") + a + "π" + (d > 1 ? "/" + std::to_string(d) : "");
}

std::string pt(double x, double y) { return "(" + num(x) + "," + num(y) + ")"; }

std::string poly(double a, double b, double c, const std::string& var) {
    std::string out;
    if (a != 0) out += coefficient(a, true) + var + "^2";
    if (b != 0) out += coefficient(b, out.empty()) + var;
    if (c != 0 || out.empty()) out += (c > 0 && !out.empty() ? "+" : "") + num(c);
    return out;
}

std::string lineEq(double a, double b, double c) {
    // The least integer multiple, first coefficient positive.
    long scale = 1;
    for (; scale <= 1000; ++scale) {
        auto whole = [&](double v) { return std::fabs(v * scale - std::round(v * scale)) < 1e-7; };
        if (whole(a) && whole(b) && whole(c)) break;
    }
    long ia = std::lround(a * scale), ib = std::lround(b * scale), ic = std::lround(c * scale);
    const long g = std::gcd(std::gcd(std::labs(ia), std::labs(ib)), std::labs(ic));
    const long sign = (ia < 0 || (ia == 0 && ib < 0)) ? -1 : 1;
    ia = ia / g * sign, ib = ib / g * sign, ic = ic / g * sign;
    std::string out;
    if (ia != 0) out += coefficient(static_cast<double>(ia), true) + "x";
    if (ib != 0) out += coefficient(static_cast<double>(ib), out.empty()) + "y";
    if (ic != 0) out += (ic > 0 ? "+" : "") + std::to_string(ic);
    return out + "=0";
}

std::string square(const std::string& var, double denominator) {
    return var + "^2" + (denominator == 1 ? "" : "/" + num(denominator));
}

std::string shifted(const std::string& var, double centre) {
    if (centre == 0) return var + "^2";
    return "(" + var + (centre > 0 ? "-" : "+") + num(std::fabs(centre)) + ")^2";
}

} // namespace yhb::test
