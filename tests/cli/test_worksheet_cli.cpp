// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>

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

} // namespace

TEST(WorksheetCli, FiveQuestionsWithAnswersInOrderSearchableAndNumberedPages) {
    Bank bank;
    TempDir d;
    const std::string pdf = d / "sheet.pdf";
    const ToolRun r = cli("worksheet " + bundledBank() + " --category " + bank.index("椭圆") +
                      " --count 5 --answers --title 椭圆测验 -o " + pdf);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("5 道题"), std::string::npos) << r.out;

    const std::string bytes = slurp(pdf);
    EXPECT_EQ(bytes.find("/Subtype /Image"), std::string::npos) << "a raster image in the PDF";
    EXPECT_NE(bytes.find("/FontFile2"), std::string::npos) << "no embedded font: text is not text";
    EXPECT_NE(run("pdfinfo " + pdf).out.find("595 x 842 pts (A4)"), std::string::npos);

    const std::string text = pdfText(pdf);
    EXPECT_EQ(text.rfind("椭圆测验1.", 0), 0u) << "the title first, then the first question";
    EXPECT_NE(text.find("求椭圆的标准方程"), std::string::npos) << "a sentence of the bank, found in the PDF";
    std::size_t at = 0;
    for (int n = 1; n <= 5; ++n) {
        const std::size_t number = numberAt(text, n, at);
        ASSERT_NE(number, std::string::npos) << "question " << n << " in\n" << text;
        const std::string run = knownRun(bank.paths("椭圆")[static_cast<std::size_t>(n - 1)]);
        ASSERT_GE(run.size(), 9u);
        const std::size_t body = text.find(run, number);
        EXPECT_NE(body, std::string::npos) << run;
        if (n < 5) { EXPECT_LT(body, numberAt(text, n + 1, number + 1)) << "question " << n << " out of order"; }
        at = number + 1;
    }
    const std::size_t answers = text.find("参考答案");
    ASSERT_NE(answers, std::string::npos);
    EXPECT_GT(answers, text.find(knownRun(bank.paths("椭圆")[4])));
    int analyses = 0;
    for (std::size_t p = answers; (p = text.find("解答与分析", p)) != std::string::npos; ++p) ++analyses;
    EXPECT_EQ(analyses, 5);

    const int pages = pdfPages(pdf);
    ASSERT_EQ(pages, 2) << "the questions on one page, the answers on a page of their own";
    EXPECT_EQ(pdfText(pdf, 1).find("参考答案"), std::string::npos);
    EXPECT_NE(pdfText(pdf, 2).find("参考答案"), std::string::npos);
    for (int p = 1; p <= pages; ++p)
        EXPECT_NE(pdfText(pdf, p).find("第" + std::to_string(p) + "页共2页"), std::string::npos) << p;
}

// Where poppler finds the words: inside margins of 2 cm, the title centred at the top, the
// page number centred in the bottom margin.
TEST(WorksheetCli, TextStaysInsideMarginsOfTwoCentimetres) {
    Bank bank;
    TempDir d;
    const std::string pdf = d / "m.pdf";
    ASSERT_EQ(cli("worksheet " + bundledBank() + " --category " + bank.index("直线与圆锥曲线的位置关系") +
                  " --answers --title 期末复习 -o " + pdf)
                  .status,
              0);
    const double mm = 72 / 25.4, width = 210 * mm, height = 297 * mm, margin = 20 * mm;
    for (int p = 1; p <= pdfPages(pdf); ++p) {
        const std::vector<PdfWord> words = pdfWords(pdf, p);
        double top = height, footLeft = width, footRight = 0;
        for (const PdfWord& w : words) {
            EXPECT_GE(w.x0, margin - 0.1) << w.text;
            EXPECT_LE(w.x1, width - margin + 0.1) << w.text;
            if (w.text == "期末复习") {
                EXPECT_NEAR((w.x0 + w.x1) / 2, width / 2, 1.0) << "the title is centred";
                EXPECT_NEAR(w.y0, margin, 0.5) << "the title starts at the top margin";
            }
            if (w.y0 > height - margin) { // the page number
                footLeft = std::min(footLeft, w.x0);
                footRight = std::max(footRight, w.x1);
            } else {
                EXPECT_LE(w.y1, height - margin + 0.1) << w.text << " runs into the bottom margin on page " << p;
                top = std::min(top, w.y0);
            }
        }
        EXPECT_NEAR((footLeft + footRight) / 2, width / 2, 1.0) << "the page number is centred";
        EXPECT_GT(words.size(), 20u) << p;
        EXPECT_NEAR(top, margin, 3.0) << "page " << p << " starts at the top margin";
    }
}

// 23 questions in large print take several pages; each question stands whole on one of them.
TEST(WorksheetCli, ALongSheetKeepsEveryQuestionOnOnePage) {
    Bank bank;
    TempDir d;
    const std::string pdf = d / "long.pdf";
    const ToolRun r = cli("worksheet " + bundledBank() + " --category " + bank.index("椭圆") + " --category " +
                      bank.index("双曲线") + " --font-size 16 -o " + pdf);
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> paths = bank.paths("椭圆");
    for (const std::string& p : bank.paths("双曲线")) paths.push_back(p);
    const int pages = pdfPages(pdf);
    ASSERT_GE(pages, 2);
    int n = 1;
    for (int p = 1; p <= pages; ++p) {
        const std::string text = pdfText(pdf, p);
        EXPECT_NE(text.find("第" + std::to_string(p) + "页共" + std::to_string(pages) + "页"), std::string::npos);
        for (std::size_t at = numberAt(text, n); at != std::string::npos; at = numberAt(text, ++n, at)) {
            const std::size_t next = numberAt(text, n + 1, at);
            const std::size_t body = text.find(knownRun(paths[static_cast<std::size_t>(n - 1)]), at);
            EXPECT_TRUE(body != std::string::npos && body < next) << "question " << n << " is not whole on page " << p;
        }
    }
    EXPECT_EQ(n - 1, static_cast<int>(paths.size())) << "every question numbered once, in order";
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
    EXPECT_EQ(text.rfind("椭圆" + date + "1.", 0), 0u) << "the default title: the category and the date\n" << text;
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
        {bankDir + e + " --count 50 -o " + out, "题数应在 1 到 12 之间"},
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
