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
    EXPECT_EQ(defaultSheetTitle({"★解析几何★所有题目"}, 2025, 1, 9), "解析几何所有题目 2025年1月9日");

    const std::string ellipse02 = bundledBank() + "/tm/2geom/3ellipse/ellipse02.tm";
    EXPECT_EQ(questionFirstLine(ellipse02, 500),
              "已知椭圆的焦点为F₁(-2,0)、F₂(2,0)，且经过点(0,√5)，求椭圆的标准方程。");
    // Squares and indices written as a textbook writes them in a line, x², a₁, not x^2.
    EXPECT_EQ(questionFirstLine(bundledBank() + "/tm/2geom/3ellipse/ellipse01.tm", 500), "求椭圆x²/25+y²/16=1的长轴长、短轴长、焦点坐标和离心率。");
    TempDir d;
    d.write("q.tm", "已知 $a_{n+1}=2^{x-1}+a_n^{-1}$，求 $x^{m+1}$。\n");
    EXPECT_EQ(questionFirstLine(d / "q.tm", 500), "已知 aₙ₊₁=2^(x-1)+aₙ⁻¹，求 x^(m+1)。");
    // Cut short on a character boundary, never inside one.
    for (std::size_t max : {15u, 16u, 17u}) {
        const std::string cut = questionFirstLine(ellipse02, max);
        EXPECT_TRUE(isValidUtf8(cut)) << max;
        EXPECT_EQ(cut.rfind("已知椭圆的焦点", 0), 0u) << cut;
        EXPECT_LE(cp936::cp936Width(cut), static_cast<int>(max) + 2);
    }
    EXPECT_EQ(questionFirstLine(bundledBank() + "/tm/no-such-file.txt"), "");
}

