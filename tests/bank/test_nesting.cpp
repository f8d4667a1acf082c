// SPDX-License-Identifier: GPL-3.0-or-later
// Formulas nested without end: bounded on reading, and open at once however deep.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "../dialogs/form_helpers.h"
#include "bank/question_navigator.h"
#include "bank/question_reader.h"
#include "bank_helpers.h"
#include "res/command_ids.h"
#include "sample_scenes.h"

using namespace yhb;
using namespace yhb::test;

namespace {

using sample::nestedBraces;
using sample::repeatedLines;

struct Read {
    std::string question;
    std::vector<Problem> problems;
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
    EXPECT_EQ(r.problems[0].message, "方程组嵌套超过 10 层：忽略了 2 个“}}”");
    EXPECT_FALSE(r.problems[0].warning);

    // Ten levels are a question as written; side by side, systems do not count as nesting.
    r = read(nestedBraces(10) + "{{\r\na\r\nb\r\n}}\r\n");
    EXPECT_TRUE(r.problems.empty()) << r.problems[0].english;
    EXPECT_EQ(occurrences(r.question, "{{"), 11);
}

TEST(DeepFormulas, OperatorChainsStopAtTheDepthBoundAndTheRestStaysText) {
    // A root of a root of ... : 31 roots over the text make 32 levels.
    Read r = read("function\r\nx\r\n" + repeatedLines("gh", 40));
    EXPECT_EQ(occurrences(r.question, "sqrt("), kMaxItemDepth - 1);
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 2 + kMaxItemDepth);
    EXPECT_EQ(r.problems[0].message, "公式嵌套超过 32 层：忽略了 9 行");

    // Fractions over fractions: the one that would go deeper is not made, and its numerator
    // and denominator stay side by side as they were.
    std::string chain = "function\r\nx\r\n";
    for (int i = 0; i < kMaxItemDepth - 1; ++i) chain += "y\r\nfs\r\n";
    r = read(chain + "z\r\nfs\r\n");
    EXPECT_EQ(occurrences(r.question, "/"), kMaxItemDepth - 1);
    EXPECT_EQ(r.question.substr(r.question.size() - 3), "y]z");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 2 + 2 * kMaxItemDepth);
    EXPECT_EQ(r.problems[0].message, "公式嵌套超过 32 层：忽略了 1 行");

    // Groups keep their own bound of ten open at once, noted once however many there are.
    r = read("function\r\n" + repeatedLines("{", 15) + "x\r\n" + repeatedLines("}", 15));
    EXPECT_EQ(r.question, std::string(10, '(') + "x" + std::string(10, ')'));
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 12);
    EXPECT_EQ(r.problems[0].message, "“{”嵌套超过 10 层：忽略了 5 个“{”及其对应的“}”");
}

// A file of a hundred thousand nested "{{" (800 KB) froze the window for 110 s and then
// overflowed the stack; chains of 20 000 roots or fractions took 6 and 12 s, and cost the
// square of their length. Opened as the window opens it (read, sized, measured, painted with
// the answer), each shape of a hundred thousand levels now opens in milliseconds
// (bench_question's Q_DeepFormula times them at 10 000 and 100 000 levels). The bound here
// only tells a freeze from an open window, as a user would, however busy the machine.
TEST(DeepFormulas, AHundredThousandLevelsOpenInTheWindow) {
    for (const sample::DeepShape& shape : sample::deepShapes()) {
        TempDir d;
        oneLine(d, "tm/a/funcMenu.fun", "函数");
        oneLine(d, "tm/a/c/funcName.fun", "深");
        d.write("tm/a/c/q.txt", shape.make(100000));
        Catalogue c;
        c.load(d.path());
        QuestionNavigator nav(c);
        nav.resize(800, 600);
        const auto start = std::chrono::steady_clock::now();
        nav.selectCategory(0);
        nav.command(Command::QuestionAnswer);
        NullSurface s;
        nav.paint(s, 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30)) << shape.name;
        ASSERT_EQ(c.category(0)->questionCount(), 1);
        EXPECT_GT(c.category(0)->questionList.count() + c.category(0)->answerList.count(), 0) << shape.name;
    }
}
