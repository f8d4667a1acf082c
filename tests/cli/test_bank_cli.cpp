// SPDX-License-Identifier: GPL-3.0-or-later
// The bank checker as an author runs it: what it reports, how it ends, what it lists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "../bank/bank_helpers.h"
#include "tool_helpers.h"

using namespace yhb::test;

namespace {

std::string lastLine(const std::string& s) {
    const std::vector<std::string> all = splitLines(s);
    return all.empty() ? std::string() : all.back();
}

// A bank of one category; the caller adds its files.
struct SmallBank {
    SmallBank() {
        oneLine(dir, "tm/FuncVer.fun", "3.0");
        oneLine(dir, "tm/a/funcMenu.fun", "解析几何");
        oneLine(dir, "tm/a/1/funcName.fun", "椭圆");
    }
    void question(const std::string& name, std::initializer_list<const char*> markupLines) const {
        dir.write("tm/a/1/" + name, markup(markupLines));
    }
    ToolRun check(const std::string& options = "") const { return cli("bank " + quoted(dir.path()) + " " + options); }
    TempDir dir;
};

} // namespace

TEST(BankChecker, TheReportEndsWithItsSummaryAndTheCatalogueIsListedOnlyWhenAsked) {
    SmallBank b;
    b.question("q1.txt", {"function", "x"});
    b.question("q2.txt", {"function", "fs"});
    b.question("q3.txt", {"function", "zs "});
    ToolRun r = b.check();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "") << "the catalogue without --list";
    EXPECT_EQ(splitLines(r.err).size(), 3u) << r.err;
    EXPECT_EQ(lastLine(r.err), "共 3 题，1 个错误，1 个警告");
    EXPECT_EQ(lastLine(b.check("--lang en").err), "3 questions, 1 error, 1 warning");

    r = b.check("--list");
    EXPECT_EQ(r.out.rfind("version 3.0\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("category 0 parent=0 aggregate=0 questions=3 椭圆"), std::string::npos) << r.out;
    // Both streams into one pipe, as "| less" shows them: the summary still comes last.
    const char* tool = std::getenv("YHB_CLI");
    r = run(std::string(tool ? tool : "yunhuiban-cli") + " bank " + quoted(b.dir.path()) + " --list 2>&1 | cat");
    EXPECT_EQ(r.out.rfind("version 3.0\n", 0), 0u) << r.out;
    EXPECT_EQ(lastLine(r.out), "共 3 题，1 个错误，1 个警告");

    // The bank that ships: every question clean.
    if (const char* bundled = std::getenv("YHB_BUNDLED_BANK")) {
        r = cli("bank " + quoted(bundled));
        EXPECT_EQ(r.status, 0) << r.err;
        const std::string summary = lastLine(r.err);
        EXPECT_EQ(summary.rfind("共 ", 0), 0u) << r.err;
        EXPECT_NE(summary.find(" 题，0 个错误，0 个警告"), std::string::npos) << r.err;
    }
}

// "sqrt(x)" or "abc" in a figure reads as 0 in a dialog's field: the figure showed a flat or
// empty curve and the checker passed it. Exact forms ("sqrt(2)", "√3", "π/6") are numbers.
TEST(BankChecker, AFigureValueThatIsNoNumberIsAnErrorNamingIt) {
    SmallBank b;
    b.question("q1.txt", {"function", "@plot ellipse-x:sqrt(x),4+1010"});
    b.question("q2.txt", {"function", "求圆的方程。", "jd", "@plot circle-origin:abc"});
    b.question("q3.txt", {"function", "@plot sin:1,2x"});
    b.question("q4.txt", {"function", "@plot ellipse-x:5,4.5+1010 circle-centre:-2,,2 parabola-right:１.５"});
    b.question("q5.txt", {"function", "@plot ellipse-x:sqrt(2),√3+1010 sin:1,2,π/6 circle-origin:(1+√5)/2"});
    b.question("q6.txt", {"function", "@plot ellipse-x:1e999,2"});
    ToolRun r = b.check();
    EXPECT_EQ(r.status, 1);
    const std::vector<std::string> expected = {
        "tm/a/1/q1.txt:2:7: 图形行的值“sqrt(x)”不是数（ellipse-x 的 a）",
        "tm/a/1/q2.txt:4:7: 图形行的值“abc”不是数（circle-origin 的 r）",
        "tm/a/1/q3.txt:2:7: 图形行的值“2x”不是数（sin 的 B）",
        "tm/a/1/q6.txt:2:7: 图形行的值“1e999”不是有限的数（ellipse-x 的 a）",
        "共 6 题，4 个错误，0 个警告",
    };
    EXPECT_EQ(splitLines(r.err), expected);
}

// Such a line is no figure: students see it as text.
TEST(BankChecker, AMistypedFigureLineIsWarnedOf) {
    SmallBank b;
    b.question("q1.txt", {"function", "@plotellipse-x:5,4", "@plot", "x", " @plot sin", "@Plot cos", "@plot tan"});
    ToolRun r = b.check("--lang en");
    EXPECT_EQ(r.status, 0) << "a warning alone does not fail: " << r.err;
    std::vector<int> warned;
    for (const std::string& l : splitLines(r.err))
        if (l.find("warning: not a figure line") != std::string::npos) warned.push_back(std::stoi(l.substr(l.find(':') + 1)));
    EXPECT_EQ(warned, (std::vector<int>{2, 3, 5, 6})) << r.err;
    EXPECT_NE(b.check().err.find("tm/a/1/q1.txt:2:1: 警告：不是图形行（“@plot”须在行首并后跟一个空格）：会作为文字显示给学生"),
              std::string::npos);
    EXPECT_EQ(b.check("--strict").status, 1);
}

// A README or notes beside the questions were counted and shown as questions without text.
TEST(BankChecker, FilesThatHoldNoQuestionAreLeftOutAndNamed) {
    SmallBank b;
    b.question("q1.txt", {"function", "x"});
    b.dir.write("tm/a/1/README.md", "# 椭圆\n这些题目来自……\n");
    b.dir.write("tm/a/1/notes.txt", yhb::cp936::fromUtf8("老师的备注\r\nfunction\r\n"));
    b.dir.write("tm/a/1/empty.txt", "");
    b.dir.write("tm/a/1/q2.txt", "\xEF\xBB\xBF  function\t\r\n求\r\n"); // a slip the reader names
    ToolRun r = b.check("--list");
    EXPECT_NE(r.out.find("category 0 parent=0 aggregate=0 questions=2 椭圆"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("category 1 parent=0 aggregate=1 questions=2 ★解析几何★所有题目"), std::string::npos) << r.out;
    for (const char* name : {"README.md", "notes.txt", "empty.txt"}) {
        EXPECT_EQ(r.out.find(name), std::string::npos) << name;
        EXPECT_NE(r.err.find(std::string("tm/a/1/") + name + ":1: 警告：不是题目文件（第一行不是“function”，文件名也不以“.tm”结尾），已忽略"),
                  std::string::npos)
            << name << "\n" << r.err;
    }
    EXPECT_NE(r.err.find("tm/a/1/q2.txt:1:1: 第一行应为“function”，不能带空格"), std::string::npos) << r.err;
    EXPECT_EQ(lastLine(r.err), "共 2 题，1 个错误，3 个警告");
}

// An editor saving plain ASCII writes LF line ends: the file was refused as not beginning
// with "function".
TEST(BankChecker, AnAsciiQuestionWithLfLineEndsReadsAsWritten) {
    SmallBank b;
    b.dir.write("tm/a/1/q1.txt", "function\nx\n2\nzs\n+1=0\njd\n@plot circle-origin:2\nx=1\n");
    ToolRun r = b.check("--list");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lastLine(r.err), "共 1 题，0 个错误，0 个警告");
    r = cli("question " + quoted(b.dir / "tm/a/1/q1.txt") + " --answer --trace");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"+1=0\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"x=1\""), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("@plot"), std::string::npos) << r.out;
}

// Scripts read the English report: each finding the checker makes itself (a figure the
// program cannot draw, names the aggregate drops or sorts wrongly, stray files) keeps its
// English text and its place, and only the figure line is an error.
TEST(BankChecker, TheEnglishReportNamesEveryKindOfFinding) {
    SmallBank b;
    b.question("q1.txt", {"function", "x"});
    b.question("q10.txt", {"function", "@plot circle-origin:abc"});
    b.question("q2.txt", {"function", "y"});
    b.dir.write("tm/a/1/q2.txt~", markup({"function", "backup"}));
    oneLine(b.dir, "tm/a/2/funcName.fun", "双曲线");
    b.dir.write("tm/a/2/q1.txt", markup({"function", "z"}));
    ToolRun r = b.check("--lang en");
    EXPECT_EQ(r.status, 1) << r.err;
    const std::vector<std::string> expected = {
        "tm/a/1/q10.txt:2:7: figure line: 图形行的值“abc”不是数（circle-origin 的 r）",
        "tm/a/1/q2.txt:0: warning: numbered without leading zeros: sorts after q10.txt",
        "tm/a/2/q1.txt:0: warning: same name as a file of category 椭圆: the aggregate keeps only that one",
        "tm/a/1/q2.txt~:0: warning: not a question file: ignored",
        "4 questions, 1 error, 3 warnings",
    };
    EXPECT_EQ(splitLines(r.err), expected);
    r = b.check();
    EXPECT_NE(r.err.find("tm/a/1/q10.txt:2:7: 图形行的值“abc”不是数（circle-origin 的 r）\n"), std::string::npos) << r.err;
    EXPECT_EQ(lastLine(r.err), "共 4 题，1 个错误，3 个警告");
}

// An author finds each slip by its line and column: a command the formulas do not know, and a
// character no installed font draws (U+10FFFD: a private character no font has).
TEST(BankChecker, NamesTheCommandAndTheCharacterWithLineAndColumn) {
    SmallBank b;
    b.dir.write("tm/a/1/q1.tm", "第一行\n求 $x+\\sqr{2}$ 的值。\n向量 $\\vec{a}\\perp\\overrightarrow{AB}$ ⊆∅⇒⩽x²\n\xF4\x8F\xBF\xBD\n");
    b.dir.write("tm/a/1/q2.txt", "function\n求\nx\xF4\x8F\xBF\xBD\n2\nzs\n"); // UTF-8: CP936 cannot hold it
    const ToolRun r = b.check();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(splitLines(r.err), (std::vector<std::string>{
                                     "tm/a/1/q1.tm:2:6: 不认识的命令“\\sqr”：公式按原样显示",
                                     "tm/a/1/q1.tm:4:1: 字符“\xF4\x8F\xBF\xBD”（U+10FFFD）没有字体能显示",
                                     "tm/a/1/q2.txt:3:2: 字符“\xF4\x8F\xBF\xBD”（U+10FFFD）没有字体能显示",
                                     "共 2 题，3 个错误，0 个警告",
                                 }));
    EXPECT_NE(b.check("--lang en").err.find("tm/a/1/q1.tm:2:6: unknown command \"\\sqr\""), std::string::npos);
}

// A teacher moves a question over: the tool prints it in the natural format and writes nothing.
TEST(BankConvert, PrintsTheQuestionInTheNaturalFormatAndWritesNothing) {
    SmallBank b;
    b.question("q1.txt", {"function", "求椭圆", "{", "x", "2", "zs", "}", "{", "25", "}", "fs", "+", "{", "y", "2", "zs", "}",
                          "{", "16", "}", "fs", "=1的离心率。", "@plot ellipse-x:5,4", "jd", "e=", "3", "5", "fs", "。"});
    const std::string before = slurp(b.dir / "tm/a/1/q1.txt");
    const ToolRun r = cli("bank --convert " + quoted(b.dir / "tm/a/1/q1.txt"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "求椭圆$\\frac{x^2}{25}+\\frac{y^2}{16}=1$的离心率。\n"
                     "@plot ellipse-x:5,4\n"
                     "## 解答\n"
                     "$e=\\frac{3}{5}$。\n");
    EXPECT_EQ(slurp(b.dir / "tm/a/1/q1.txt"), before);
    EXPECT_EQ(fileNames(b.dir / "tm/a/1"), (std::vector<std::string>{"funcName.fun", "q1.txt"}));

    const ToolRun missing = cli("bank --convert " + quoted(b.dir / "tm/a/1/none.txt"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("无法读取题目文件"), std::string::npos) << missing.err;
}
