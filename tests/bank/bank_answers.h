// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recomputing the bundled questions' results: each case names a question file and the
// texts its answer must hold, built from numbers computed here from the question's data.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace yhb::test {

struct AnswerCase {
    std::string file; // below tm/, e.g. 2geom/3ellipse/ellipse01.txt
    std::vector<std::string> expected;
};

std::vector<AnswerCase> functionCases();
std::vector<AnswerCase> geometryCases();

// What a bundled question says of itself and shows, flattened as answerText does.
struct QuestionData {
    bool read = false;
    std::string type; // 选择题, 填空题, 解答题
    std::string question, answer;
    std::vector<std::string> options; // in order, A first
};
QuestionData questionData(const std::string& file);

// The answer of a bundled question, flattened: a/b for fractions (parts in parentheses
// unless they are one plain term), √a for roots, a^b, a_b, {row;row} for systems.
std::string answerText(const std::string& file);

// Numbers as the bank writes them.
std::string num(double v);            // 3, -2, 1/2, -24/25, 18.5
std::string dec(double v);            // 18.5, 3.5
std::string surd(double v);           // 3, √14, 2√2, -√3/3, 8√3/3
std::string piText(double v);         // π, π/12, -2π/3, 5π/6
std::string pt(double x, double y);   // (2,-3)
std::string poly(double a, double b, double c, const std::string& var = "x"); // x^2-4x+3
std::string lineEq(double a, double b, double c); // ax+by+c=0 in least integers, e.g. 2x+y-4=0
std::string square(const std::string& var, double denominator);                 // x^2/9, y^2
std::string shifted(const std::string& var, double centre);                     // (x-2)^2, (y+3)^2, x^2

// A root of f in [lo, hi], where f changes sign, by bisection.
inline double bisect(const std::function<double(double)>& f, double lo, double hi) {
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        ((f(lo) < 0) == (f(mid) < 0) ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

inline constexpr double kPi = 3.14159265358979323846;
inline double deg(double d) { return d * kPi / 180; }

} // namespace yhb::test
