// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

#include "bank/bank_answers.h"
#include "test_util.h"

using namespace yhb::test;

namespace {

// The smallest and largest value of f on [lo, hi], by sampling.
std::pair<double, double> range(const std::function<double(double)>& f, double lo, double hi, int steps = 200000) {
    double mn = f(lo), mx = mn;
    for (int i = 1; i <= steps; ++i) {
        const double y = f(lo + (hi - lo) * i / steps);
        mn = std::min(mn, y), mx = std::max(mx, y);
    }
    return {mn, mx};
}

// Roots of a x^2 + b x + c, smaller first.
std::pair<double, double> roots(double a, double b, double c) {
    const double s = std::sqrt(b * b - 4 * a * c);
    const double r1 = (-b - s) / (2 * a), r2 = (-b + s) / (2 * a);
    return {std::min(r1, r2), std::max(r1, r2)};
}

} // namespace

namespace yhb::test {

std::vector<AnswerCase> functionCases() {
    std::vector<AnswerCase> cases;
    auto add = [&](const std::string& file, std::vector<std::string> expected) { cases.push_back({file, expected}); };
    const std::string C = "1func/1concept/", Q = "1func/2quadratic/", E = "1func/3explog/", T = "1func/4trig/",
                      I = "1func/5identity/";

    {   // f(x) = x^2+1 for x <= 0, 2x for x > 0
        auto f = [](double x) { return x <= 0 ? x * x + 1 : 2 * x; };
        add(C + "concept01.txt", {"f(-1)=" + num(f(-1)) + "，f(f(-1))=" + num(f(f(-1)))});
    }
    add(C + "concept02.txt", {"[" + num(-1.0) + "," + num(2.0) + ")∪(" + num(2.0) + ",+∞)"}); // x+1 >= 0, x != 2
    {   // f(x+1) = x^2-2x, so f(t) = g(t-1)
        auto f = [](double t) { const double x = t - 1; return x * x - 2 * x; };
        const double c = f(0), a = (f(2) - 2 * f(1) + f(0)) / 2, b = f(1) - f(0) - a;
        add(C + "concept03.txt", {"所以f(x)=" + poly(a, b, c)});
    }
    {
        auto f = [](double x) { return x / (x * x + 1); };
        add(C + "concept04.txt", {std::fabs(f(-1.7) + f(1.7)) < 1e-12 ? "是奇函数" : "不是奇函数"});
    }
    {
        auto f = [](double x) { return x + 4 / x; };
        bool decreasing = true;
        for (double x = 0.01; x < 1.99; x += 0.01) decreasing = decreasing && f(x + 0.01) < f(x);
        add(C + "concept05.txt", {std::string("所以f(x)在(0,2)上单调") + (decreasing ? "递减" : "递增")});
    }
    {   // 8 yuan for 3 km, then 1.5 yuan per km
        auto fare = [](double x) { return 8 + 1.5 * (x - 3); };
        add(C + "concept06.txt", {"y=1.5x+" + dec(fare(0)), "=" + dec(fare(10)) + "。", "车费为" + dec(fare(10)) + "元"});
    }
    {   // odd, x^2-2x for x > 0
        auto pos = [](double x) { return x * x - 2 * x; };
        auto f = [&](double x) { return x > 0 ? pos(x) : -pos(-x); };
        add(C + "concept07.txt", {"f(x)=" + poly(-1, -2, 0), "f(-3)=-9+6=" + num(f(-3))});
    }
    add(C + "concept08.txt", {"(" + num((1 - 3) / 2.0) + "," + num((1 + 3) / 2.0) + ")"}); // |2a-1| < 3
    {   // odd, period 4, 2x^2 on (0,2): f(7) = f(-1) = -f(1)
        const double f1 = 2 * 1 * 1;
        add(C + "concept09.txt", {"f(7)=" + num(-f1) + "。"});
    }
    // 3a-1 < 0 and (3a-1)+4a >= log_a 1 = 0
    add(C + "concept10.txt", {"[" + num(1 / 7.0) + "," + num(1 / 3.0) + ")"});
    {
        auto f = [](double x) { return (std::pow(2, x) - 1) / (std::pow(2, x) + 1); };
        add(C + "concept11.txt", {std::fabs(f(-0.8) + f(0.8)) < 1e-12 ? "是奇函数" : "不是奇函数",
                                  "(" + num(std::round(f(-60))) + "," + num(std::round(f(60))) + ")"});
    }

    {
        const double a = 1, b = -4, c = 3, h = -b / (2 * a);
        add(Q + "quadratic01.txt", {"顶点坐标为" + pt(h, a * h * h + b * h + c), "对称轴为直线x=" + num(h)});
    }
    {
        const auto [r1, r2] = roots(1, -2, -3);
        add(Q + "quadratic02.txt", {pt(r1, 0) + "和" + pt(r2, 0), "交点为" + pt(0, -3)});
    }
    {   // vertex (1,-4), through (3,0)
        const double a = (0 - -4.0) / ((3 - 1) * (3 - 1));
        add(Q + "quadratic03.txt", {"a=" + num(a), "y=" + poly(a, -2 * a * 1, a * 1 * 1 - 4)});
    }
    add(Q + "quadratic04.txt", {"最大值为" + num(-5 - 8.0 * 8 / (4 * -2))});
    add(Q + "quadratic05.txt", {"m<" + num(2.0 * 2 / 4)});
    {   // 20 m of fence, one side on the wall
        const auto [lo, hi] = range([](double x) { return x * (20 - 2 * x); }, 0, 10);
        add(Q + "quadratic06.txt", {"当x=" + num(20 / 4.0) + "时", "最大面积为" + num(hi)});
        (void)lo;
    }
    {   // x^alpha through (4,2)
        const double alpha = std::log(2) / std::log(4);
        add(Q + "quadratic07.txt", {"α=" + num(alpha), "f(9)=√9=" + num(std::pow(9, alpha))});
    }
    {   // m^2-m-1 = 1 and x^m increasing
        const auto [m1, m2] = roots(1, -1, -2);
        add(Q + "quadratic08.txt", {"所以m=" + num(m1 > 0 ? m1 : m2) + "，f(x)=x^" + num(m1 > 0 ? m1 : m2)});
    }
    {   // min of x^2-2ax+3 on [1,3], checked at one a in each piece
        auto g = [](double a) { return range([a](double x) { return x * x - 2 * a * x + 3; }, 1, 3, 20000).first; };
        const bool left = std::fabs(g(0) - (4 - 0.0)) < 1e-6, mid = std::fabs(g(2) - (3 - 4.0)) < 1e-6,
                   right = std::fabs(g(4) - (12 - 24.0)) < 1e-6;
        add(Q + "quadratic09.txt", {left ? "4-2a，a≤1" : "?", mid ? "3-a^2，1<a<3" : "?", right ? "12-6a，a≥3" : "?"});
    }
    {   // both roots of x^2-2mx+m+2 above 1; m on a binary grid so that 2 and 3 are hit exactly
        const double step = 1.0 / 1024;
        double lo = 1e9, hi = -1e9;
        for (double m = -5; m <= 5; m += step) {
            if (4 * m * m - 4 * (m + 2) < 0) continue;
            if (roots(1, -2 * m, m + 2).first > 1) lo = std::min(lo, m), hi = std::max(hi, m);
        }
        add(Q + "quadratic10.txt", {"[" + num(lo) + "," + num(hi + step) + ")"});
    }
    {   // ax^2-ax+1 > 0 for every x (its least value is at x = 1/2, on the grid)
        auto holds = [](double a) {
            for (double x = -100; x <= 100; x += 0.25)
                if (a * x * x - a * x + 1 <= 0) return false;
            return true;
        };
        const double step = 1.0 / 1024;
        double lo = 1e9, hi = -1e9;
        for (double a = -5; a <= 5; a += step)
            if (holds(a)) lo = std::min(lo, a), hi = std::max(hi, a);
        add(Q + "quadratic11.txt", {"[" + num(lo) + "," + num(hi + step) + ")"});
    }
    {   // f(0)=1, f(x+1)-f(x)=2x: 2a=2, a+b=0
        const double a = 1, b = -a, c = 1;
        auto f = [&](double x) { return a * x * x + b * x + c; };
        const auto [lo, hi] = range(f, -1, 1);
        add(Q + "quadratic12.txt", {"f(x)=" + poly(a, b, c), "[" + num(lo) + "," + num(hi) + "]"});
    }

    add(E + "explog01.txt", {"原式=4+3=" + num(std::pow(8, 2.0 / 3) + std::log2(8))});
    add(E + "explog02.txt", {std::pow(1.7, 2.5) < std::pow(1.7, 3) ? "1.7^2.5<1.7^3" : "1.7^2.5>1.7^3"});
    add(E + "explog03.txt", {"x=" + num(std::log2(16) - 1)});
    add(E + "explog04.txt", {"(" + num(1.0) + ",+∞)"});
    add(E + "explog05.txt", {std::fabs(std::log10(12) - (2 * std::log10(2) + std::log10(3))) < 1e-12 ? "=2a+b" : "?"});
    add(E + "explog06.txt", {"(-∞," + num(std::log(4) / std::log(0.5)) + ")"});
    add(E + "explog07.txt", {"原式=2+2/3=" + num(std::log10(25) + std::log10(4) + std::pow(27.0 / 8, -1.0 / 3))});
    add(E + "explog08.txt", {"(0," + num(3.0 / 4) + ")∪(1,+∞)"});
    {
        const double a = std::log2(3), b = std::log(2) / std::log(3), c = std::pow(0.5, 0.3);
        std::vector<std::pair<double, char>> v = {{a, 'a'}, {b, 'b'}, {c, 'c'}};
        std::sort(v.rbegin(), v.rend());
        add(E + "explog09.txt", {std::string("所以") + v[0].second + ">" + v[1].second + ">" + v[2].second});
    }
    add(E + "explog10.txt", {"单调递增区间为(-∞," + num(roots(1, -2, -3).first) + ")"});
    add(E + "explog11.txt", {"解集为(" + num(0.0) + "," + num(1.0) + ")"});
    {   // 10% a year; lg2 = 0.3010, lg3 = 0.4771
        const double years = std::log(0.5) / std::log(0.9);
        char approx[16];
        std::snprintf(approx, sizeof approx, "%.2f", -0.3010 / (2 * 0.4771 - 1));
        add(E + "explog12.txt", {std::string("≈") + approx + "。", "至少经过" + num(std::ceil(years)) + "年"});
    }

    add(T + "trig01.txt", {"最小正周期为" + piText(2 * kPi / 2) + "，最大值为" + num(3.0) + "，最小值为" + num(-3.0)});
    {   // increasing where -π/2 <= 2x+π/6 <= π/2
        const double lo = (-kPi / 2 - kPi / 6) / 2, hi = (kPi / 2 - kPi / 6) / 2;
        add(T + "trig02.txt", {"[kπ-" + piText(-lo) + ",kπ+" + piText(hi) + "](k∈Z)"});
    }
    add(T + "trig03.txt", {"最小正周期为" + piText(2 * kPi / 2) + "，最大值为2",
                           "x的集合为{x|x=" + piText((kPi / 2 - kPi / 3) / 2) + "+kπ，k∈Z}"});
    add(T + "trig04.txt", {"x≠" + piText((kPi / 2 + kPi / 4) / 2) + "+kπ/2", "T=" + piText(kPi / 2)});
    {
        const auto [lo, hi] = range([](double x) { return 2 * std::cos(x) - 1; }, 0, 2 * kPi);
        add(T + "trig05.txt", {"最大值为" + num(hi) + "，最小值为" + num(lo), "{x|x=2kπ，k∈Z}"});
    }
    add(T + "trig06.txt", {"向右平移" + piText(kPi / 6) + "个单位", "伸长为原来的" + num(3.0) + "倍"});
    {
        const auto [lo, hi] = range([](double x) { return std::cos(x) * std::cos(x) - std::sin(x); }, 0, 2 * kPi);
        add(T + "trig07.txt", {"值域为[" + num(lo) + "," + num(hi) + "]"});
    }
    {   // highest point (π/12, 2), next centre (π/3, 0)
        const double period = 4 * (kPi / 3 - kPi / 12), w = 2 * kPi / period, phi = kPi / 2 - w * kPi / 12;
        add(T + "trig08.txt", {"f(x)=" + num(2.0) + "sin(" + num(w) + "x+" + piText(phi) + ")"});
    }
    add(T + "trig09.txt", {"g(x)=sin(2x+" + piText(2 * kPi / 6) + ")", "x=" + piText((kPi / 2 - kPi / 3) / 2) + "+kπ/2(k∈Z)"});
    add(T + "trig10.txt", {"(0," + num((kPi / 2 - kPi / 6) / (kPi / 3)) + "]"});
    {
        auto y = [](double x) { return 2 * std::sin(2 * x - kPi / 6); };
        const auto [lo, hi] = range(y, 0, kPi / 2);
        add(T + "trig11.txt", {"x=" + piText(kPi / 3) + "时，y取最大值" + num(y(kPi / 3)), "最小值" + num(lo)});
        EXPECT_NEAR(hi, y(kPi / 3), 1e-9);
    }

    add(I + "identity01.txt", {"+1=" + num(std::sin(deg(30)) + std::cos(deg(60)) + std::tan(deg(45)))});
    {
        const double s = 3.0 / 5, c = -std::sqrt(1 - s * s);
        add(I + "identity02.txt", {"=" + num(c) + "，", "=" + num(s / c) + "。"});
    }
    add(I + "identity03.txt", {std::fabs((1 - std::pow(std::cos(0.7), 2)) / std::sin(0.7) - std::sin(0.7)) < 1e-12 ? "=sinα。" : "?"});
    {
        const double a = std::atan(2);
        add(I + "identity04.txt", {"=" + num((std::sin(a) + std::cos(a)) / (std::sin(a) - std::cos(a))) + "。"});
    }
    add(I + "identity05.txt", {std::fabs(std::sin(deg(75)) - (std::sqrt(6) + std::sqrt(2)) / 4) < 1e-12 ? "=(√6+√2)/4" : "?"});
    {
        const double a = std::acos(-3.0 / 5);
        add(I + "identity06.txt", {"=" + num(std::sin(2 * a)) + "；", "=" + num(std::cos(2 * a)) + "；",
                                   "=" + num(std::tan(a + kPi / 4)) + "。"});
    }
    add(I + "identity07.txt", {"=" + surd((1 + std::tan(deg(15))) / (1 - std::tan(deg(15)))) + "。"});
    {
        const auto [lo, hi] = range([](double x) { return std::sqrt(3) * std::sin(x) * std::cos(x) + std::pow(std::cos(x), 2); }, 0, kPi);
        add(I + "identity08.txt", {"T=2π/2=" + piText(kPi), "最大值" + num(hi)});
        (void)lo;
    }
    {
        const double alpha = std::acos(1.0 / 7), beta = std::acos(-11.0 / 14) - alpha;
        add(I + "identity09.txt", {"=" + num(std::cos(beta)) + "。", "β=" + piText(beta)});
    }
    {   // sin + cos = 1/5 on (0, π)
        const double a = bisect([](double t) { return std::sin(t) + std::cos(t) - 0.2; }, kPi / 2, kPi);
        add(I + "identity10.txt", {"sinα-cosα=" + num(std::sin(a) - std::cos(a)) + "，tanα=" + num(std::tan(a))});
    }
    {
        auto f = [](double x) { return 2 * std::pow(std::cos(x), 2) + 2 * std::sqrt(3) * std::sin(x) * std::cos(x) - 1; };
        const double amp = std::hypot(1, std::sqrt(3)), phase = std::atan2(1, std::sqrt(3));
        add(I + "identity11.txt", {"f(x)=" + num(amp) + "sin(2x+" + piText(phase) + ")", "f(π/6)=" + num(f(kPi / 6))});
    }
    add(I + "identity12.txt", {"=" + surd(std::pow(std::cos(deg(15)), 2) - std::pow(std::sin(deg(15)), 2)) + "。"});
    return cases;
}

} // namespace yhb::test

namespace {

void checkCases(const std::vector<AnswerCase>& cases) {
    for (const AnswerCase& c : cases) {
        const std::string answer = answerText(c.file);
        for (const std::string& e : c.expected)
            EXPECT_NE(answer.find(e), std::string::npos) << c.file << " should contain " << e << "\n" << answer;
    }
}

} // namespace

TEST(BankAnswers, NumbersAreTypesetAsTheBankWritesThem) {
    EXPECT_EQ(num(-24.0 / 25), "-24/25");
    EXPECT_EQ(dec(18.5), "18.5");
    EXPECT_EQ(surd(4 * std::sqrt(5) / 3), "4√5/3");
    EXPECT_EQ(surd(-std::sqrt(3) / 3), "-√3/3");
    EXPECT_EQ(surd(std::sqrt(14)), "√14");
    EXPECT_EQ(piText(-2 * kPi / 3), "-2π/3");
    EXPECT_EQ(poly(1, -4, 3), "x^2-4x+3");
    EXPECT_EQ(poly(-1, -2, 0), "-x^2-2x");
    EXPECT_EQ(lineEq(4.0 / 3, -1, 1.0 / 3), "4x-3y+1=0");
    EXPECT_EQ(lineEq(-3, 2, 0), "3x-2y=0");
    EXPECT_EQ(shifted("y", -1.5) + "+" + square("x", 12), "(y+3/2)^2+x^2/12");
}

TEST(BankAnswers, FunctionResultsRecomputed) { checkCases(functionCases()); }

TEST(BankAnswers, GeometryResultsRecomputed) { checkCases(geometryCases()); }

// A new question gets its recomputation here too.
TEST(BankAnswers, EveryBundledQuestionIsRecomputed) {
    std::set<std::string> covered;
    for (const auto& c : functionCases()) covered.insert(c.file);
    for (const auto& c : geometryCases()) covered.insert(c.file);
    const std::filesystem::path root = std::filesystem::path(bundledBank()) / "tm";
    int files = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        // A worked question in either format; the 选择题 and 填空题 have their own check.
        if (!e.is_regular_file() || (e.path().extension() != ".txt" && e.path().extension() != ".tm")) continue;
        const std::string text = slurp(e.path().string());
        if (text.find("@type 选择题") != std::string::npos || text.find("@type 填空题") != std::string::npos) continue;
        ++files;
        const std::string rel = e.path().lexically_relative(root).generic_string();
        EXPECT_TRUE(covered.count(rel)) << rel << " has no recomputed answer";
    }
    EXPECT_EQ(files, static_cast<int>(covered.size()));
}
