// SPDX-License-Identifier: GPL-3.0-or-later
// The bank's 选择题 and 填空题: each result recomputed from the question's data, and of each
// 选择题's four options exactly the one its answer names is right.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

#include "bank/bank_answers.h"
#include "test_util.h"

using namespace yhb::test;

namespace {

struct ChoiceCase {
    std::string file;
    std::vector<bool> right; // which options hold, as computed here
};
struct BlankCase {
    std::string file;
    std::vector<std::string> expected; // texts the answer must hold
};

struct Cases {
    std::vector<ChoiceCase> choices;
    std::vector<BlankCase> blanks;
};

// Text as compared: the spaces an author leaves between words and formulas do not count.
std::string squeezed(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

// Options compared as text with a result computed here.
ChoiceCase byText(const std::string& file, const std::string& result) {
    ChoiceCase c{file, {}};
    for (const std::string& o : questionData(file).options) c.right.push_back(squeezed(o) == result);
    return c;
}

bool near(double a, double b) { return std::fabs(a - b) < 1e-9; }

// Whether f and g agree at a spread of points.
bool same(const std::function<double(double)>& f, const std::function<double(double)>& g) {
    for (double x = -3.1; x < 3.2; x += 0.37)
        if (!near(f(x), g(x))) return false;
    return true;
}

bool decreasingOnPositives(const std::function<double(double)>& f) {
    for (double x = 0.05; x < 20; x += 0.05)
        if (!(f(x + 0.05) < f(x))) return false;
    return true;
}

// The chord a line of slope k cuts from a conic, from `inX` (the conic's equation with the line's
// y put in), whose two roots lie either side of `split` in [lo, hi].
double chord(double k, const std::function<double(double)>& inX, double lo, double hi, double split) {
    const double x1 = bisect(inX, lo, split), x2 = bisect(inX, split, hi);
    return std::hypot(x2 - x1, k * (x2 - x1));
}

Cases functionCasesOfChoice() {
    Cases c;
    const std::string C = "1func/1concept/", Q = "1func/2quadratic/", E = "1func/3explog/", T = "1func/4trig/",
                      I = "1func/5identity/";
    // sqrt(x-1) needs x >= 1, 1/(x-3) needs x != 3
    c.choices.push_back(byText(C + "concept12.tm", "[" + num(1) + "," + num(3) + ")∪(" + num(3) + ",+∞)"));
    {
        auto f = [](double x) { return x * x * x + x; };
        const bool odd = near(f(-1.3), -f(1.3)), even = near(f(-1.3), f(1.3));
        c.choices.push_back({C + "concept13.tm", {even && !odd, odd && !even, odd && even, !odd && !even}});
    }
    c.blanks.push_back({C + "concept14.tm", {"f(f(1))=f(3)=" + num(2 * (2 * 1 + 1) + 1)}});
    c.choices.push_back({C + "concept15.tm",
                         {decreasingOnPositives([](double x) { return x * x; }), decreasingOnPositives([](double x) { return std::pow(2, x); }),
                          decreasingOnPositives([](double x) { return 1 / x; }), decreasingOnPositives([](double x) { return std::log2(x); })}});
    c.blanks.push_back({C + "concept16.tm", {"f(-2)=-f(2)=" + num(-(2 * 2 + 1))}});

    {
        double lo = 1e9;
        for (double x = -10; x <= 10; x += 0.001) lo = std::min(lo, x * x - 4 * x + 5);
        c.choices.push_back(byText(Q + "quadratic13.tm", num(std::round(lo * 1e6) / 1e6)));
    }
    c.choices.push_back(byText(Q + "quadratic14.tm", pt(1, 3))); // y = 2(x-1)^2+3
    c.blanks.push_back({Q + "quadratic15.tm", {"m=" + num(4 / 4.0)}}); // 4 - 4m = 0
    {
        double lo = 1e9, hi = -1e9;
        for (int i = 0; i <= 3000; ++i) {
            const double x = i / 1000.0, y = -x * x + 2 * x + 3;
            lo = std::min(lo, y), hi = std::max(hi, y);
        }
        c.choices.push_back(byText(Q + "quadratic16.tm", "[" + num(lo) + "," + num(hi) + "]"));
    }
    {
        const double s = std::sqrt(1 + 24.0);
        c.blanks.push_back({Q + "quadratic17.tm", {"解集为(" + num((1 - s) / 2) + "," + num((1 + s) / 2) + ")"}});
    }

    c.choices.push_back(byText(E + "explog13.tm", num(std::log2(8) + std::log10(100))));
    {
        const double a = std::pow(2, 0.3), b = 0.3 * 0.3, cc = std::log2(0.3);
        c.choices.push_back({E + "explog14.tm", {a > b && b > cc, b > a && a > cc, cc > a && a > b, a > cc && cc > b}});
    }
    c.blanks.push_back({E + "explog15.tm", {"定义域为(" + num(1) + ",+∞)"}});
    {   // the point the graph keeps whatever a is
        const double a1 = 2, a2 = 5, x = 1, y1 = std::pow(a1, x - 1) + 2, y2 = std::pow(a2, x - 1) + 2;
        c.choices.push_back(byText(E + "explog16.tm", near(y1, y2) ? pt(x, y1) : "?"));
    }
    c.blanks.push_back({E + "explog17.tm", {"=" + num(std::round(std::pow(4, std::log2(3)) * 1e9) / 1e9) + "。"}});

    c.choices.push_back(byText(T + "trig12.tm", piText(2 * kPi / 2)));
    c.choices.push_back(byText(T + "trig13.tm", surd(std::sin(deg(150)))));
    c.blanks.push_back({T + "trig14.tm", {"最大值为" + num(3 * 1 + 1)}});
    {
        auto shifted = [](double x) { return std::sin(x + kPi / 6); }; // left by π/6: x becomes x+π/6
        c.choices.push_back({T + "trig15.tm",
                             {same(shifted, [](double x) { return std::sin(x - kPi / 6); }), same(shifted, [](double x) { return std::sin(x + kPi / 6); }),
                              same(shifted, [](double x) { return std::sin(x) + kPi / 6; }), same(shifted, [](double x) { return std::sin(x) - kPi / 6; })}});
    }
    {
        const double a = kPi - std::asin(3.0 / 5); // second quadrant
        c.choices.push_back(byText(T + "trig16.tm", num(std::tan(a))));
    }

    c.choices.push_back(byText(I + "identity13.tm", surd(std::sin(deg(15)) * std::cos(deg(15)))));
    c.choices.push_back(byText(I + "identity14.tm", num(std::tan(2 * std::atan(2)))));
    c.blanks.push_back({I + "identity15.tm", {"=" + num(std::round(std::sin(deg(75)) * std::cos(deg(15)) + std::cos(deg(75)) * std::sin(deg(15)))) + "。"}});
    {
        double hi = -1e9;
        for (double x = 0; x < 2 * kPi; x += 1e-4) hi = std::max(hi, std::sin(x) + std::sqrt(3) * std::cos(x));
        c.choices.push_back(byText(I + "identity16.tm", surd(std::round(hi * 1e6) / 1e6)));
    }
    {
        const double a = std::acos(-4.0 / 5);
        c.blanks.push_back({I + "identity17.tm", {"=" + num(std::sin(2 * a)) + "。"}});
    }
    return c;
}

Cases geometryCasesOfChoice() {
    Cases c;
    const std::string L = "2geom/1line/", O = "2geom/2circle/", E = "2geom/3ellipse/", H = "2geom/4hyperbola/",
                      P = "2geom/5parabola/", K = "2geom/6conicline/", X = "2geom/7locus/";
    c.choices.push_back(byText(L + "line13.tm", piText(std::atan(std::sqrt(3)))));
    c.choices.push_back(byText(L + "line14.tm", lineEq(2, -1, -(2 * 1 - 2)))); // 2x - y + c = 0 through (1,2)
    c.blanks.push_back({L + "line15.tm", {"=" + num(std::fabs(3 * 1 + 4 * 2 - 1) / 5) + "。"}});
    c.choices.push_back(byText(L + "line16.tm", surd(std::fabs(-1 - 1.5) / std::hypot(1, 2))));
    c.blanks.push_back({L + "line17.tm", {"面积为" + num(0.5 * 4 * 2)}}); // intercepts -4 and 2

    {
        const double cx = 4 / 2.0, cy = -6 / 2.0, r = std::sqrt(cx * cx + cy * cy);
        c.choices.push_back(byText(O + "circle13.tm", pt(cx, cy) + "，" + surd(r)));
    }
    {
        const double d = std::fabs(-5) / std::hypot(3, 4), r = 1;
        c.choices.push_back({O + "circle14.tm", {d < r, near(d, r), d > r, false}});
    }
    {
        const double d = std::sqrt(2) / std::sqrt(2);
        c.blanks.push_back({O + "circle15.tm", {"=" + surd(2 * std::sqrt(4 - d * d)) + "。"}});
    }
    {
        const double d = std::hypot(1, 2), r1 = 1, r2 = 2;
        c.choices.push_back({O + "circle16.tm", {near(d, r2 - r1), near(d, r1 + r2), d > r2 - r1 && d < r1 + r2, d > r1 + r2}});
    }
    {
        const double r = std::fabs(3 * 1 - 4 * -2 + 4) / 5;
        c.blanks.push_back({O + "circle17.tm", {shifted("x", 1) + "+" + shifted("y", -2) + "=" + num(r * r)}});
    }

    c.choices.push_back(byText(E + "ellipse13.tm", num(std::sqrt(25 - 16.0) / 5)));
    c.choices.push_back(byText(E + "ellipse14.tm", "(±" + num(std::sqrt(9 - 5.0)) + ",0)"));
    c.blanks.push_back({E + "ellipse15.tm", {"2a=" + num(2 * std::sqrt(16))}});
    c.choices.push_back(byText(E + "ellipse16.tm", num(4 * std::sqrt(4)))); // AF1+AF2+BF1+BF2 = 4a
    {
        const double a = 6 / 2.0, cc = a * 2 / 3;
        c.blanks.push_back({E + "ellipse17.tm", {square("x", a * a) + "+" + square("y", a * a - cc * cc) + "=1"}});
    }

    c.choices.push_back(byText(H + "hyperbola12.tm", "y=±" + num(3 / 2.0) + "x"));
    c.choices.push_back(byText(H + "hyperbola13.tm", num(std::sqrt(16 + 9.0) / 4)));
    c.blanks.push_back({H + "hyperbola14.tm", {"2c=" + num(2 * std::sqrt(1 + 3.0))}});
    c.choices.push_back(byText(H + "hyperbola15.tm", "(0,±" + num(std::sqrt(9 + 16.0)) + ")")); // y^2 first: foci on the y axis

    c.choices.push_back(byText(P + "parabola12.tm", pt(8 / 4.0, 0)));             // y^2 = 4 f x
    c.choices.push_back(byText(P + "parabola13.tm", "y=" + num(-4 / 4.0)));        // x^2 = 4 f y, directrix y = -f
    c.blanks.push_back({P + "parabola14.tm", {"横坐标为" + num(5 - 4 / 4.0)}});     // x + f = 5
    c.blanks.push_back({P + "parabola15.tm", {"p=" + num(2 * 3.0)}});
    c.choices.push_back(byText(P + "parabola16.tm", num(6 + 4 / 2.0)));           // x1 + x2 + p

    {   // (x+1)^2 = 4x: how many roots
        const double disc = (2 - 4) * (2 - 4) - 4 * 1 * 1;
        const int n = disc > 1e-12 ? 2 : (near(disc, 0) ? 1 : 0);
        c.choices.push_back({K + "conicline12.tm", {n == 0, n == 1, n == 2, false}});
    }
    {
        auto f = [](double x) { return x * x / 4 + x * x - 1; };
        c.choices.push_back(byText(K + "conicline13.tm", surd(chord(1, f, -3, 3, 0))));
    }
    {
        auto f = [](double x) { return (x - 1) * (x - 1) - 4 * x; };
        c.blanks.push_back({K + "conicline14.tm", {"=" + num(std::round(chord(1, f, 0, 10, 1) * 1e9) / 1e9) + "。"}});
    }
    {   // tangent: the discriminant of x^2/2 + (x+m)^2 = 1 vanishes
        const double m = bisect([](double m) { return 4 * m * m - 4 * 1.5 * (m * m - 1); }, 0, 3);
        c.choices.push_back(byText(K + "conicline15.tm", "±" + surd(m)));
    }

    {
        const double a = 10 / 2.0, cc = 3;
        c.choices.push_back(byText(X + "locus12.tm", square("x", a * a) + "+" + square("y", a * a - cc * cc) + "=1"));
    }
    {   // focus (0,1), directrix y = -1: x^2 = 4 f y
        c.choices.push_back(byText(X + "locus13.tm", "x^2=" + num(4 * 1) + "y"));
    }
    c.blanks.push_back({X + "locus14.tm", {"x=" + num((-1 + 1) / 2.0)}});
    {   // P = 2M - A on x^2 + y^2 = 4: (2x-2)^2 + (2y)^2 = 4
        c.blanks.push_back({X + "locus15.tm", {shifted("x", 2 / 2.0) + "+" + shifted("y", 0) + "=" + num(4 / 4.0)}});
    }
    return c;
}

void checkChoice(const ChoiceCase& c) {
    const QuestionData q = questionData(c.file);
    ASSERT_TRUE(q.read) << c.file;
    EXPECT_EQ(q.type, "选择题") << c.file;
    ASSERT_EQ(q.options.size(), 4u) << c.file;
    ASSERT_EQ(c.right.size(), 4u) << c.file;
    const auto right = std::count(c.right.begin(), c.right.end(), true);
    EXPECT_EQ(right, 1) << c.file << ": options " << q.options[0] << " | " << q.options[1] << " | " << q.options[2] << " | " << q.options[3];
    if (right != 1) return;
    const char letter = static_cast<char>('A' + (std::find(c.right.begin(), c.right.end(), true) - c.right.begin()));
    EXPECT_NE(squeezed(q.answer).find(std::string("故选") + letter + "。"), std::string::npos) << c.file << "\n" << q.answer;
}

void checkBlank(const BlankCase& c) {
    const QuestionData q = questionData(c.file);
    ASSERT_TRUE(q.read) << c.file;
    EXPECT_EQ(q.type, "填空题") << c.file;
    EXPECT_NE(q.question.find("______"), std::string::npos) << c.file << ": a blank to fill in";
    EXPECT_TRUE(q.options.empty()) << c.file;
    for (const std::string& e : c.expected) EXPECT_NE(squeezed(q.answer).find(e), std::string::npos) << c.file << " should contain " << e << "\n" << q.answer;
}

} // namespace

TEST(BankChoices, FunctionQuestionsHaveOneRightOptionAndRecomputedBlanks) {
    const Cases c = functionCasesOfChoice();
    for (const ChoiceCase& k : c.choices) checkChoice(k);
    for (const BlankCase& k : c.blanks) checkBlank(k);
}

TEST(BankChoices, GeometryQuestionsHaveOneRightOptionAndRecomputedBlanks) {
    const Cases c = geometryCasesOfChoice();
    for (const ChoiceCase& k : c.choices) checkChoice(k);
    for (const BlankCase& k : c.blanks) checkBlank(k);
}

// A new question in the natural format gets its recomputation here or with the others, and the
// bank holds enough of each kind for a 试卷.
TEST(BankChoices, EveryNaturalQuestionIsRecomputedAndTheBankFillsASheet) {
    std::set<std::string> covered;
    int choices = 0, blanks = 0;
    for (const Cases& c : {functionCasesOfChoice(), geometryCasesOfChoice()}) {
        for (const auto& k : c.choices) covered.insert(k.file);
        for (const auto& k : c.blanks) covered.insert(k.file);
        choices += static_cast<int>(c.choices.size());
        blanks += static_cast<int>(c.blanks.size());
    }
    for (const auto& k : functionCases()) covered.insert(k.file);
    for (const auto& k : geometryCases()) covered.insert(k.file);
    const std::filesystem::path root = std::filesystem::path(bundledBank()) / "tm";
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        if (!e.is_regular_file() || e.path().extension() != ".tm") continue;
        const std::string rel = e.path().lexically_relative(root).generic_string();
        EXPECT_TRUE(covered.count(rel)) << rel << " has no recomputed answer";
    }
    EXPECT_GE(choices, 30);
    EXPECT_GE(blanks, 20);
}
