// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "bank/bank_checker.h"
#include "bank/natural_reader.h"
#include "bank/natural_writer.h"
#include "bank/question_reader.h"
#include "bank_helpers.h"
#include "gfx/recording_surface.h"
#include "item_tree.h"
#include "items/latex_math.h"

using namespace yhb;
using namespace yhb::test;

namespace {

struct Read {
    bool ok = false;
    std::string question, answer;
    std::vector<Problem> problems;
    std::vector<FigureLine> figures;
};

Read read(const std::string& text) {
    ItemList q(800), a(800);
    Read r;
    r.ok = parseQuestion(text, q, a, &r.problems, &r.figures);
    r.question = treeOf(q);
    r.answer = treeOf(a);
    return r;
}

// One formula's tree, or "error: …" naming what it does not know.
std::string formula(const std::string& latex) {
    ItemList list(50);
    LatexError e;
    if (!appendLatex(latex, list, e)) return "error at " + std::to_string(e.offset) + ": " + e.what;
    return treeOf(list);
}

} // namespace

TEST(NaturalFormat, TheExampleQuestionReadsIntoTheItemTree) {
    const Read r = read("已知椭圆 $C:\\frac{x^2}{a^2}+\\frac{y^2}{b^2}=1\\ (a>b>0)$ 的离心率为 $\\frac{\\sqrt{3}}{2}$，且过点 $(2,1)$。\n"
                        "(1) 求 $C$ 的方程；\n"
                        "@plot ellipse-x:2√2,√2+1010+1011\n"
                        "## 解答\n"
                        "由 $e=\\frac{c}{a}=\\frac{\\sqrt{3}}{2}$ 得 $a^2=4b^2$。\n");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.problems.empty());
    EXPECT_EQ(r.question, "已知椭圆 C:frac(sup(x,2),sup(a,2))+frac(sup(y,2),sup(b,2))=1 (a>b>0) 的离心率为 frac(sqrt(3),2)，且过点 (2,1)。"
                          "⏎(1) 求 C 的方程；");
    EXPECT_EQ(r.answer, "由 e=frac(c,a)=frac(sqrt(3),2) 得 sup(a,2)=4sup(b,2)。");
    ASSERT_EQ(r.figures.size(), 1u);
    EXPECT_EQ(r.figures[0].line, 3);
    EXPECT_EQ(r.figures[0].text, "ellipse-x:2√2,√2+1010+1011");
}

TEST(LatexSubset, EveryCommandOfTheSubsetRenders) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\\frac{1}{2}", "frac(1,2)"},
        {"\\dfrac12", "frac(1,2)"},
        {"x^2+y_1", "sup(x,2)+sub(y,1)"},
        {"2x^{n+1}", "2sup(x,n+1)"},
        {"a_n^2", "sup(sub(a,n),2)"},
        {"\\sin^2x", "sup(sin,2)x"},
        {"{2x}^2", "sup(2x,2)"},
        {"\\sqrt{a^2-b^2}", "sqrt(sup(a,2)-sup(b,2))"},
        {"\\sqrt[3]{x}", "root[3](x)"},
        {"\\vec{a}+\\overrightarrow{AB}", "vec(a)+vec(AB)"},
        {"\\overline{z}", "bar(z)"},
        {"\\left(\\frac{1}{2}\\right)^x", "sup(fence(frac(1,2)),x)"},
        {"\\left|\\frac{a}{b}\\right|", "fence|frac(a,b)|"},
        {"\\left\\{x\\right.", "fence{x."},
        {"\\{x|x>0\\}", "{x|x>0}"},
        {"\\begin{cases}x+y=3\\\\x-y=1\\end{cases}", "cases(x+y=3|x-y=1)"},
        {"f(x)=\\begin{cases}x^2, & x\\geq 0\\\\ -x, & x<0\\end{cases}", "f(x)=cases(sup(x,2),  x≥0|-x,  x<0)"},
        {"\\alpha\\beta\\gamma\\theta\\lambda\\omega\\varphi\\Delta\\pi", "αβγθλωφΔπ"},
        {"\\leq\\geq\\leqslant\\geqslant\\neq\\approx", "≤≥⩽⩾≠≈"},
        {"\\in\\notin\\subseteq\\subsetneqq\\emptyset\\cup\\cap", "∈∉⊆⫋∅∪∩"},
        {"\\Rightarrow\\Leftrightarrow\\because\\therefore", "⇒⇔∵∴"},
        {"\\angle\\triangle\\perp\\parallel", "∠△⊥∥"},
        {"\\cdot\\times\\div\\pm\\infty", "·×÷±∞"},
        {"60^\\circ+30^{\\circ}", "60°+30°"},
        {"\\mathbb{R}\\mathbb{N}\\mathbb{Z}\\mathbb{Q}", "ℝℕℤℚ"},
        {"x\\in\\text{区间 } [0,1]", "x∈区间 [0,1]"},
        {"a\\ b\\quad c", "a b  c"},
        {"a + b = c", "a+b=c"},
        {"x²≤1", "x²≤1"},
    };
    for (const auto& [latex, tree] : cases) EXPECT_EQ(formula(latex), tree) << latex;
}

TEST(LatexSubset, WhatItDoesNotKnowIsNamedWithWhereItStands) {
    EXPECT_EQ(formula("x+\\foo{1}"), "error at 2: \\foo");
    EXPECT_EQ(formula("\\frac{1}"), "error at 0: \\frac");
    EXPECT_EQ(formula("x^"), "error at 1: ^");
    EXPECT_EQ(formula("{x"), "error at 0: {");
    EXPECT_EQ(formula("x}"), "error at 1: }");
    EXPECT_EQ(formula("\\left(x"), "error at 0: \\left");
    EXPECT_EQ(formula("\\left<x\\right>"), "error at 5: \\left<");
    EXPECT_EQ(formula("\\begin{matrix}1\\end{matrix}"), "error at 0: \\begin{matrix}");
    EXPECT_EQ(formula("\\mathbb{K}"), "error at 0: \\mathbb{K}");
    EXPECT_EQ(formula("a&b"), "error at 1: &");
    EXPECT_EQ(formula("a\\\\b"), "error at 1: \\\\");
    // Nothing of a formula in error is left in the list.
    ItemList list(50);
    LatexError e;
    EXPECT_FALSE(appendLatex("\\frac{1}{2}+\\sqrt{\\bad}", list, e));
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(e.message, "不认识的命令“\\bad”");
    // However deep an author nests, the formula is refused rather than the stack run out.
    std::string deep;
    for (int i = 0; i < 200; ++i) deep += "\\frac{";
    EXPECT_EQ(formula(deep).rfind("error", 0), 0u);
}

TEST(NaturalFormat, ErrorsNameTheCommandWithItsLineAndColumn) {
    const Read r = read("第一行\n求 $x+\\sqr{2}$ 的值。\n$\\frac{1}{2\n");
    ASSERT_EQ(r.problems.size(), 2u);
    EXPECT_EQ(r.problems[0].line, 2);
    EXPECT_EQ(r.problems[0].column, 6); // 求, space, $, x, + and then the command
    EXPECT_EQ(r.problems[0].message, "不认识的命令“\\sqr”：公式按原样显示");
    EXPECT_FALSE(r.problems[0].warning);
    EXPECT_EQ(r.problems[1].line, 3);
    EXPECT_EQ(r.problems[1].column, 1);
    EXPECT_NE(r.problems[1].message.find("没有结束的“$”"), std::string::npos);
    // What could not be read is shown as written, never dropped.
    EXPECT_EQ(r.question, "第一行⏎求 $x+\\sqr{2}$ 的值。⏎$\\frac{1}{2");
}

TEST(NaturalFormat, LinesAreParagraphsAndABlankLineLeavesAGap) {
    Read r = read("甲\n乙\n\n丙\n## 解答\n丁\n");
    EXPECT_EQ(r.question, "甲⏎乙⏎⏎丙");
    EXPECT_EQ(r.answer, "丁");
    // A dollar in the text, a formula in double dollars, spaces in a formula not shown.
    r = read("价格 \\$5，$$ x + 1 $$\n");
    EXPECT_EQ(r.question, "价格 $5，x+1");
    // A second heading is named; its line is not shown.
    r = read("甲\n## 解答\n乙\n## 解答\n丙\n");
    EXPECT_EQ(r.answer, "乙⏎丙");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 4);
    EXPECT_TRUE(r.problems[0].warning);
}

// "@" lines are read in one place for both formats: figures in either, and a line no entry
// knows named with its line, shown as text in the postfix format as it always was.
TEST(QuestionAtLines, BothFormatsTakeFiguresAndNameUnknownLines) {
    Read natural = read("求解。\n@plot circle-centre:0,0,1\n@kind 选择题\n");
    EXPECT_EQ(natural.question, "求解。");
    ASSERT_EQ(natural.figures.size(), 1u);
    EXPECT_EQ(natural.figures[0].text, "circle-centre:0,0,1");
    ASSERT_EQ(natural.problems.size(), 1u);
    EXPECT_EQ(natural.problems[0].line, 3);
    EXPECT_EQ(natural.problems[0].message, "不认识的“@kind”行：已略去");

    Read postfix = read(markup({"function", "求解。", "@plot circle-centre:0,0,1", "@kind 选择题"}));
    EXPECT_EQ(postfix.question, "求解。@kind 选择题");
    ASSERT_EQ(postfix.figures.size(), 1u);
    EXPECT_EQ(postfix.figures[0].line, 3);
    ASSERT_EQ(postfix.problems.size(), 1u);
    EXPECT_EQ(postfix.problems[0].message, "不认识的“@kind”行：会作为文字显示");
    // A mistyped figure line is named once, as before.
    postfix = read(markup({"function", "@Plot circle-centre:0,0,1"}));
    ASSERT_EQ(postfix.problems.size(), 1u);
    EXPECT_NE(postfix.problems[0].message.find("不是图形行"), std::string::npos);
}

// A category may hold questions of both formats: a ".tm" file is a question whatever its first
// line, other files only when it is "function", so a teacher's notes stay out.
TEST(NaturalFormat, TheCatalogueTakesTmFilesBesideThePostfixOnes) {
    TempDir d;
    oneLine(d, "tm/FuncVer.fun", "3.0");
    oneLine(d, "tm/a/funcMenu.fun", "函数");
    oneLine(d, "tm/a/1/funcName.fun", "一次函数");
    d.write("tm/a/1/q1.txt", markup({"function", "甲"}));
    d.write("tm/a/1/q2.tm", "已知 $\\vec{a}=(1,2)$。\n");
    d.write("tm/a/1/notes.txt", "老师的备注\n");
    Catalogue c;
    c.load(d.path());
    const int k = categoryNamed(c, "一次函数");
    ASSERT_GE(k, 0);
    ASSERT_EQ(c.category(k)->questionCount(), 2);
    BankCategory& cat = *c.categories[static_cast<std::size_t>(k)];
    EXPECT_EQ(readQuestion(cat, 1), 1);
    EXPECT_EQ(treeOf(cat.questionList), "已知 vec(a)=(1,2)。");
}

TEST(BankChecker, ACharacterNoFontDrawsIsNamedOncePerLineWithItsColumn) {
    // The core knows the ranges the program's faces cover; the tool asks the installed fonts.
    for (char32_t c : {U'⊆', U'∅', U'⇒', U'⩽', U'²', U'ℝ', U'→', U'中', U'α', U'⃗'}) EXPECT_TRUE(inKnownFontRanges(c));
    EXPECT_FALSE(inKnownFontRanges(U'\U0001F600'));
    const auto noEmoji = [](char32_t c) { return c < 0x1F000; };
    const std::vector<Problem> found = undrawableCharacters("function\r\n求😀的值😀 ⊆∅\r\nx\r\n😀", noEmoji);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].line, 2);
    EXPECT_EQ(found[0].column, 2);
    EXPECT_EQ(found[0].message, "字符“😀”（U+1F600）没有字体能显示");
    EXPECT_FALSE(found[0].warning);
    EXPECT_EQ(found[1].line, 4);
    EXPECT_EQ(found[1].column, 1);
}

namespace {

// The question read, written in the natural format and read again: the same items and figures.
void expectRoundTrip(const std::string& bytes, const std::string& name) {
    ItemList q1(800), a1(800), q2(800), a2(800);
    std::vector<FigureLine> f1, f2;
    ASSERT_TRUE(parseQuestion(bytes, q1, a1, nullptr, &f1)) << name;
    const std::string natural = toNaturalFormat(q1, a1, f1);
    std::vector<Problem> problems;
    ASSERT_TRUE(parseQuestion(natural, q2, a2, &problems, &f2)) << name;
    EXPECT_TRUE(problems.empty()) << name << ": " << (problems.empty() ? "" : problems[0].message) << "\n" << natural;
    EXPECT_EQ(treeOf(q2), treeOf(q1)) << name << "\n" << natural;
    EXPECT_EQ(treeOf(a2), treeOf(a1)) << name << "\n" << natural;
    ASSERT_EQ(f2.size(), f1.size()) << name;
    for (std::size_t i = 0; i < f1.size(); ++i) EXPECT_EQ(f2[i].text, f1[i].text) << name;
}

} // namespace

TEST(ConvertToNatural, EveryBundledQuestionReadsBackAsTheSameTree) {
    int questions = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(bundledBank() + "/tm")) {
        if (!e.is_regular_file() || e.path().extension() == ".fun") continue;
        expectRoundTrip(slurp(e.path().string()), e.path().filename().string());
        ++questions;
    }
    EXPECT_GT(questions, 100);
}

// What a postfix question may hold that the natural format must escape.
TEST(ConvertToNatural, TextThatLooksLikeMarkupStaysText) {
    expectRoundTrip(markup({"function", "function", "", "@type 选择题", "", "## 解答", "", "   ", "", "价格$5，50% & {a_b} ^~\\", "{", "x y",
                            "}", "{", "a_1", "}", "fs", "{{", "", "x^2", "}}", "jd", "{", "}", "{", "$", "}", "2", "zs"}),
                    "markup");
    // A group kept whole at the top, scripts on groups and on empty bases, a system with an
    // empty row, the new items.
    expectRoundTrip("function\r\n{\r\n求\r\n}\r\n{\r\n2x\r\n}\r\n2\r\nzs\r\n\r\n3\r\nzs\r\n{{\r\n\r\n}}\r\n", "groups");
    expectRoundTrip("已知 $\\left|\\frac{1}{2}\\right|+\\sqrt[3]{\\overrightarrow{AB}\\cdot\\overline{z}}\\in\\mathbb{R}$ 且 "
                    "$\\begin{cases}x^2, & x\\geq0\\\\ -x\\end{cases}$\n\n## 解答\n$60^\\circ$\n",
                    "natural");
}

// A question of each of the twelve categories as a teacher types it in the natural format
// (\dfrac, \geq, \pi, x^2, \sqrt5, cases) beside the bank's postfix question: the same items,
// the same figures.
TEST(NaturalFormat, AQuestionOfEachCategoryReadsAsItsPostfixTwin) {
    const std::string dir = sourceDir() + "/tests/bank/twins/";
    int pairs = 0;
    for (const std::string& name : fileNames(dir)) {
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".txt") != 0) continue;
        const std::string stem = name.substr(0, name.size() - 4);
        ItemList q1(800), a1(800), q2(800), a2(800);
        std::vector<FigureLine> f1, f2;
        std::vector<Problem> problems;
        ASSERT_TRUE(parseQuestion(slurp(dir + name), q1, a1, nullptr, &f1)) << name;
        ASSERT_TRUE(parseQuestion(slurp(dir + stem + ".tm"), q2, a2, &problems, &f2)) << stem;
        EXPECT_TRUE(problems.empty()) << stem << ": " << (problems.empty() ? "" : problems[0].message);
        EXPECT_EQ(treeOf(q2), treeOf(q1)) << stem;
        EXPECT_EQ(treeOf(a2), treeOf(a1)) << stem;
        ASSERT_EQ(f2.size(), f1.size()) << stem;
        for (std::size_t i = 0; i < f1.size(); ++i) EXPECT_EQ(f2[i].text, f1[i].text) << stem;
        ++pairs;
    }
    EXPECT_EQ(pairs, 12);
}

// AUTHORING.md's examples read as it says: the whole question without a slip, and its postfix
// question drawn as the same question in the natural format.
TEST(NaturalFormat, TheAuthoringGuidesExamplesReadAsItSays) {
    const std::string doc = slurp(sourceDir() + "/docs/AUTHORING.md");
    std::vector<std::string> blocks;
    for (std::size_t at = doc.find("```tm\n"); at != std::string::npos;) {
        const std::size_t body = doc.find('\n', at) + 1, end = doc.find("```", body);
        blocks.push_back(doc.substr(body, end - body));
        at = end + 3;
        const std::size_t tm = doc.find("```tm\n", at), postfix = doc.find("```postfix\n", at);
        at = std::min(tm, postfix);
    }
    ASSERT_EQ(blocks.size(), 3u);
    const Read whole = read(blocks[0]);
    EXPECT_TRUE(whole.problems.empty()) << whole.problems.size();
    for (const char* part : {"vec(AP)·vec(AQ)=0", "frac(sqrt(3),2)"})
        EXPECT_NE(whole.question.find(part), std::string::npos) << part << "\n" << whole.question;
    for (const char* part : {"cases(frac(c,a)=frac(sqrt(3),2)|", "fence(frac(6,5),-frac(3,5))"})
        EXPECT_NE(whole.answer.find(part), std::string::npos) << part << "\n" << whole.answer;
    ASSERT_EQ(whole.figures.size(), 1u);
    const Read postfix = read(blocks[1]), natural = read(blocks[2]);
    EXPECT_TRUE(postfix.problems.empty());
    EXPECT_TRUE(natural.problems.empty());
    EXPECT_EQ(natural.question, postfix.question);
    EXPECT_EQ(natural.answer, postfix.answer);
    EXPECT_NE(postfix.answer.find("cases("), std::string::npos);
}
