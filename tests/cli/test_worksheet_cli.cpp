// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <regex>
#include <sstream>

#include "../bank/bank_helpers.h"
#include "bank/worksheet.h"
#include "pdf_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// The longest run of Chinese characters in a question's first line: poppler gives such a run
// back whole, while it may space out letters and digits drawn one by one.
std::string knownRun(const std::string& path) {
    const std::string line = questionFirstLine(path, 1000);
    std::string best, run;
    for (std::size_t i = 0; i < line.size();) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        const std::string ch = line.substr(i, n);
        const bool hanzi = n == 3 && ch >= "\xE4\xB8\x80" && ch <= "\xE9\xBF\xBF"; // U+4E00 .. U+9FFF
        if (hanzi) run += ch;
        else run.clear();
        if (run.size() > best.size()) best = run;
        i += n;
    }
    return best;
}

struct Bank {
    Catalogue c;
    Bank() { c.load(bundledBank()); }
    const std::vector<std::string>& paths(const char* name) { return c.category(categoryNamed(c, name))->questionPaths; }
    std::string index(const char* name) { return std::to_string(categoryNamed(c, name)); }
};

// A UTF-8 question file from its lines.
std::string questionFile(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

// Twelve questions of the three types in a folder, chosen out of section order: five 选择题,
// three 填空题 and four 解答题; the first with a figure, one 解答题 asking for ten lines of space.
struct TwelveQuestions {
    TempDir d;
    std::string files; // --file arguments
    TwelveQuestions() {
        int n = 0;
        auto add = [&](const std::string& text) {
            const std::string name = "q" + std::to_string(++n) + ".txt";
            d.write(name, text);
            files += " --file " + quoted(d / name);
        };
        for (int i = 1; i <= 4; ++i) {
            add(questionFile({"function", "tm", "@type 选择题", "已知集合中有" + std::to_string(i) + "个元素，则它的子集个数为",
                              i == 1 ? "@plot ellipse-x:5,4+1010+1011" : "",
                              "@choice A 1", "@choice B 2", "@choice C 4", "@choice D 8", "jd", "选 C。"}));
            if (i == 2) add(questionFile({"function", "tm", "@score 10", "@space 10", "求椭圆", "{", "x", "2", "zs", "}", "{", "25", "}",
                                          "fs", "+", "{", "y", "2", "zs", "}", "{", "16", "}", "fs",
                                          "=1的焦点坐标，并说明“△ABF", "2", "xb", "”的周长为何是定值。",
                                          "jd", "焦点(±3,0)，周长4a=20。"}));
        }
        add(questionFile({"function", "tm", "@type 选择题", "函数y=x", "2", "zs", "的图像是",
                          "@choice A 一条开口向上的抛物线，它关于y轴对称，顶点在原点",
                          "@choice B 一条开口向下的抛物线", "@choice C 一条直线", "@choice D 两条射线", "jd", "选 A。"}));
        for (int i = 1; i <= 3; ++i)
            add(questionFile({"function", "tm", "@type 填空题", "计算：", "{", "1", "}", "{", std::to_string(i + 1), "}", "fs",
                              "+", "{", "1", "}", "{", std::to_string(i + 1), "}", "fs", "=______。", "jd", "略"}));
        for (int i = 1; i <= 3; ++i)
            add(questionFile({"function", "tm", "@score 12", "已知函数f(x)=x", "2", "zs", "-" + std::to_string(2 * i) + "x+1，求f(x)的最小值，并说明理由；再求它在区间[0,1]上的最大值与最小值。",
                              "jd", "配方得最小值。"}));
    }
};

struct PdfLine {
    double x0, y0, x1, y1;
    std::string text; // its words joined
};

// The words of a page as printed lines: those on one baseline in one column, left to right.
std::vector<PdfLine> printedLines(std::vector<PdfWord> words, double columnWidth) {
    std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) { return a.x0 < b.x0; });
    std::vector<PdfLine> rows;
    for (const PdfWord& w : words) {
        const int column = static_cast<int>(w.x0 / columnWidth);
        auto row = std::find_if(rows.begin(), rows.end(), [&](const PdfLine& r) {
            return static_cast<int>(r.x0 / columnWidth) == column && std::abs(r.y1 - w.y1) < 1.0;
        });
        if (row == rows.end()) rows.push_back({w.x0, w.y0, w.x1, w.y1, w.text});
        else {
            row->x1 = std::max(row->x1, w.x1);
            row->text += w.text;
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](const PdfLine& a, const PdfLine& b) { return a.y1 < b.y1; });
    return rows;
}

bool startsWithClosingMark(const std::string& text) {
    for (const char* mark : {"，", "。", "、", "；", "：", "？", "！", "）", "】", "》", "”", "’", ",", ".", ";", ":", "?", "!", ")"})
        if (text.rfind(mark, 0) == 0) return true;
    return false;
}

} // namespace

// A 12-question sheet in three sections, on A4 and on A3 in two columns: read back from the PDF.
TEST(WorksheetCli, ATwelveQuestionSheetInThreeSectionsOnA4AndA3) {
    TwelveQuestions q;
    for (const char* layout : {"a4", "a3"}) {
        const std::string pdf = q.d / (std::string(layout) + ".pdf");
        const ToolRun r = cli("worksheet " + bundledBank() + q.files + " --layout " + layout + " --title 期末测验 -o " + quoted(pdf));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("12 道题"), std::string::npos) << r.out;
        const std::string info = run("pdfinfo " + quoted(pdf)).out;
        EXPECT_NE(info.find(layout == std::string("a4") ? "595 x 842 pts (A4)" : "1191 x 842 pts (A3)"), std::string::npos) << info;

        const std::string text = pdfText(pdf);
        auto at = [&](const std::string& s, std::size_t from = 0) {
            const std::size_t p = text.find(s, from);
            EXPECT_NE(p, std::string::npos) << s << " after " << from << " in " << text;
            return p == std::string::npos ? text.size() : p;
        };
        // 5 × 5 + 3 × 5 + 10 + 3 × 12 = 86 points.
        std::size_t p = at("期末测验");
        p = at("满分86分", p);
        for (const char* field : {"班级", "姓名", "学号", "得分"}) p = at(field, p);
        const std::size_t one = at("一、选择题：本题共5小题，每小题5分，共25分。", p);
        const std::size_t two = at("二、填空题：本题共3小题，每小题5分，共15分。", one);
        const std::size_t three = at("三、解答题：本题共4小题，共46分。", two);
        EXPECT_TRUE(one < two && two < three);
        for (int n = 1, from = static_cast<int>(one); n <= 12; ++n) {
            const std::size_t number = text.find(std::to_string(n) + "．", static_cast<std::size_t>(from));
            ASSERT_NE(number, std::string::npos) << "question " << n;
            EXPECT_EQ(number < two, n <= 5) << n;
            EXPECT_EQ(number > three, n >= 9) << n;
            from = static_cast<int>(number) + 1;
        }
        for (const char* option : {"A．1", "B．2", "C．4", "D．8", "A．一条开口向上的抛物线"}) at(option, one);
        at("（10分）求椭圆", three);
        at("△ABF2", three);

        // Every page: no printed line begins with a closing mark; text within the margins.
        const int pages = pdfPages(pdf);
        const double width = layout == std::string("a4") ? 595.3 : 1190.6;
        EXPECT_GE(pages, 1);
        for (int page = 1; page <= pages; ++page) {
            for (const PdfLine& row : printedLines(pdfWords(pdf, page), width > 600 ? width / 2 : width)) {
                EXPECT_FALSE(startsWithClosingMark(row.text)) << "page " << page << ": " << row.text;
                EXPECT_GE(row.x0, 56.69 - 1) << row.text;
                EXPECT_LE(row.x1, width - 56.69 + 3) << row.text;
            }
        }
        if (layout == std::string("a3")) {
            // Two columns: text on both halves of the first page.
            bool left = false, right = false;
            for (const PdfLine& l : printedLines(pdfWords(pdf, 1), width / 2)) {
                left = left || l.x1 < 595;
                right = right || l.x0 > 595;
            }
            EXPECT_TRUE(left && right);
        }

        // The print faces embedded, the figure as paths: no raster image anywhere.
        const std::string fonts = run("pdffonts " + quoted(pdf)).out;
        EXPECT_TRUE(fonts.find("UMing") != std::string::npos || fonts.find("NotoSerifCJK") != std::string::npos) << fonts;
        EXPECT_NE(fonts.find("LiberationSerif-Italic"), std::string::npos) << fonts;
        std::istringstream rows(fonts.substr(fonts.find('\n', fonts.find("---")) + 1));
        for (std::string row; std::getline(rows, row);) {
            EXPECT_NE(row.find(" yes "), std::string::npos) << "not embedded: " << row;
        }
        const std::string images = run("pdfimages -list " + quoted(pdf)).out;
        EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << "a raster image:\n" << images;
        // The figure as a textbook prints it: its points named F₁, A₂ … (not their coordinates,
        // which a question may ask for), the axes' x, y and O, and no axis numbers among them.
        const std::vector<PdfWord> words = pdfWords(pdf, 1);
        const PdfWord* origin = nullptr;
        for (const PdfWord& w : words)
            if (w.text == "O") origin = &w;
        ASSERT_NE(origin, nullptr) << "the figure's origin O";
        std::string named;
        for (const PdfWord& w : words) {
            if (std::abs(w.x0 - origin->x0) > 80 || std::abs(w.y0 - origin->y0) > 60) continue;
            named += w.text + " ";
            EXPECT_TRUE(std::string("A B F O x y 1 2").find(w.text) != std::string::npos && w.text.size() == 1)
                << "in the figure: " << w.text;
        }
        for (const char* name : {"F 1", "F 2", "A 1", "A 2", "B 1", "B 2", "x", "y"})
            EXPECT_NE(named.find(name), std::string::npos) << name << " in " << named;
    }
}

// Fractions, exponents and the body as they are printed: parts of fractions at least 70 % of
// the body, exponents at least 60 %.
TEST(WorksheetCli, FractionsAndExponentsPrintLargeEnough) {
    TempDir d;
    d.write("q.txt", questionFile({"function", "tm", "@type 填空题", "已知7+", "{", "5", "}", "{", "9", "}", "fs", "=m", "4", "zs",
                                   "，则m=______。", "jd", "略"}));
    const std::string pdf = d / "s.pdf";
    ASSERT_EQ(cli("worksheet " + bundledBank() + " --file " + quoted(d / "q.txt") + " --title T -o " + quoted(pdf)).status, 0);
    double body = 0, fraction = 1e9, exponent = 1e9;
    for (const PdfWord& w : pdfWords(pdf)) {
        const double h = w.y1 - w.y0;
        if (w.text.rfind("7", 0) == 0) body = h;
        if (w.text == "5" || w.text == "9") fraction = std::min(fraction, h);
        if (w.text == "4") exponent = std::min(exponent, h);
    }
    ASSERT_GT(body, 0);
    ASSERT_LT(fraction, 1e9);
    ASSERT_LT(exponent, 1e9);
    EXPECT_GE(fraction / body, 0.7) << fraction << " / " << body;
    EXPECT_LT(fraction / body, 0.95) << "a fraction's parts are set smaller";
    EXPECT_GE(exponent / body, 0.6) << exponent << " / " << body;
    EXPECT_LT(exponent / body, 0.85);
    EXPECT_NEAR(body, 10.5 * 1.15, 2.5) << "10.5 pt body";
}

// A 解答题's answer space is as tall as asked; the 教师版 sets answers after the questions;
// --answers puts them on pages of their own at the end.
TEST(WorksheetCli, AnswerSpaceAndEditions) {
    TwelveQuestions q;
    const std::string base = "worksheet " + bundledBank() + q.files + " --title 测验 ";
    const std::string student = q.d / "s.pdf", teacher = q.d / "t.pdf", atEnd = q.d / "e.pdf";
    ASSERT_EQ(cli(base + "--edition student -o " + quoted(student)).status, 0);
    ASSERT_EQ(cli(base + "--edition teacher -o " + quoted(teacher)).status, 0);
    ASSERT_EQ(cli(base + "--answers -o " + quoted(atEnd)).status, 0);

    // Question 9 asks for ten lines: from its last line to number 10 at least 10 × 1.7 × 10.5 pt.
    double lastOf9 = 0, top10 = 0;
    int page9 = 0;
    for (int page = 1; page <= pdfPages(student) && !top10; ++page)
        for (const PdfLine& l : printedLines(pdfWords(student, page), 600)) {
            if (l.text.rfind("9．", 0) == 0) page9 = page;
            if (page9 == page && l.text.find("定值。") != std::string::npos) lastOf9 = l.y1;
            if (l.text.rfind("10．", 0) == 0) {
                if (page == page9) top10 = l.y0;
                break;
            }
        }
    ASSERT_GT(lastOf9, 0);
    if (top10 > 0) {
        EXPECT_GE(top10 - lastOf9, 10 * 1.7 * 10.5) << "ten lines of space";
        EXPECT_LE(top10 - lastOf9, 12 * 1.7 * 10.5);
    }

    const std::string s = pdfText(student), t = pdfText(teacher), e = pdfText(atEnd);
    EXPECT_EQ(s.find("【答案】"), std::string::npos);
    EXPECT_EQ(s.find("参考答案"), std::string::npos);
    for (int n = 1; n <= 12; ++n) {
        const std::size_t number = t.find(std::to_string(n) + "．"), next = t.find(std::to_string(n + 1) + "．");
        const std::size_t answer = t.find("【", number);
        EXPECT_TRUE(answer != std::string::npos && (n == 12 || answer < next)) << "the answer of " << n << " follows it";
    }
    EXPECT_LT(pdfPages(teacher), pdfPages(student)) << "no answer space in the 教师版";
    const int pages = pdfPages(atEnd);
    EXPECT_NE(pdfText(atEnd, pages).find("焦点(±3,0)"), std::string::npos);
    EXPECT_EQ(pdfText(atEnd, 1).find("参考答案"), std::string::npos);
    EXPECT_NE(e.find("参考答案"), std::string::npos);
}

TEST(WorksheetCli, TheSameSeedMakesTheSameSheet) {
    Bank bank;
    TempDir d;
    const std::string base = "worksheet " + bundledBank() + " --category " + bank.index("抛物线") + " --category " +
                             bank.index("圆与方程") + " --count 6 --answers --title 练习 ";
    ASSERT_EQ(cli(base + "--seed 77 -o " + (d / "a.pdf")).status, 0);
    // Made again a moment later, in another time zone: the same file, byte for byte.
    nextSecond();
    ::setenv("TZ", "Asia/Shanghai", 1);
    const int again = cli(base + "--seed 77 -o " + (d / "b.pdf")).status;
    ::unsetenv("TZ");
    ASSERT_EQ(again, 0);
    ASSERT_EQ(cli(base + "--seed 78 -o " + (d / "c.pdf")).status, 0);
    EXPECT_TRUE(slurp(d / "a.pdf") == slurp(d / "b.pdf")) << "the same sheet written twice differs";
    EXPECT_EQ(misplacedObject(slurp(d / "b.pdf")), "");
    EXPECT_NE(pdfText(d / "a.pdf"), pdfText(d / "c.pdf"));
    // Where Qt writes a document id, it is the sheet's own.
    if (!documentId(slurp(d / "a.pdf")).empty()) {
        EXPECT_NE(documentId(slurp(d / "a.pdf")), documentId(slurp(d / "c.pdf"))) << "two sheets share a document id";
    }
    // Without a seed: the first six, the first of them first.
    ASSERT_EQ(cli(base + "-o " + (d / "first.pdf")).status, 0);
    const std::string first = pdfText(d / "first.pdf");
    EXPECT_LT(first.find(knownRun(bank.paths("抛物线")[0])), first.find(knownRun(bank.paths("抛物线")[5])));
}

TEST(WorksheetCli, FilesGoOnTheSheetInTheOrderGiven) {
    Bank bank;
    TempDir d;
    const std::vector<std::string>& e = bank.paths("椭圆");
    const ToolRun r = cli("worksheet " + bundledBank() + " --file " + e[2] + " --file " + e[0] + " -o " + (d / "f.pdf"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = pdfText(d / "f.pdf");
    const std::time_t now = std::time(nullptr);
    const std::tm today = *std::localtime(&now);
    const std::string date = std::to_string(today.tm_year + 1900) + "年" + std::to_string(today.tm_mon + 1) + "月" +
                             std::to_string(today.tm_mday) + "日";
    EXPECT_EQ(text.rfind("椭圆" + date + "满分24分", 0), 0u) << "the default title: the category and the date\n" << text;
    EXPECT_LT(text.find(knownRun(e[2])), text.find(knownRun(e[0])));
    EXPECT_EQ(text.find("参考答案"), std::string::npos);
}

TEST(WorksheetCli, BadChoicesAreNamedInChineseAndNothingIsWritten) {
    Bank bank;
    TempDir d;
    const std::string out = d / "x.pdf";
    const std::string bankDir = bundledBank() + " ";
    const std::string e = " --category " + bank.index("椭圆");
    const struct {
        std::string args;
        const char* says;
    } cases[] = {
        {bankDir + "--category 99 -o " + out, "没有编号为 99 的分类"},
        {bankDir + e + " --seed 3 -o " + out, "--seed 要与 --count 一起用"},
        {bankDir + e + " --count 50 -o " + out, "题数应在 1 到 17 之间"},
        {bankDir + e + " --count 0 -o " + out, "--count 后面应是正整数题数"},
        {bankDir + e + " --file x.txt -o " + out, "二者取其一"},
        {bankDir + "-o " + out, "二者取其一"},
        {bankDir + e, "需要 -o"},
        {bankDir + e + " -o " + (d / "x.png"), "应以 .pdf 结尾"},
        {bankDir + e + " --font-size 30 -o " + out, "字号应在 8 到 24 磅之间"},
        {bankDir + e + " --font-size big -o " + out, "--font-size 后面应是字号"},
        {bankDir + "--file " + (d / "none.txt") + " -o " + out, "无法读取题目文件"},
        {(d / "empty") + e + " -o " + out, "没有题库"},
        {bankDir + e + " --bogus -o " + out, "不认识的选项 --bogus"},
        {bankDir + e + " --layout a5 -o " + out, "--layout 后面应是 a4（A4 纵向单栏）或 a3（A3 横向双栏）"},
        {bankDir + e + " --edition parent -o " + out, "--edition 后面应是 student（学生版）或 teacher（教师版）"},
        {bankDir + e + " --subtitle", "--subtitle 后面应是副标题"},
    };
    for (const auto& c : cases) {
        const ToolRun r = cli("worksheet " + c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << "\n" << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.args;
    }
    const ToolRun r = cli("worksheet " + bankDir + e + " -o " + (d / "missing/x.pdf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing/x.pdf"), std::string::npos) << r.err;
}
