#include <gtest/gtest.h>

#include <sys/stat.h>

#include "../dialogs/form_helpers.h"
#include "bank/question_reader.h"
#include "bank_helpers.h"
#include "gfx/recording_surface.h"

using namespace yhb;
using namespace yhb::test;

namespace {

struct Parsed {
    bool ok;
    std::string question, answer;
    std::vector<QuestionProblem> problems;
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
    EXPECT_FALSE(parse({"Function", "x"}).ok);
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

    EXPECT_EQ(parse({"x"}).problems.size(), 1u);
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
    CategoryPtr c = newCategory(cp936::fromUtf8("一次函数"), 0, 0);
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
        EXPECT_EQ(cp936::toUtf8(static_cast<TextItem*>(c->headerList.at(1))->text),
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

TEST(QuestionReader, StatusLineByteForByteAndUtf8OutsideCp936) {
    CategoryPtr c = newCategory(cp936::fromUtf8("一次函数"), 0, 0);
    for (int i = 0; i < 20; ++i) addQuestion(*c, "/nonexistent/" + std::to_string(i));
    readQuestion(*c, 4);
    EXPECT_EQ(static_cast<TextItem*>(c->headerList.at(0))->text,
              cp936::fromUtf8("当前<<一次函数>>题库内总的题目数为●20●,当前题号为〓■5号■〓"));
    // A character CP936 cannot hold becomes "?".
    Parsed p = parse(std::string("\xEF\xBB\xBF") + "function\r\n😀x\r\n");
    EXPECT_EQ(p.question, "?x");
}
