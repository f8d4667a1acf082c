// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "../dialogs/form_helpers.h"
#include "bank/bank_text.h"
#include "bank/question_reader.h"
#include "bank_helpers.h"
#include "gfx/recording_surface.h"

using namespace yhb;
using namespace yhb::test;

namespace {

struct Parsed {
    bool ok;
    std::string question, answer;
    std::vector<Problem> problems;
};

Parsed parse(const std::string& bytes) {
    ItemList q(800), a(800);
    Parsed p;
    p.ok = parseQuestion(bytes, q, a, &p.problems);
    p.question = readLabel(q);
    p.answer = readLabel(a);
    return p;
}

Parsed parse(std::initializer_list<const char*> lines) { return parse(markup(lines)); }

} // namespace

TEST(QuestionReader, PostfixOperatorsBuildTheFormulas) {
    EXPECT_EQ(parse({"function", "tm", "x", "2", "zs", "+1=0"}).question, "x^2+1=0");
    EXPECT_EQ(parse({"function", "{", "x", "+1", "}", "2", "fs"}).question, "[(x|+1)/2]");
    EXPECT_EQ(parse({"function", "{{", "x+y=3", "x-y=1", "}}"}).question, "{{x+y=3|x-y=1}}");
    EXPECT_EQ(parse({"function", "1", "2", "fs", "3", "4", "fs", "}}"}).question, "{{[1/2]|[3/4]}}");
    EXPECT_EQ(parse({"function", "a", "1", "xb", "5", "gh"}).question, "a_1sqrt(5)");
    EXPECT_EQ(parse({"function", "{", "}"}).question, "()");
    // Keywords are whole lines, case-sensitive; others are text.
    EXPECT_EQ(parse({"function", "FS", " fs", "x"}).question, "FS fsx");
}

TEST(QuestionReader, ListsAndTheSharedGroupStack) {
    Parsed p = parse({"function", "q1", "jd", "a1", "tm", "q2"});
    EXPECT_EQ(p.question, "q1q2");
    EXPECT_EQ(p.answer, "a1");
    EXPECT_EQ(parse({"function", "jd", "a"}).answer, "a");
    // The "{" opened in the question closes in the answer, counting the answer's items.
    p = parse({"function", "{", "jd", "a", "b", "}"});
    EXPECT_EQ(p.answer, "(a|b)");
    // Any other first line is the natural format's first paragraph; "function" with spaces
    // is the postfix format mistyped.
    EXPECT_TRUE(parse({"Function", "x"}).ok);
    EXPECT_EQ(parse({"Function", "x"}).question, "Functionx");
    EXPECT_FALSE(parse({" function", "x"}).ok);
    EXPECT_TRUE(parse({"function"}).ok);
}

TEST(QuestionReader, MalformedInputIsIgnoredSafelyAndReported) {
    Parsed p = parse({"function", "fs", "x", "zs", "gh", "}", "y", "xb"});
    EXPECT_EQ(p.question, "sqrt(x)_y"); // too few items: "fs" and "zs" are ignored
    ASSERT_EQ(p.problems.size(), 2u);
    EXPECT_EQ(p.problems[0].line, 2);
    EXPECT_EQ(p.problems[1].line, 4);

    // Deeper than ten groups: the extra "{" and its "}" are ignored.
    std::string deep = "function\r\n";
    for (int i = 0; i < 12; ++i) deep += "{\r\n";
    deep += "x\r\n";
    for (int i = 0; i < 12; ++i) deep += "}\r\n";
    p = parse(deep);
    EXPECT_EQ(p.question, "((((((((((x))))))))))");

    p = parse({"function", "{", "{{", "x"});
    ASSERT_EQ(p.problems.size(), 2u);
    EXPECT_EQ(p.problems[0].line, 2);
    EXPECT_EQ(p.problems[1].line, 3);

    EXPECT_TRUE(parse({"x"}).problems.empty()); // a question in the natural format
}

TEST(QuestionReader, LineSplittingCutsAndZeroBytes) {
    // CR alone is a byte of the line; the last line may lack CR LF.
    Parsed p = parse(std::string("function\r\na\rb\r\nc", 16));
    EXPECT_EQ(p.question, "a\rbc");
    p = parse(std::string("function\r\nx\0y\r\n", 15));
    EXPECT_EQ(p.question, std::string("x\0y", 3)); // a zero byte is an ordinary byte
    p = parse("function\r\n" + std::string(5000, 'a') + "\r\nb");
    EXPECT_EQ(p.question, std::string(1999, 'a') + "b");
    ASSERT_EQ(p.problems.size(), 1u);
    EXPECT_EQ(p.problems[0].line, 2);
    p = parse(std::string("function\r\n\xff\xff\r\n"));
    ASSERT_EQ(p.problems.size(), 1u);
    // A valid line cut where a double-byte character would be split loses the whole
    // character, and is noted as cut, not as invalid.
    std::string chinese, shown;
    for (int i = 0; i < 1100; ++i) chinese += "\xd6\xd0"; // 中
    for (int i = 0; i < 999; ++i) shown += "中";
    p = parse("function\r\n" + chinese + "\r\nb");
    EXPECT_TRUE(p.question == shown + "b") << p.question.size() << " bytes";
    ASSERT_EQ(p.problems.size(), 1u);
    EXPECT_NE(p.problems[0].english.find("1999"), std::string::npos);
    p = parse("function\r\na" + chinese + "\r\n"); // here the cut falls between characters
    EXPECT_TRUE(p.question == "a" + shown) << p.question.size() << " bytes";
}

TEST(QuestionReader, Utf8WithAByteOrderMarkIsRead) {
    Parsed p = parse(std::string("\xEF\xBB\xBF") + "function\r\n求x\r\n");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.question, "求x");
}

TEST(QuestionReader, StatusAndErrorLines) {
    TempDir d;
    d.write("q1.txt", markup({"function", "x"}));
    d.mkdir("adir");
    CategoryPtr c = newCategory("一次函数", 0, 0);
    addQuestion(*c, d / "q1.txt");
    addQuestion(*c, d / "adir");
    addQuestion(*c, d / "gone.txt");
    EXPECT_EQ(readQuestion(*c, 0), 1);
    ASSERT_EQ(c->headerList.count(), 1);
    EXPECT_EQ(readLabel(c->headerList), "当前<<一次函数>>题库内总的题目数为●3●,当前题号为〓■1号■〓");
    EXPECT_EQ(c->headerList.textColour, rgb(0, 0, 255));
    for (int n : {1, 2}) {
        EXPECT_EQ(readQuestion(*c, n), 0);
        ASSERT_EQ(c->headerList.count(), 2);
        EXPECT_EQ(static_cast<TextItem*>(c->headerList.at(1))->text,
                  "sorry!!!读<<一次函数>>题库内第" + std::to_string(n + 1) + "号题目出错!!!!");
        EXPECT_EQ(c->headerList.textColour, rgb(255, 0, 255));
        EXPECT_EQ(readLabel(c->questionList), "x"); // the previous question stays
    }
    CategoryPtr empty = newCategory("e", 0, 0);
    EXPECT_EQ(readQuestion(*empty, 0), 0);
    EXPECT_EQ(empty->headerList.count(), 2);
}

TEST(QuestionReader, FilesBeyondTheBoundAreNotRead) {
    TempDir d;
    {
        std::ofstream f(d / "big.txt", std::ios::binary);
        f.seekp(static_cast<std::streamoff>(kMaxQuestionFileBytes));
        f.put('x');
    }
    std::string bytes;
    EXPECT_FALSE(readQuestionFile(d / "big.txt", bytes));
    EXPECT_TRUE(bytes.empty());
    // A FIFO in place of a question is refused at once, never waited on.
    ASSERT_EQ(mkfifo((d / "fifo").c_str(), 0600), 0);
    EXPECT_FALSE(readQuestionFile(d / "fifo", bytes));
    EXPECT_FALSE(readQuestionFile(d.path(), bytes));
}

TEST(QuestionReader, StatusLineByteForByteAndCharactersOutsideCp936) {
    CategoryPtr c = newCategory("一次函数", 0, 0);
    for (int i = 0; i < 20; ++i) addQuestion(*c, "/nonexistent/" + std::to_string(i));
    readQuestion(*c, 4);
    EXPECT_EQ(static_cast<TextItem*>(c->headerList.at(0))->text,
              "当前<<一次函数>>题库内总的题目数为●20●,当前题号为〓■5号■〓");
    // A character CP936 cannot hold is kept, not turned into "?", and nothing is said of it.
    Parsed p = parse(std::string("\xEF\xBB\xBF") + "function\r\n😀x ⊆∅⇒⩽x²\r\n");
    EXPECT_EQ(p.question, "😀x ⊆∅⇒⩽x²");
    EXPECT_TRUE(p.problems.empty());
}

TEST(QuestionReader, OneQuestionReadsTheSameInEveryEncodingAnEditorSaves) {
    const std::vector<const char*> lines = {"function", "已知椭圆", "x", "2", "zs", "25", "fs", "+", "y", "2", "zs", "16", "fs",
                                            "=1，求焦点。", "jd", "c=3，焦点(±3,0)。"};
    std::string cp936Crlf, utf8Lf, utf8Crlf;
    for (const char* l : lines) {
        cp936Crlf += cp936::fromUtf8(l) + "\r\n";
        utf8Lf += std::string(l) + "\n";
        utf8Crlf += std::string(l) + "\r\n";
    }
    const std::string withBom = "\xEF\xBB\xBF" + utf8Lf;
    auto trace = [](const std::string& bytes) {
        ItemList q(800), a(800);
        EXPECT_TRUE(parseQuestion(bytes, q, a));
        RecordingSurface s;
        q.setFontSize(10, 20);
        a.setFontSize(10, 20);
        const int h = q.draw(s, 0, 0, 400, 1000);
        a.draw(s, 0, h, 400, 1000);
        return s.trace();
    };
    const std::string expected = trace(cp936Crlf);
    EXPECT_NE(expected.find("已知椭圆"), std::string::npos);
    for (const std::string& other : {utf8Lf, utf8Crlf, withBom}) EXPECT_EQ(trace(other), expected);
    // Without a trailing line end the last line is still a line.
    EXPECT_EQ(trace(utf8Lf.substr(0, utf8Lf.size() - 1)), expected);
}

TEST(QuestionReader, ACp936FileKeepsItsOldRulesAndShortNamesAreNotMistakenForUtf8) {
    // A lone LF is a byte of its line in a CP936 file.
    const Parsed p = parse(cp936::fromUtf8("function\r\n甲\n乙\r\n"));
    EXPECT_EQ(p.question, "甲\n乙");
    // "圆" in CP936 (D4 B2) is also valid UTF-8; it stays CP936.
    EXPECT_EQ(oneLineText(cp936::fromUtf8("圆") + "\r\n"), "圆");
    EXPECT_EQ(oneLineText("圆\n"), "圆");
    EXPECT_EQ(oneLineText("\xEF\xBB\xBF圆锥曲线\r\n"), "圆锥曲线");
    EXPECT_EQ(oneLineText("圆锥曲线"), "圆锥曲线"); // no line end at all
    EXPECT_EQ(oneLineText("2026.12\r\n"), "2026.12");
    EXPECT_EQ(oneLineText("2026.12\n"), "2026.12"); // ASCII saved by an editor with LF
    EXPECT_EQ(oneLineText("2026.12xy"), "2026.12");
    // Either way the text comes out in UTF-8 with CR LF; a CP936 byte pair that is no character
    // is named by its line.
    std::vector<int> bad;
    EXPECT_EQ(bankText("function\n求\xF0\x9F\x98\x80\n", &bad), "function\r\n求\xF0\x9F\x98\x80\r\n");
    EXPECT_TRUE(bad.empty());
    EXPECT_EQ(bankText(cp936::fromUtf8("function\r\n求\r\n") + "\xFF\r\n", &bad), "function\r\n求\r\n\xEF\xBF\xBD\r\n");
    EXPECT_EQ(bad, std::vector<int>{3});
}

// An editor saving a question of ASCII alone (or CP936 without CR) writes LF line ends: the
// file was one line and refused as not beginning with "function".
TEST(QuestionReader, AFileWithoutCrLfReadsItsLfLineEnds) {
    const Parsed crlf = parse({"function", "x", "2", "zs", "+1=0", "jd", "x=1"});
    const Parsed lf = parse(std::string("function\nx\n2\nzs\n+1=0\njd\nx=1\n"));
    EXPECT_TRUE(lf.ok);
    EXPECT_EQ(lf.question, crlf.question);
    EXPECT_EQ(lf.answer, "x=1");
    EXPECT_TRUE(lf.problems.empty());
    EXPECT_EQ(parse(cp936::fromUtf8("function\n求\r值\n")).question, "求\r值");
}

TEST(QuestionReader, FigureLinesAreNotText) {
    ItemList q(800), a(800);
    std::vector<FigureLine> figures;
    ASSERT_TRUE(parseQuestion(markup({"function", "求椭圆的焦点。", "@plot ellipse-x:5,4+1011", "jd", "@plot circle-origin:2"}), q, a,
                              nullptr, &figures));
    EXPECT_EQ(readLabel(q), "求椭圆的焦点。");
    EXPECT_EQ(readLabel(a), "");
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_EQ(figures[0].line, 3);
    EXPECT_EQ(figures[0].text, "ellipse-x:5,4+1011");
    EXPECT_EQ(figures[1].text, "circle-origin:2");
    // "@plot" without its space, or not at the start, is text as before.
    EXPECT_EQ(parse({"function", "@plotx", " @plot a"}).question, "@plotx @plot a");
}
