// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDomDocument>
#include <QFile>
#include <QImage>

#include <array>
#include <cstdio>
#include <sstream>

#include "../bank/bank_helpers.h"
#include "tool_helpers.h"

using namespace yhb::test;

TEST(Cli, PlotRefusalsWriteNothing) {
    TempDir d;
    const std::string png = d / "x.png";
    ToolRun r = cli("plot sin sin sin sin sin sin -o " + png);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("表达式个数已大于5个"), std::string::npos);
    r = cli("plot circle-general:0,0,1 -o " + png);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("D^2+E^2-4F"), std::string::npos);
    r = cli("plot wobble:1 -o " + png);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("wobble"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST(Cli, HelpAnswersBeforeOrAfterTheCommand) {
    const ToolRun help = cli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("yunhuiban-cli question FILE"), std::string::npos) << help.out;
    for (const char* asked : {"question --help", "question q.txt -h", "plot sin --help", "bank --help", "worksheet -h"}) {
        const ToolRun r = cli(asked);
        EXPECT_EQ(r.status, 0) << asked << ": " << r.err;
        EXPECT_EQ(r.out, help.out) << asked;
        EXPECT_EQ(r.err, "") << asked;
    }
}

TEST(Cli, TraceOfALineEndsEachPassOnTheBandsEdge) {
    ToolRun r = cli("plot line-slope:1,0 --trace");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> polylines;
    for (const auto& l : splitLines(r.out))
        if (l.rfind("polyline ", 0) == 0) polylines.push_back(l);
    ASSERT_EQ(polylines.size(), 2u);
    // The last sample is outside; its run ends on the band's top and bottom edge.
    EXPECT_EQ(polylines[0].substr(polylines[0].rfind(',')), ",-200");
    EXPECT_EQ(polylines[1].substr(polylines[1].rfind(',')), ",200");
    EXPECT_EQ(polylines[0].substr(0, 17), "polyline 202 0,0 "); // pixels 0 .. 200 and the edge
    EXPECT_EQ(splitLines(r.out)[0], "origin 300 200");
    EXPECT_NE(r.out.find("fill -300 -200 300 200 808080"), std::string::npos);
    EXPECT_EQ(cli("plot line-slope:1,0 --trace").out, r.out); // the same on every run
}

TEST(Cli, TraceOfAnEllipseGivesFourPolylinesClosedAtTheVertices) {
    ToolRun r = cli("plot ellipse-x:5,4 --trace --no-labels");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::vector<std::string>> polys;
    for (const auto& l : splitLines(r.out))
        if (l.rfind("polyline ", 0) == 0) {
            std::istringstream in(l);
            std::vector<std::string> pts;
            for (std::string w; in >> w;) pts.push_back(w);
            polys.push_back(std::vector<std::string>(pts.begin() + 2, pts.end()));
        }
    ASSERT_EQ(polys.size(), 4u);
    // Each lower half ends on the point of its upper half at the vertex.
    EXPECT_EQ(polys[1].back(), polys[0].back());
    EXPECT_EQ(polys[3].back(), polys[2].back());
    EXPECT_EQ(polys[0].back(), "99,0"); // x = 5 reached by sampling steps, truncated
    EXPECT_EQ(polys[2].back(), "-99,0");
}

TEST(Cli, PngAndWellFormedSvg) {
    TempDir d;
    ToolRun r = cli("plot ellipse-x:4,2+1010+1011 sin:2 --size 300x200 -o " + (d / "a.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    QImage img(QString::fromStdString(d / "a.png"));
    EXPECT_EQ(img.size(), QSize(300, 200));
    r = cli("plot ellipse-x:4,2+1010 --size 300x200 -o " + (d / "a.svg"));
    ASSERT_EQ(r.status, 0) << r.err;
    QFile f(QString::fromStdString(d / "a.svg"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(&f));
    EXPECT_EQ(doc.documentElement().tagName(), "svg");
    EXPECT_EQ(doc.elementsByTagName("polyline").size(), 4);
    EXPECT_GT(doc.elementsByTagName("text").size(), 20);
    r = cli("plot sin --window 800x500 -o " + (d / "w.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(d / "w.png")).size(), QSize(800, 500));
    r = cli("plot sin -o /nonexistent-dir/x.png");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("/nonexistent-dir/x.png"), std::string::npos);
}

TEST(Cli, QuestionTypesetsAtTheGivenWidth) {
    TempDir d;
    oneLine(d, "c/funcName.fun", "圆");
    d.write("c/q.txt", markup({"function", "求圆的方程。", "jd", "答案"}));
    ToolRun r = cli("question " + (d / "c/q.txt") + " --trace");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("当前<<圆>>题库内总的题目数为●1●,当前题号为〓■1号■〓"), std::string::npos);
    EXPECT_NE(r.out.find("text 0 22 20 36 \"求圆的方程。\""), std::string::npos);
    EXPECT_EQ(r.out.find("答案"), std::string::npos);
    r = cli("question " + (d / "c/q.txt") + " --answer --cell 10,20 --trace");
    EXPECT_NE(r.out.find("\"答案\""), std::string::npos);
    r = cli("question " + (d / "c/q.txt") + " --answer --width 300 -o " + (d / "q.png"));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(d / "q.png")).width(), 300);
}

// --textbook: the question window's 教材记法, with print's italic variables and no number.
TEST(Cli, QuestionInTextbookNotation) {
    TempDir d;
    d.write("c/q.tm", "@type 解答题\n@score 12\n已知 $x^2=4$，求 $x$。\n## 解答\n$x=\\pm 2$。\n");
    ToolRun r = cli("question " + (d / "c/q.tm") + " --textbook --trace");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("italic \"x\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("upright \"已\""), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("分）"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\"±\""), std::string::npos) << r.out;
    r = cli("question " + (d / "c/q.tm") + " --textbook --answer --trace");
    EXPECT_NE(r.out.find("\"±\""), std::string::npos) << r.out;
    r = cli("question " + (d / "c/q.tm") + " --textbook --answer --width 300 -o " + (d / "q.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(d / "q.png")).width(), 300);
    r = cli("question " + (d / "c/none.tm") + " --textbook -o " + (d / "n.png"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("none.tm"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(d / "n.png"));
}

TEST(Cli, AQuestionNamedWithoutItsFolderFindsTheFoldersName) {
    TempDir d;
    d.write("圆与方程/q.txt", markup({"function", "求圆的方程。"}));
    ToolRun r = cli("question q.txt --trace", d / "圆与方程");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("当前<<圆与方程>>题库"), std::string::npos) << r.out.substr(0, 300);
    oneLine(d, "圆与方程/funcName.fun", "圆");
    r = cli("question ./q.txt --trace", d / "圆与方程");
    EXPECT_NE(r.out.find("当前<<圆>>题库"), std::string::npos) << r.out.substr(0, 300);
}

TEST(Cli, BankWithoutADirectoryUsesTheBankTheProgramWouldFind) {
    TempDir d;
    oneLine(d, "tm/FuncVer.fun", "3.0");
    oneLine(d, "tm/a/funcMenu.fun", "函数");
    oneLine(d, "tm/a/1/funcName.fun", "一次函数");
    d.write("tm/a/1/q.txt", markup({"function", "x"}));
    ToolRun r = cli("bank --list", d.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("题库 " + d.path()), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("category 0 parent=0 aggregate=0 questions=1 一次函数"), std::string::npos) << r.out;
}

TEST(Cli, BankListsTheCatalogueAndItsProblems) {
    TempDir d;
    oneLine(d, "tm/FuncVer.fun", "3.0");
    oneLine(d, "tm/a/funcMenu.fun", "函数");
    oneLine(d, "tm/a/1/funcName.fun", "一次函数");
    d.write("tm/a/1/good.txt", markup({"function", "x", "2", "zs"}));
    d.write("tm/a/1/bad.txt", markup({"function", "fs", "{", "x"}) + "\xff\xff\r\n");
    d.write("tm/a/1/spaced.txt", markup({"function ", "x"}));
    ToolRun r = cli("bank " + d.path() + " --list --lang en");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(splitLines(r.out), (std::vector<std::string>{
                                "version 3.0", "toplevel 0 函数", "category 0 parent=0 aggregate=0 questions=3 一次函数",
                                "category 1 parent=0 aggregate=1 questions=3 ★函数★所有题目",
                                "question 0 1 tm/a/1/bad.txt", "question 0 2 tm/a/1/good.txt",
                                "question 0 3 tm/a/1/spaced.txt", "question 1 1 tm/a/1/bad.txt",
                                "question 1 2 tm/a/1/good.txt", "question 1 3 tm/a/1/spaced.txt"}));
    EXPECT_EQ(splitLines(r.err), (std::vector<std::string>{"tm/a/1/bad.txt:2:1: \"fs\" needs two items before it",
                                                      "tm/a/1/bad.txt:5:1: bytes that are not valid CP936",
                                                      "tm/a/1/bad.txt:3:1: \"{\" is never closed",
                                                      "tm/a/1/spaced.txt:1:1: the first line is \"function\" with spaces around it",
                                                      "3 questions, 4 errors, 0 warnings"}));
    r = cli("bank " + d.path());
    EXPECT_NE(r.err.find("tm/a/1/bad.txt:2:1: “fs”前面需要两项"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("tm/a/1/spaced.txt:1:1: 第一行应为“function”，不能带空格"), std::string::npos) << r.err;
    d.write("tm/a/1/bad.txt", markup({"function"}));
    d.write("tm/a/1/spaced.txt", markup({"function"}));
    EXPECT_EQ(cli("bank " + d.path()).status, 0);
}

TEST(Cli, TheCheckerWarnsOfTheTrapsABankAuthorFallsInto) {
    TempDir d;
    oneLine(d, "tm/FuncVer.fun", "3.0");
    oneLine(d, "tm/a/funcMenu.fun", "函数");
    oneLine(d, "tm/a/1/funcName.fun", "一次函数");
    oneLine(d, "tm/a/2/funcName.fun", "二次函数");
    d.write("tm/a/1/q1.txt", markup({"function", "x", "2", "zs "}));
    d.write("tm/a/1/q10.txt", markup({"function", "x"}));
    d.write("tm/a/1/q2.txt", "function\n求\xF0\x9F\x98\x80的值\n");             // UTF-8, LF, no CP936 form
    d.write("tm/a/1/q2.txt~", markup({"function", "backup"}));
    d.write("tm/a/1/.q3.txt.swp", "x");
    d.write("tm/a/1/figure.png", "\x89PNG");
    d.write("tm/a/2/q1.txt", markup({"function", "@plot ellipse-x:5,4+1011", "y"}));
    ToolRun r = cli("bank " + d.path() + " --list");
    EXPECT_EQ(r.status, 0) << "warnings alone do not fail: " << r.err;
    const std::vector<std::string> expected = {
        "tm/a/1/q1.txt:4:1: 警告：关键字“zs”带有空格，会当作文字显示",
        "tm/a/2/q1.txt:0: 警告：与分类“一次函数”中的文件同名：汇总分类只保留那一个",
        "tm/a/1/q2.txt:0: 警告：编号没有前导零，排在 q10.txt 之后",
    };
    for (const std::string& e : expected) EXPECT_NE(r.err.find(e), std::string::npos) << e << "\n" << r.err;
    EXPECT_EQ(r.err.find("CP936"), std::string::npos) << "a character CP936 lacks is kept, no slip: " << r.err;
    for (const char* stray : {"tm/a/1/q2.txt~", "tm/a/1/.q3.txt.swp", "tm/a/1/figure.png"})
        EXPECT_NE(r.err.find(std::string(stray) + ":0: 警告：不是题目文件，已忽略"), std::string::npos) << stray;
    // The catalogue ignores them: three questions in the first category, not six.
    EXPECT_NE(r.out.find("category 0 parent=0 aggregate=0 questions=3 一次函数"), std::string::npos) << r.out;
    EXPECT_EQ(cli("bank " + d.path() + " --strict").status, 1);
    EXPECT_NE(cli("bank " + d.path() + " --lang en").err.find("warning: keyword \"zs\" with spaces"), std::string::npos);

    // A figure the program cannot draw is an error.
    d.write("tm/a/2/q1.txt", markup({"function", "@plot ellipse-q:5,4", "y"}));
    d.write("tm/a/2/q2.txt", markup({"function", "@plot circle-general:0,0,1"}));
    r = cli("bank " + d.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("tm/a/2/q1.txt:2:7: 图形行无法识别"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("tm/a/2/q2.txt:2:7: 图形行的表达式“circle-general”会被对话框拒绝"), std::string::npos) << r.err;
}
