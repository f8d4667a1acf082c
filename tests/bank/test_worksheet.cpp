// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>

#include "bank/bank_text.h"
#include "bank/catalogue.h"
#include "bank/question_reader.h"
#include "bank/worksheet.h"
#include "bank_helpers.h"
#include "gfx/recording_surface.h"

using namespace yhb;
using namespace yhb::test;
using Kind = RecordingSurface::Kind;

namespace {

// The text of a question's first text item: what follows its number on the sheet.
std::string firstText(const std::string& path, bool answer = false) {
    std::string bytes;
    EXPECT_TRUE(readQuestionFile(path, bytes));
    ItemList q(50), a(50);
    parseQuestion(bytes, q, a);
    for (const DrawItem* item : (answer ? a : q).display())
        if (const auto* t = dynamic_cast<const TextItem*>(item)) return t->text;
    return {};
}

struct Drawn {
    int page;
    const RecordingSurface::Op* op;
};

// Every page drawn; the texts in drawing order with their pages.
struct Sheet {
    std::vector<RecordingSurface> pages;
    std::vector<Drawn> texts;
    explicit Sheet(const Worksheet& w) : pages(static_cast<std::size_t>(w.pageCount())) {
        for (int p = 0; p < w.pageCount(); ++p) w.paintPage(pages[static_cast<std::size_t>(p)], p);
        for (int p = 0; p < w.pageCount(); ++p)
            for (const auto* op : pages[static_cast<std::size_t>(p)].ofKind(Kind::Text)) texts.push_back({p, op});
    }
    // Position in `texts` of the first text equal to `utf8` at or after `from`; -1 if none.
    int find(const std::string& utf8, int from = 0) const {
        for (int i = std::max(from, 0); i < static_cast<int>(texts.size()); ++i)
            if (texts[static_cast<std::size_t>(i)].op->text == utf8) return i;
        return -1;
    }
};

std::unique_ptr<Worksheet> sheetOf(const std::vector<std::string>& paths, const SheetStyle& style) {
    auto w = std::make_unique<Worksheet>();
    Problem error;
    EXPECT_TRUE(w->load(paths, error)) << error.message;
    EXPECT_TRUE(w->layout(style, error)) << error.message;
    return w;
}

} // namespace

// ---- picking ---------------------------------------------------------------------

TEST(WorksheetPick, FirstRandomAndAllFromSeveralCategories) {
    Catalogue c;
    c.load(bundledBank());
    const int ellipse = categoryNamed(c, "椭圆"), circle = categoryNamed(c, "圆与方程");
    const std::vector<std::string> both = sheetCandidates(c, {ellipse, circle});
    ASSERT_EQ(both.size(), c.category(ellipse)->questionPaths.size() + c.category(circle)->questionPaths.size());
    EXPECT_EQ(both.front(), c.category(ellipse)->questionPaths.front()) << "the categories in the order chosen";

    std::vector<std::string> picked;
    Problem error;
    ASSERT_TRUE(pickSheetQuestions(both, SheetPick::First, 15, 0, picked, error));
    EXPECT_EQ(picked, std::vector<std::string>(both.begin(), both.begin() + 15));
    ASSERT_TRUE(pickSheetQuestions(both, SheetPick::All, 0, 0, picked, error));
    EXPECT_EQ(picked, both);

    // Drawn at random: distinct, in the bank's order, and again the same for the same seed.
    std::set<std::vector<std::string>> sheets;
    for (std::uint32_t seed : {1u, 2u, 3u, 20240501u}) {
        std::vector<std::string> a, b;
        ASSERT_TRUE(pickSheetQuestions(both, SheetPick::Random, 10, seed, a, error));
        ASSERT_TRUE(pickSheetQuestions(both, SheetPick::Random, 10, seed, b, error));
        EXPECT_EQ(a, b) << seed;
        ASSERT_EQ(a.size(), 10u);
        EXPECT_EQ(std::set<std::string>(a.begin(), a.end()).size(), 10u);
        std::size_t last = 0;
        for (const std::string& p : a) {
            const std::size_t at = static_cast<std::size_t>(std::find(both.begin(), both.end(), p) - both.begin());
            ASSERT_LT(at, both.size());
            EXPECT_TRUE(p == a.front() || at > last) << "not in the bank's order";
            last = at;
        }
        sheets.insert(a);
    }
    EXPECT_EQ(sheets.size(), 4u) << "different seeds should draw different sheets";
}

TEST(WorksheetPick, AnAggregateAndItsCategoriesGiveEachQuestionOnce) {
    Catalogue c;
    c.load(bundledBank());
    int aggregate = -1;
    for (int i = 0; i < c.categoryCount(); ++i)
        if (c.category(i)->aggregate && c.category(i)->parent == 1) aggregate = i;
    ASSERT_GE(aggregate, 0);
    const int ellipse = categoryNamed(c, "椭圆");
    const std::vector<std::string> all = sheetCandidates(c, {ellipse, aggregate, 999, -1});
    EXPECT_EQ(all.size(), c.category(aggregate)->questionPaths.size());
    EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size());
}

TEST(WorksheetPick, CountsThatDoNotFitAreRefusedInChinese) {
    const std::vector<std::string> three = {"a", "b", "c"};
    std::vector<std::string> picked = {"kept"};
    Problem error;
    for (int count : {0, -1, 4}) {
        EXPECT_FALSE(pickSheetQuestions(three, SheetPick::Random, count, 7, picked, error)) << count;
        EXPECT_NE(error.message.find("题数应在 1 到 3 之间"), std::string::npos) << error.message;
        EXPECT_EQ(picked, std::vector<std::string>{"kept"});
    }
    EXPECT_FALSE(pickSheetQuestions({}, SheetPick::All, 0, 0, picked, error));
    EXPECT_EQ(error.message, "所选分类中没有题目");
    ASSERT_TRUE(pickSheetQuestions(three, SheetPick::Random, 3, 7, picked, error));
    EXPECT_EQ(picked, three);
}

TEST(WorksheetPick, TheGeneratorIsEvenAndRepeatable) {
    SheetRandom a(99), b(99);
    std::vector<int> counts(6);
    for (int i = 0; i < 60000; ++i) {
        const std::uint32_t r = a.below(6);
        ASSERT_LT(r, 6u);
        ASSERT_EQ(r, b.below(6));
        ++counts[r];
    }
    for (int n : counts) EXPECT_NEAR(n, 10000, 400);
    EXPECT_EQ(a.below(0), 0u);
}

TEST(WorksheetPick, TitlesAndFirstLines) {
    EXPECT_EQ(defaultSheetTitle({"椭圆"}, 2024, 5, 1), "椭圆 2024年5月1日");
    EXPECT_EQ(defaultSheetTitle({"椭圆", "抛物线"}, 2024, 12, 31), "椭圆、抛物线 2024年12月31日");
    EXPECT_EQ(defaultSheetTitle({"甲", "乙", "丙", "丁"}, 2025, 1, 9), "甲、乙、丙等 2025年1月9日");
    EXPECT_EQ(defaultSheetTitle({}, 2025, 1, 9), "2025年1月9日");

    const std::string ellipse02 = bundledBank() + "/tm/2geom/3ellipse/ellipse02.txt";
    EXPECT_EQ(questionFirstLine(ellipse02, 500),
              "已知椭圆的焦点为F1(-2,0)、F2(2,0)，且经过点(0,√5)，求椭圆的标准方程。");
    // Cut short on a character boundary, never inside one.
    for (std::size_t max : {15u, 16u, 17u}) {
        const std::string cut = questionFirstLine(ellipse02, max);
        EXPECT_TRUE(isValidUtf8(cut)) << max;
        EXPECT_EQ(cut.rfind("已知椭圆的焦点", 0), 0u) << cut;
        EXPECT_LE(cp936::cp936Width(cut), static_cast<int>(max) + 2);
    }
    EXPECT_EQ(questionFirstLine(bundledBank() + "/tm/no-such-file.txt"), "");
}

// ---- the sheet --------------------------------------------------------------------

TEST(Worksheet, FiveQuestionsWithAnswersAreNumberedInOrderAndTheAnswersFollowOnANewPage) {
    Catalogue c;
    c.load(bundledBank());
    std::vector<std::string> paths;
    Problem error;
    ASSERT_TRUE(pickSheetQuestions(sheetCandidates(c, {categoryNamed(c, "椭圆")}), SheetPick::First, 5, 0, paths, error));
    const std::unique_ptr<Worksheet> ws = sheetOf(paths, {"椭圆 测验", true, 12});
    const Worksheet& w = *ws;
    ASSERT_EQ(w.questionCount(), 5);
    const Sheet s(w);

    int at = s.find("椭圆 测验");
    ASSERT_EQ(at, 0) << "the title comes first";
    const auto* title = s.texts[0].op;
    EXPECT_NEAR(title->l + cp936::cp936Width(title->text) * title->font.width / 2.0, kSheetPageWidth / 2.0, title->font.width)
        << "the title is centred";
    int lastQuestionPage = 0;
    for (int n = 1; n <= 5; ++n) {
        at = s.find(std::to_string(n) + ".", at);
        ASSERT_GE(at, 0) << "question " << n;
        const Drawn& number = s.texts[static_cast<std::size_t>(at)];
        EXPECT_EQ(number.op->l, kSheetMargin);
        EXPECT_EQ(s.texts[static_cast<std::size_t>(at + 1)].op->text, firstText(paths[static_cast<std::size_t>(n - 1)]))
            << "question " << n << " follows its number";
        lastQuestionPage = number.page;
    }
    const int heading = s.find("参考答案", at);
    ASSERT_GT(heading, at);
    EXPECT_GT(s.texts[static_cast<std::size_t>(heading)].page, lastQuestionPage) << "the answers start on a new page";
    EXPECT_EQ(s.texts[static_cast<std::size_t>(heading)].op->t, kSheetMargin);
    at = heading;
    for (int n = 1; n <= 5; ++n) {
        at = s.find(std::to_string(n) + ".", at);
        ASSERT_GE(at, 0) << "answer " << n;
        EXPECT_EQ(s.texts[static_cast<std::size_t>(at + 1)].op->text, "解答与分析:");
    }
    // Every page says which of how many it is, at its foot.
    for (int p = 0; p < w.pageCount(); ++p) {
        const auto texts = s.pages[static_cast<std::size_t>(p)].ofKind(Kind::Text);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back()->text,
                  "第 " + std::to_string(p + 1) + " 页 共 " + std::to_string(w.pageCount()) + " 页");
        EXPECT_GT(texts.back()->t, kSheetPageHeight - kSheetMargin);
    }
}

TEST(Worksheet, WithoutAnswersThereIsNoAnswerSectionAndNoTitleWhenItIsEmpty) {
    Catalogue c;
    c.load(bundledBank());
    const std::vector<std::string> paths(c.category(0)->questionPaths.begin(), c.category(0)->questionPaths.begin() + 3);
    const std::unique_ptr<Worksheet> ws = sheetOf(paths, {"", false, 12});
    const Worksheet& w = *ws;
    const Sheet s(w);
    EXPECT_EQ(w.pageCount(), 1);
    EXPECT_EQ(s.find("参考答案"), -1);
    EXPECT_EQ(s.texts.front().op->text, "1.");
    EXPECT_EQ(s.texts.front().op->t, kSheetMargin);
    EXPECT_EQ(s.find("解答与分析:"), -1);
}

// Thirty questions in large print: pages break between questions, each question whole, and a
// question goes to the next page only when it would not fit on this one.
TEST(Worksheet, PagesBreakBetweenQuestionsOnlyWhereNeeded) {
    Catalogue c;
    c.load(bundledBank());
    std::vector<std::string> paths;
    Problem error;
    ASSERT_TRUE(pickSheetQuestions(sheetCandidates(c, {categoryNamed(c, "椭圆"), categoryNamed(c, "双曲线"),
                                                       categoryNamed(c, "抛物线")}),
                                   SheetPick::First, 30, 0, paths, error));
    for (double points : {10.5, 16.0, 24.0}) {
        const std::unique_ptr<Worksheet> ws = sheetOf(paths, {"标题", true, points});
        const Worksheet& w = *ws;
        ASSERT_GT(w.pageCount(), 2) << points;
        const int gap = sheetCell(points).height / 2;
        const auto& pieces = w.pieces();
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const Worksheet::Piece& p = pieces[i];
            EXPECT_FALSE(p.part) << "block " << i << " split at " << points;
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.y + p.to - p.from, kSheetTextHeight) << "block " << i << " runs off its page";
            if (i == 0) continue;
            const Worksheet::Piece& q = pieces[i - 1];
            if (p.page == q.page) {
                EXPECT_GE(p.y, q.y + q.to - q.from) << "blocks overlap";
            } else if (p.kind != Worksheet::Kind::AnswersHeading) {
                EXPECT_EQ(p.y, 0);
                EXPECT_GT(q.y + (q.to - q.from) + gap + (p.to - p.from), kSheetTextHeight)
                    << "block " << i << " would have fitted on the page before";
            }
        }
    }
}

// A question longer than a page is the one that is split: between its lines, never through one.
TEST(Worksheet, AQuestionLongerThanAPageIsCutBetweenLines) {
    TempDir d;
    std::string text = markup({"function", "tm"});
    for (int i = 0; i < 400; ++i)
        text += cp936::fromUtf8("第" + std::to_string(i) + "行：已知函数") + "\r\nx\r\n2\r\nzs\r\n\r\n";
    d.write("long.txt", text);
    const std::unique_ptr<Worksheet> ws = sheetOf({d / "long.txt"}, {"", false, 14});
    const Worksheet& w = *ws;
    ASSERT_GT(w.pageCount(), 2);
    std::vector<std::pair<int, int>> clips;
    std::map<std::string, int> seen; // every line drawn whole, in exactly one part
    for (int p = 0; p < w.pageCount(); ++p) {
        RecordingSurface page;
        int top = 0, bottom = 0; // one part per page here: the clip it was drawn in
        w.paintPage(page, p, [&](bool on, int t, int b) {
            if (!on) return;
            top = t;
            bottom = b;
            clips.emplace_back(t, b);
        });
        EXPECT_LE(bottom, kSheetPageHeight - kSheetMargin) << "a part runs into the foot of page " << p + 1;
        for (const auto* op : page.ofKind(Kind::Text)) {
            if (op->t >= kSheetPageHeight - kSheetMargin) continue; // the footer
            const bool inside = op->t >= top && op->t + op->font.height <= bottom;
            const bool outside = op->t + op->font.height <= top || op->t >= bottom;
            EXPECT_TRUE(inside || outside) << "a line cut through on page " << p + 1 << ": " << op->text;
            if (inside && op->text.find("行：") != std::string::npos) ++seen[op->text];
        }
    }
    EXPECT_EQ(static_cast<int>(clips.size()), w.pageCount());
    EXPECT_EQ(seen.size(), 400u);
    for (const auto& [line, n] : seen) EXPECT_EQ(n, 1) << line;
}

TEST(Worksheet, BadFilesAndSizesAreRefusedByNameAndChangeNothing) {
    TempDir d;
    d.write("good.txt", markup({"function", "tm", "甲题", "jd", "答"}));
    d.write("noanswer.txt", markup({"function", "tm", "乙题"}));
    d.write("bad.txt", markup({"question", "tm", "丙"}));
    Worksheet w;
    Problem error;
    ASSERT_TRUE(w.load({d / "good.txt", d / "noanswer.txt"}, error));
    ASSERT_TRUE(w.layout({"", true, 12}, error));
    const int pages = w.pageCount();

    EXPECT_FALSE(w.load({d / "good.txt", d / "missing.txt"}, error));
    EXPECT_EQ(error.message, "无法读取题目文件“" + (d / "missing.txt") + "”");
    EXPECT_FALSE(w.load({d / "bad.txt"}, error));
    EXPECT_EQ(error.message, "题目文件“" + (d / "bad.txt") + "”的第一行不是“function”");
    EXPECT_FALSE(w.load({}, error));
    EXPECT_EQ(error.message, "没有选择任何题目");
    for (double points : {7.9, 24.5, std::nan("")}) {
        EXPECT_FALSE(w.layout({"", true, points}, error));
        EXPECT_EQ(error.message, "字号应在 8 到 24 磅之间");
    }
    EXPECT_EQ(w.questionCount(), 2);
    EXPECT_EQ(w.pageCount(), pages);
    const Sheet s(w);
    EXPECT_GE(s.find("（本题没有解答）"), 0) << "a question without an answer says so";
}
