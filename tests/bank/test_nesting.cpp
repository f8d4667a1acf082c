// SPDX-License-Identifier: GPL-3.0-or-later
// Formulas nested without end: bounded on reading, and as fast to open as their size says.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "../dialogs/form_helpers.h"
#include "bank/question_navigator.h"
#include "bank/question_reader.h"
#include "bank_helpers.h"
#include "res/command_ids.h"

using namespace yhb;
using namespace yhb::test;

namespace {

std::string repeated(const std::string& line, int n) {
    std::string out;
    out.reserve(line.size() * static_cast<std::size_t>(n) + 2 * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out += line + "\r\n";
    return out;
}

// `levels` nested systems of equations, as an author's "{{" ... "}}" pairs would nest them.
std::string nestedBraces(int levels) {
    return "function\r\n" + repeated("{{", levels) + "x\r\n" + repeated("}}", levels);
}

struct Read {
    std::string question;
    std::vector<QuestionProblem> problems;
};

Read read(const std::string& bytes) {
    ItemList q(800), a(800);
    Read r;
    EXPECT_TRUE(parseQuestion(bytes, q, a, &r.problems));
    r.question = readLabel(q);
    return r;
}

int occurrences(const std::string& s, const std::string& what) {
    int n = 0;
    for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + what.size())) ++n;
    return n;
}

} // namespace

TEST(DeepFormulas, SystemsOfEquationsNestTenDeepAsGroupsDo) {
    Read r = read(nestedBraces(12));
    EXPECT_EQ(r.question, std::string(20, '{') + "x" + std::string(20, '}'));
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 2 + 12 + 1 + 10); // the eleventh "}}"
    EXPECT_EQ(r.problems[0].chinese, "方程组嵌套超过 10 层：忽略了 2 个“}}”");
    EXPECT_FALSE(r.problems[0].warning);

    // Ten levels are a question as written; side by side, systems do not count as nesting.
    r = read(nestedBraces(10) + "{{\r\na\r\nb\r\n}}\r\n");
    EXPECT_TRUE(r.problems.empty()) << r.problems[0].message;
    EXPECT_EQ(occurrences(r.question, "{{"), 11);
}

TEST(DeepFormulas, OperatorChainsStopAtTheDepthBoundAndTheRestStaysText) {
    // A root of a root of ... : 31 roots over the text make 32 levels.
    Read r = read("function\r\nx\r\n" + repeated("gh", 40));
    EXPECT_EQ(occurrences(r.question, "sqrt("), kMaxItemDepth - 1);
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 2 + kMaxItemDepth);
    EXPECT_EQ(r.problems[0].chinese, "公式嵌套超过 32 层：忽略了 9 行");

    // Fractions over fractions: the one that would go deeper is not made, and its numerator
    // and denominator stay side by side as they were.
    std::string chain = "function\r\nx\r\n";
    for (int i = 0; i < kMaxItemDepth - 1; ++i) chain += "y\r\nfs\r\n";
    r = read(chain + "z\r\nfs\r\n");
    EXPECT_EQ(occurrences(r.question, "/"), kMaxItemDepth - 1);
    EXPECT_EQ(r.question.substr(r.question.size() - 3), "y]z");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 2 + 2 * kMaxItemDepth);
    EXPECT_EQ(r.problems[0].chinese, "公式嵌套超过 32 层：忽略了 1 行");

    // Groups keep their own bound of ten open at once, noted once however many there are.
    r = read("function\r\n" + repeated("{", 15) + "x\r\n" + repeated("}", 15));
    EXPECT_EQ(r.question, std::string(10, '(') + "x" + std::string(10, ')'));
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 12);
    EXPECT_EQ(r.problems[0].chinese, "“{”嵌套超过 10 层：忽略了 5 个“{”及其对应的“}”");
}

// A file of a hundred thousand nested "{{" (800 KB) froze the window for 110 s and then
// overflowed the stack; chains of roots or fractions cost the square of their length too.
// Opened as the window opens it (read, sized, measured, painted with the answer), each shape
// must cost about ten times as much for ten times the levels, and well under 2 s.
TEST(DeepFormulas, AHundredThousandLevelsOpenInTheWindowInLinearTime) {
    struct Shape {
        const char* name;
        std::string (*make)(int levels);
    };
    const Shape shapes[] = {
        {"braces", nestedBraces},
        {"roots", [](int n) { return "function\r\njd\r\nx\r\n" + repeated("gh", n); }},
        {"fractions", [](int n) { return "function\r\nx\r\n" + repeated("y\r\nfs", n); }},
        {"exponents", [](int n) { return "function\r\nx\r\n" + repeated("2\r\nzs", n); }},
        {"rows braced ten times", [](int n) { return "function\r\n" + repeated("x", n) + repeated("}}", 10); }},
        {"systems too deep over many rows",
         [](int n) { return nestedBraces(10) + repeated("x", n / 2) + repeated("x\r\n}}", n / 4); }},
    };
    // An item alive throughout keeps the item heap's memory, as the program's status line
    // does: the rounds then time the formulas, not the kernel handing out pages.
    ItemList held(1);
    held.append(newItem<TextItem>("held"));
    for (const Shape& shape : shapes) {
        double best[2] = {1e9, 1e9}, wall = 1e9;
        for (int round = 0; round < 3; ++round) {
            int index = 0;
            for (int levels : {10000, 100000}) {
                TempDir d;
                oneLine(d, "tm/a/funcMenu.fun", "函数");
                oneLine(d, "tm/a/c/funcName.fun", "深");
                d.write("tm/a/c/q.txt", shape.make(levels));
                Catalogue c;
                c.load(d.path());
                QuestionNavigator nav(c);
                nav.resize(800, 600);
                const auto w0 = std::chrono::steady_clock::now();
                const std::clock_t t0 = std::clock();
                nav.selectCategory(0);
                nav.command(cmd::ToggleAnswer);
                NullSurface s;
                nav.paint(s, 0);
                best[index] = std::min(best[index], static_cast<double>(std::clock() - t0) / CLOCKS_PER_SEC);
                if (index++ == 1) wall = std::min(wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count());
                ASSERT_EQ(c.category(0)->questionCount(), 1);
                EXPECT_GT(c.category(0)->questionList.count() + c.category(0)->answerList.count(), 0) << shape.name;
            }
        }
        // Processor time, so that other builds on the machine do not count; 10 ms for the clock
        // and the caches, which a file of 80 KB fits and one of 800 KB does not.
        EXPECT_LT(best[1], 15 * best[0] + 0.01) << shape.name << ": " << best[0] << " s for 10 000 levels";
        EXPECT_LT(best[1], 1.0) << shape.name;
        EXPECT_LT(wall, 2.0) << shape.name << " (wall time)";
    }
}
