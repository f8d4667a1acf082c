// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "../dialogs/form_helpers.h"
#include "bank/question_navigator.h"
#include "bank_helpers.h"
#include "res/command_ids.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// One category with `n` questions whose text is their number.
struct OneCategory {
    explicit OneCategory(int n) {
        oneLine(dir, "tm/a/funcMenu.fun", "函数");
        oneLine(dir, "tm/a/c/funcName.fun", "一次函数");
        for (int i = 1; i <= n; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "%02d.txt", i);
            dir.write(std::string("tm/a/c/") + name, markup({"function", std::to_string(i).c_str(), "jd", "answer"}));
        }
        catalogue.load(dir.path());
        nav.resize(600, 400);
        nav.selectCategory(0);
    }
    std::string shown() const { return readLabel(catalogue.category(0)->questionList); }
    TempDir dir;
    Catalogue catalogue;
    QuestionNavigator nav{catalogue};
};

} // namespace

TEST(QuestionNavigator, MovesThroughTheCategoryAndGraysTheEnds) {
    OneCategory b(4);
    EXPECT_EQ(b.shown(), "1");
    EXPECT_FALSE(b.nav.menuState().firstAndPrevious);
    EXPECT_TRUE(b.nav.menuState().nextAndLast);
    b.nav.command(Command::NextQuestion);
    EXPECT_EQ(b.shown(), "2");
    b.nav.command(Command::LastQuestion);
    EXPECT_EQ(b.shown(), "4");
    EXPECT_FALSE(b.nav.menuState().nextAndLast);
    b.nav.command(Command::NextQuestion);
    EXPECT_EQ(b.shown(), "4");
    b.nav.command(Command::PrevQuestion);
    EXPECT_EQ(b.shown(), "3");
    b.nav.command(Command::FirstQuestion);
    EXPECT_EQ(b.shown(), "1");
    EXPECT_FALSE(b.nav.command(static_cast<Command>(12345)));
}

TEST(QuestionNavigator, ASingleQuestionGraysEverythingAndRandomStays) {
    OneCategory b(1);
    EXPECT_FALSE(b.nav.menuState().firstAndPrevious);
    EXPECT_FALSE(b.nav.menuState().nextAndLast);
    b.nav.command(Command::RandomQuestion);
    EXPECT_EQ(b.shown(), "1");
}

TEST(QuestionNavigator, RandomPicksShowEveryQuestionOncePerCycleWithTheFixedSequence) {
    OneCategory b(5);
    QuestionNavigator fresh(b.catalogue);
    EXPECT_EQ(fresh.rand(), 41);
    EXPECT_EQ(fresh.rand(), 18467);
    std::vector<std::string> picks;
    std::string before = b.shown();
    for (int i = 0; i < 5; ++i) {
        b.nav.command(Command::RandomQuestion);
        EXPECT_NE(b.shown(), before) << i; // never the question already on screen
        before = b.shown();
        picks.push_back(before);
    }
    EXPECT_EQ(std::set<std::string>(picks.begin(), picks.end()).size(), 5u); // one cycle: each once
    EXPECT_NE(picks[0], "1");
    // The same sequence in every run.
    OneCategory again(5);
    for (int i = 0; i < 5; ++i) {
        again.nav.command(Command::RandomQuestion);
        EXPECT_EQ(again.shown(), picks[static_cast<std::size_t>(i)]);
    }
}

TEST(QuestionNavigator, AnswerToggleAndFontLimits) {
    OneCategory b(2);
    const int without = b.nav.contentHeight;
    b.nav.command(Command::QuestionAnswer);
    EXPECT_TRUE(b.nav.answerShown);
    EXPECT_GT(b.nav.contentHeight, without);
    b.nav.command(Command::QuestionAnswer);
    EXPECT_EQ(b.nav.contentHeight, without);
    b.nav.command(Command::QuestionAnswer);
    b.nav.command(Command::NextQuestion);
    EXPECT_FALSE(b.nav.answerShown); // navigation hides it

    for (int i = 0; i < 10; ++i) b.nav.command(Command::FontLarger);
    EXPECT_EQ(b.nav.cellWidth, 47);
    EXPECT_EQ(b.nav.cellHeight, 81);
    for (int i = 0; i < 20; ++i) b.nav.command(Command::FontSmaller);
    EXPECT_EQ(b.nav.cellWidth, 8);
    EXPECT_EQ(b.nav.cellHeight, 16);
    EXPECT_EQ(b.catalogue.category(0)->questionList.at(0)->charWidth, 8);

    const int h = b.nav.contentHeight;
    b.nav.resize(600, 0); // minimised: nothing re-measured
    EXPECT_EQ(b.nav.contentHeight, h);
}

TEST(QuestionNavigator, JumpRefusesNumbersOutsideTheCategory) {
    OneCategory b(3);
    EXPECT_EQ(b.nav.jumpPrompt(), "当前■函数■分类<<一次函数>>题库内有3个题目,当前题号是:1号");
    for (int n : {0, -1, 4}) EXPECT_EQ(b.nav.jump(n), "你选择的题号不能大于3,或小于1!!请你重新选择!");
    EXPECT_EQ(b.nav.jump(3), "");
    EXPECT_EQ(b.shown(), "3");
    // As typed: numbers that wrap in 32 bits, or any length, are refused all the same.
    for (const char* typed : {"4294967297", "4294967298", "99999999999999999999999999", "-4294967295"})
        EXPECT_NE(b.nav.jump(std::string(typed)), "") << typed;
    EXPECT_EQ(b.shown(), "3");
    EXPECT_EQ(b.nav.jump(std::string("  2abc")), "");
    EXPECT_EQ(b.shown(), "2");
    EXPECT_EQ(b.nav.jump("１"), "");
    EXPECT_EQ(b.shown(), "1");
}

TEST(QuestionNavigator, BankInformationCountsEachQuestionOnce) {
    OneCategory b(3);
    const std::string info = b.nav.bankInformation();
    EXPECT_EQ(info.rfind("本题库信息:\n大类:★1★\n小类:★2★\n总题数为:★3★\n题库更新版本号为:★打开版本信息错!,请从新安装题库文件!!★\n", 0), 0u);
    EXPECT_FALSE(b.nav.selectCategory(2));
    EXPECT_FALSE(b.nav.selectCategory(-1));
}
