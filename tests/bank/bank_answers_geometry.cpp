// SPDX-License-Identifier: GPL-3.0-or-later
// Recomputed results of the bundled 解析几何 questions.
#include <algorithm>
#include <functional>

#include "bank/bank_answers.h"

namespace yhb::test {

namespace {

double dist(double x1, double y1, double x2, double y2) { return std::hypot(x2 - x1, y2 - y1); }
double lineDist(double a, double b, double c, double x, double y) { return std::fabs(a * x + b * y + c) / std::hypot(a, b); }
double r3(double v) { return std::round(v * 1e3) / 1e3; }

// Both solutions of a x^2 + b x + c = 0 (a != 0), smaller first.
std::pair<double, double> solve(double a, double b, double c) {
    const double s = std::sqrt(b * b - 4 * a * c);
    return {std::min((-b - s) / (2 * a), (-b + s) / (2 * a)), std::max((-b - s) / (2 * a), (-b + s) / (2 * a))};
}

// Where y = k x + m meets A x^2 + B y^2 = 1.
struct Chord {
    double x1, y1, x2, y2;
};
Chord meet(double A, double B, double k, double m) {
    const auto [x1, x2] = solve(A + B * k * k, 2 * B * k * m, B * m * m - 1);
    return {x1, k * x1 + m, x2, k * x2 + m};
}

// Smallest f(t) over a period, with where it is.
std::pair<double, double> argmin(const std::function<double(double)>& f, double lo, double hi) {
    double best = f(lo), at = lo;
    for (int i = 1; i <= 400000; ++i) {
        const double t = lo + (hi - lo) * i / 400000;
        if (f(t) < best) best = f(t), at = t;
    }
    return {best, at};
}

std::string ellipse(const std::string& u, double du, const std::string& v, double dv) {
    return square(u, du) + "+" + square(v, dv) + "=1";
}
std::string hyperbola(const std::string& u, double du, const std::string& v, double dv) {
    return square(u, du) + "-" + square(v, dv) + "=1";
}

} // namespace

std::vector<AnswerCase> geometryCases() {
    std::vector<AnswerCase> cases;
    auto add = [&](const std::string& file, std::vector<std::string> expected) { cases.push_back({file, expected}); };
    const std::string L = "2geom/1line/", C = "2geom/2circle/", E = "2geom/3ellipse/", H = "2geom/4hyperbola/",
                      P = "2geom/5parabola/", X = "2geom/6conicline/", T = "2geom/7locus/";

    {   // A(1,2), B(3,6)
        const double k = (6 - 2.0) / (3 - 1);
        add(L + "line01.tm", {"=" + num(k) + "。", lineEq(k, -1, 2 - k * 1)});
    }
    add(L + "line02.tm", {"=" + num(lineDist(3, 4, -5, 2, 1)) + "。"});
    add(L + "line03.tm", {"a=" + num(-(1 * -2.0) / 2)}); // 2a + 1*(-2) = 0
    add(L + "line04.tm", {"所求直线为" + lineEq(1, -2, -(1 - 2 * -2.0))});
    add(L + "line05.tm", {"=" + num(3 * 4 / 2.0) + "；", "周长为3+4+5=" + num(3 + 4 + std::hypot(3, 4))});
    add(L + "line06.tm", {"=" + num(std::fabs(-12 - 3.0) / std::hypot(3, 4)) + "。"});
    {
        const double x = (6 + 2.0) / (3 + 1);
        add(L + "line07.tm", {"交点坐标为" + pt(x, 3 * x - 2)});
    }
    {
        const double k = -std::sqrt(3) / 3;
        add(L + "line08.tm", {"斜率k=" + surd(k), "θ=" + piText(std::atan(k) + kPi)});
    }
    {   // P(4,5) across 3x-y+3=0
        const double a = 3, b = -1, c = 3, t = 2 * (a * 4 + b * 5 + c) / (a * a + b * b);
        add(L + "line09.tm", {"坐标为" + pt(4 - t * a, 5 - t * b)});
    }
    {   // through (1,2), cutting the positive axes at (a,0), (0,b)
        double best = 1e9, ba = 0;
        for (double a = 1.001; a < 20; a += 0.001) {
            const double area = a * (2 * a / (a - 1)) / 2;
            if (area < best) best = area, ba = a;
        }
        const double a = std::round(ba * 100) / 100, b = 2 * a / (a - 1);
        add(L + "line10.tm", {"最小值为" + num(std::round(best * 1000) / 1000), lineEq(b, a, -a * b)});
    }
    {   // ax+2y+6=0 and x+(a-1)y+a^2-1=0 parallel, not the same line
        double answer = 0;
        for (double a : {solve(1, -1, -2).first, solve(1, -1, -2).second}) {
            const bool same = std::fabs(a * (a * a - 1) - 6 * 1) < 1e-9;
            if (!same) answer = a;
        }
        add(L + "line11.tm", {"所以a=" + num(answer) + "。"});
    }
    add(L + "line12.tm", {lineEq(3, -2, 0) + "或" + lineEq(1, 1, -(2 + 3.0))});

    {   // x^2+y^2-4x+6y-3=0
        const double D = -4, E = 6, F = -3;
        add(C + "circle01.tm", {"圆心为" + pt(-D / 2, -E / 2) + "，半径r=" + num(std::sqrt(D * D / 4 + E * E / 4 - F))});
    }
    add(C + "circle02.tm", {shifted("x", 1) + "+" + shifted("y", 2) + "=" + num(1 * 1 + 2 * 2)});
    add(C + "circle03.tm", {lineDist(3, 4, -10, 0, 0) == 2 ? "直线与圆相切" : "?"});
    add(C + "circle04.tm", {"切线方程为3x+4y=" + num(3 * 3 + 4 * 4)});
    {
        const Chord c = meet(1 / 4.0, 1 / 4.0, 1, 1);
        add(C + "circle05.tm", {"=" + surd(dist(c.x1, c.y1, c.x2, c.y2)) + "。"});
    }
    add(C + "circle06.tm", {dist(0, 0, 3, 0) == 1 + 2 ? "两圆外切" : "?"});
    {   // through O(0,0), A(1,1), B(4,2): F = 0, D + E = -2, 4D + 2E = -20
        const double F = 0, D = (-20 - 2 * -2.0) / (4 - 2), E = -2 - D;
        const double r = std::sqrt(D * D / 4 + E * E / 4 - F);
        add(C + "circle07.tm", {"D=" + num(D) + "，E=" + num(E) + "，F=" + num(F), "圆心为" + pt(-D / 2, -E / 2) + "，半径为" + num(r)});
    }
    {   // centre (a, 2a-3) as far from A(5,2) as from B(3,-2)
        auto diff = [](double a) { return std::pow(dist(a, 2 * a - 3, 5, 2), 2) - std::pow(dist(a, 2 * a - 3, 3, -2), 2); };
        const double a = bisect(diff, -100, 100), b = 2 * a - 3;
        add(C + "circle08.tm", {"所求圆的方程为" + shifted("x", a) + "+" + shifted("y", b) + "=" + num(std::pow(dist(a, b, 5, 2), 2))});
    }
    {   // tangents from P(2,3) to (x-1)^2+y^2=1
        auto gap = [](double k) { return lineDist(k, -1, 3 - 2 * k, 1, 0) - 1; };
        const double k = bisect(gap, 0, 10);
        add(C + "circle09.tm", {"k=" + num(k), "x=" + num(1 + 1.0) + "和" + lineEq(k, -1, 3 - 2 * k)});
    }
    {   // x^2+y^2-2x-4y+m=0 and x+2y-4=0 with OM ⊥ ON
        auto dot = [](double m) {
            const auto [y1, y2] = solve(5, -16, m + 8);
            return (4 - 2 * y1) * (4 - 2 * y2) + y1 * y2;
        };
        add(C + "circle10.tm", {"m<" + num((4 + 16) / 4.0), "m=" + num(bisect(dot, -10, 4))});
    }
    {
        const double d = lineDist(3, -4, 25, 0, 0);
        add(C + "circle11.tm", {"最大值为d+r=5+2=" + num(d + 2), "最小值为d-r=5-2=" + num(d - 2)});
    }
    {   // x^2+y^2=4 minus x^2+y^2-2x-2y-2=0
        const double a = 2, b = 2, c = -4 + 2;
        const double d = lineDist(a, b, c, 0, 0);
        add(C + "circle12.tm", {"直线为" + lineEq(a, b, c), "公共弦长为" + surd(2 * std::sqrt(4 - d * d))});
    }

    {
        const double a = 5, b = 4, c = std::sqrt(a * a - b * b);
        add(E + "ellipse01.tm", {"=" + num(c) + "。", "长轴长2a=" + num(2 * a) + "，短轴长2b=" + num(2 * b),
                                  "焦点" + pt(-c, 0) + "、" + pt(c, 0), "e=c/a=" + num(c / a)});
    }
    add(E + "ellipse02.tm", {"所求方程为" + ellipse("x", 5 + 2 * 2, "y", 5)});
    add(E + "ellipse03.tm", {"|PF_2|=6-2=" + num(2 * 3 - 2.0)});
    {
        const double a = 8 / 2.0, c = a / 2;
        add(E + "ellipse04.tm", {"所求方程为" + ellipse("y", a * a, "x", a * a - c * c)});
    }
    add(E + "ellipse05.tm", {"焦点为(" + surd(-std::sqrt(9 - 4.0)) + ",0)、(" + surd(std::sqrt(9 - 4.0)) + ",0)"});
    {
        const double c = std::sqrt(16 - 4.0);
        add(E + "ellipse06.tm", {"c=" + surd(c), "±" + surd(16 / c) + "。"});
    }
    add(E + "ellipse07.tm", {"=4a=" + num(4 * 5.0)});
    {   // e = √3/2 so a^2 = 4b^2; through (2,1)
        const double b2 = 2 * 2 / 4.0 + 1 * 1, a2 = 4 * b2;
        add(E + "ellipse08.tm", {"所求方程为" + ellipse("x", a2, "y", b2)});
    }
    add(E + "ellipse09.tm", {"S=1/2mnsin60°=1/2×256/3×√3/2=" + surd(64 * std::tan(deg(30))) + "。"}); // b^2 tan(θ/2)
    {   // b^2 = ac: e^2 + e - 1 = 0
        const double e = solve(1, 1, -1).second;
        add(E + "ellipse10.tm", {std::fabs(e - (std::sqrt(5) - 1) / 2) < 1e-12 ? "e=(√5-1)/2" : "?"});
    }
    {   // |PF1|·|PF2| on x^2/4+y^2/3=1
        auto product = [](double t) {
            const double x = 2 * std::cos(t), y = std::sqrt(3) * std::sin(t);
            return dist(x, y, -1, 0) * dist(x, y, 1, 0);
        };
        const double lo = argmin(product, 0, 2 * kPi).first, hi = -argmin([&](double t) { return -product(t); }, 0, 2 * kPi).first;
        add(E + "ellipse11.tm", {"最大值为" + num(hi) + "，最小值为" + num(lo)});
    }
    {   // foci of x^2/9+y^2/4=1, through (3,-2): 9/A + 4/(A-5) = 1
        const double A = bisect([](double A) { return 9 / A + 4 / (A - 5) - 1; }, 5.01, 100);
        add(E + "ellipse12.tm", {"所求方程为" + ellipse("x", A, "y", A - 5)});
    }

    {
        const double a = 4, b = 3, c = std::hypot(a, b);
        add(H + "hyperbola01.tm", {"=" + num(c) + "。", "顶点" + pt(-a, 0) + "、" + pt(a, 0), "焦点" + pt(-c, 0) + "、" + pt(c, 0),
                                    "e=" + num(c / a), "y=±" + num(b / a) + "x"});
    }
    {   // b = 2a through (2,2): 4/a^2 - 4/(4a^2) = 1
        const double a2 = 4 - 4 / 4.0;
        add(H + "hyperbola02.tm", {"所求方程为" + hyperbola("x", a2, "y", 4 * a2)});
    }
    add(H + "hyperbola03.tm", {"所求方程为" + hyperbola("y", 3 * 3, "x", 5 * 5 - 3 * 3)});
    {   // 9y^2 - 16x^2 = 144
        const double a = std::sqrt(144 / 9.0), b = std::sqrt(144 / 16.0), c = std::hypot(a, b);
        add(H + "hyperbola04.tm", {hyperbola("y", a * a, "x", b * b), "实轴长2a=" + num(2 * a) + "，虚轴长2b=" + num(2 * b),
                                    "焦点" + pt(0, -c) + "、" + pt(0, c), "e=" + num(c / a), "y=±" + num(a / b) + "x"});
    }
    add(H + "hyperbola05.tm", {"为" + num(10 - 8.0) + "或" + num(10 + 8.0)});
    add(H + "hyperbola06.tm", {"x=±a^2/c=±" + num(16 / std::hypot(4, 3))});
    {   // foci (±√20, 0), through (3√2, 2): 18/A - 4/(20-A) = 1
        const double A = bisect([](double A) { return 18 / A - 4 / (20 - A) - 1; }, 0.01, 19.99);
        add(H + "hyperbola07.tm", {"所求方程为" + hyperbola("x", A, "y", 20 - A)});
    }
    add(H + "hyperbola08.tm", {"=" + surd(std::sqrt(1 + 2.0 * 2)) + "。"}); // b/a = 2
    add(H + "hyperbola09.tm", {"=" + surd(16 / std::tan(deg(30))) + "。"}); // b^2 / tan(θ/2)
    {   // e = 2, distance from a focus to an asymptote b = √3
        const double b2 = 3, a2 = b2 / (2 * 2 - 1);
        add(H + "hyperbola10.tm", {"所求方程为" + hyperbola("x", a2, "y", b2)});
    }
    {
        const double a = std::sqrt(25 - 9.0), c = 5;
        add(H + "hyperbola11.tm", {"所求方程为" + hyperbola("x", a * a, "y", c * c - a * a)});
    }

    add(P + "parabola01.tm", {"=" + pt(8 / 4.0, 0), "准线方程为x=" + num(-8 / 4.0)});
    add(P + "parabola02.tm", {"y_M=" + num(5 - 4 / 4.0)});
    add(P + "parabola03.tm", {"所求方程为x^2=" + num(-2 * (2 * 2 / 2.0)) + "y"}); // 4 = 2p
    add(P + "parabola04.tm", {"焦点为" + pt(0, -8 / 4.0) + "，准线方程为y=" + num(8 / 4.0)});
    add(P + "parabola05.tm", {"y^2=" + num(4 * 12 / 3.0) + "x或x^2=" + num(-4 * 12 / 4.0) + "y"}); // foci (4,0), (0,-3)
    {
        const double p = 2 * (3 - 2.0), m = std::sqrt(2 * p * 2);
        add(P + "parabola06.tm", {"所以p=" + num(p) + "，m=±" + surd(m)});
    }
    add(P + "parabola07.tm", {"=6+2=" + num(6 + 2.0)});
    {   // min |PA|+|PF| = distance from A(3,2) to x = -1, at the point of height 2
        add(P + "parabola08.tm", {"最小值为" + num(3 + 1.0) + "，此时P" + pt(2 * 2 / 4.0, 2)});
    }
    {
        auto d = [](double t) { return lineDist(1, -1, 4, t * t / 4, t); };
        const auto [best, t] = argmin(d, -20, 20);
        const double tt = std::round(t * 1000) / 1000;
        add(P + "parabola09.tm", {"最小距离为" + surd(best) + "，此时点为" + pt(tt * tt / 4, tt)});
    }
    {   // any chord through F(1,0): take slope 2
        const auto [x1, x2] = solve(4, -(8 + 4), 4); // (2x-2)^2 = 4x
        const double y1 = 2 * x1 - 2, y2 = 2 * x2 - 2;
        add(P + "parabola10.tm", {"所以y_1y_2=" + num(y1 * y2) + "，x_1x_2=" + num(x1 * x2)});
    }
    add(P + "parabola11.tm", {"标准方程为x^2=" + num(-2 * (2 * 3.0)) + "y，焦点为" + pt(0, -3)});

    {
        const Chord c = meet(1 / 4.0, 1 / 2.0, 1, 1);
        add(X + "conicline01.tm", {"=" + surd(dist(c.x1, c.y1, c.x2, c.y2)) + "。"});
    }
    add(X + "conicline02.tm", {"m≥" + num(1 / (1 - 0 / 5.0)) + "且m≠5。"}); // (0,1) inside or on
    {
        const auto [x1, x2] = solve(1, -6, 1);
        add(X + "conicline03.tm", {"=6+2=" + num(dist(x1, x1 - 1, x2, x2 - 1))});
    }
    {   // one common point with x^2-y^2=1: parallel to an asymptote, or tangent
        const double tangent = std::sqrt(bisect([](double k2) { return 4 * k2 + 8 * (1 - k2); }, 0, 10));
        add(X + "conicline04.tm", {"k=±" + num(1.0) + "或k=±" + surd(tangent)});
    }
    {   // midpoint (2,1) of a chord of x^2/16+y^2/4=1
        const double k = -4.0 * 2 / (16 * 1);
        add(X + "conicline05.tm", {"即" + lineEq(k, -1, 1 - 2 * k)});
    }
    {   // y=x+m meets x^2/4+y^2/3=1 twice
        const double m2 = bisect([](double m2) { return 336 - 48 * m2; }, 0, 100);
        add(X + "conicline06.tm", {"(-" + surd(std::sqrt(m2)) + "," + surd(std::sqrt(m2)) + ")"});
    }
    {   // OA ⊥ OB for y=x+m on x^2/4+y^2=1
        auto dot = [](double m) {
            const Chord c = meet(1 / 4.0, 1, 1, m);
            return c.x1 * c.x2 + c.y1 * c.y2;
        };
        add(X + "conicline07.tm", {"m=±" + surd(bisect(dot, 0.1, 2.2))});
    }
    {   // x=my+t on y^2=2x with OA ⊥ OB: t found for one slope, checked on another
        auto dot = [](double m, double t) {
            const auto [y1, y2] = solve(1, -2 * m, -2 * t);
            return y1 * y1 / 2 * y2 * y2 / 2 + y1 * y2;
        };
        const double t = bisect([&](double t) { return dot(0.5, t); }, 0.5, 10);
        add(X + "conicline08.tm", {std::fabs(dot(-3, t)) < 1e-6 ? "定点" + pt(t, 0) : "?"});
    }
    {
        const auto [y1, y2] = solve(1, -4, -4);
        add(X + "conicline09.tm", {"=" + surd(0.5 * 1 * std::fabs(y1 - y2)) + "。"});
    }
    {   // the only candidate chord has slope 2; it misses x^2-y^2/2=1
        const double disc = 16 - 4 * 2 * 3;
        add(X + "conicline10.tm", {disc < 0 ? "所以不能作出这样的直线l" : "?"});
    }
    {   // tangent of x^2=4y with slope 2: x/2 = 2
        const double x = 4, y = x * x / 4;
        add(X + "conicline11.tm", {"所以m=" + num(y - 2 * x) + "，切点为" + pt(x, y)});
    }

    add(T + "locus01.tm", {"轨迹方程为y^2=" + num(4 * 2.0) + "x"});
    add(T + "locus02.tm", {"轨迹方程为" + ellipse("x", 5 * 5, "y", 5 * 5 - 3 * 3)});
    add(T + "locus03.tm", {"轨迹方程为x^2+y^2=" + num(2 * 2)});
    add(T + "locus04.tm", {"轨迹方程为" + shifted("x", (-1 + 4) / 2.0) + "+" + shifted("y", (0 + 3) / 2.0) + "=" + num(std::pow(2 / 2.0, 2))});
    add(T + "locus05.tm", {ellipse("x", 3 * 3, "y", 2 * 2), "长轴长为" + num(2 * 3) + "、短轴长为" + num(2 * 2)});
    add(T + "locus06.tm", {lineEq(1 - 2, 1 - 3, 3 * 2 - 1 * 1)}); // through (1,2) at t=0 and (3,1) at t=1
    {
        auto d = [](double t) { return lineDist(1, -2, -12, 4 * std::cos(t), 2 * std::sqrt(3) * std::sin(t)); };
        const auto [best, t] = argmin(d, -kPi, kPi);
        add(T + "locus07.tm", {"最小距离为" + surd(best) + "，此时点的坐标为" + pt(r3(4 * std::cos(t)), r3(2 * std::sqrt(3) * std::sin(t)))});
    }
    add(T + "locus08.tm", {ellipse("x", 2 * 2, "y", 2 * 2 * 3 / 4.0) + "(x≠±2)"});
    add(T + "locus09.tm", {"轨迹方程为" + ellipse("x", std::pow((1 + 5) / 2.0, 2), "y", std::pow((1 + 5) / 2.0, 2) - 1)});
    add(T + "locus10.tm", {"轨迹方程为" + ellipse("x", 2 * 2, "y", 1)});
    {
        const double d = lineDist(1, -1, 0, 0, 2);
        add(T + "locus11.tm", {"=" + surd(2 * std::sqrt(4 - d * d)) + "。"});
    }
    return cases;
}

} // namespace yhb::test
