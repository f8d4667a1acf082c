// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QScrollBar>

#include <chrono>

#include "bank/qt/jump_dialog.h"
#include "res/command_ids.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

TEST(QuestionWindow, TheBankMenuOpensACategoryAndClosingOnlyHides) {
    App app;
    QuestionWindow* q = app.window->questionWindow();
    EXPECT_EQ(q->objectName(), "functionTm");
    EXPECT_FALSE(q->isVisible());
    EXPECT_NE(q->windowTitle().indexOf("||题库版本号为2026.12||"), -1);
    app.window->command(cmd::BankCategoryBase + 1);
    EXPECT_TRUE(q->isVisible());
    EXPECT_EQ(app.catalogue.currentCategory, 1);
    EXPECT_FALSE(q->action(Command::FirstQuestion)->isEnabled());
    EXPECT_FALSE(q->action(Command::PrevQuestion)->isEnabled());
    EXPECT_TRUE(q->action(Command::NextQuestion)->isEnabled());
    q->command(Command::LastQuestion);
    EXPECT_FALSE(q->action(Command::NextQuestion)->isEnabled());
    EXPECT_FALSE(q->action(Command::LastQuestion)->isEnabled());
    q->close();
    EXPECT_FALSE(q->isVisible());
    // Out-of-range categories are ignored.
    app.window->command(cmd::BankCategoryBase + 99);
    EXPECT_EQ(app.catalogue.currentCategory, 1);
}

TEST(QuestionWindow, MenuBarOrderAndScrolling) {
    App app;
    QuestionWindow* q = app.window->questionWindow();
    q->resize(400, 300);
    app.window->command(cmd::BankCategoryBase + 5);
    q->command(Command::QuestionAnswer);
    EXPECT_TRUE(q->navigator().answerShown);
    EXPECT_GT(q->scrollBar()->maximum(), 0);
    q->scrollBar()->setValue(3);
    const QImage scrolled = q->render();
    q->scrollBar()->setValue(0);
    EXPECT_NE(q->render(), scrolled);
    q->command(Command::NextQuestion);
    EXPECT_FALSE(q->navigator().answerShown);
}

TEST(QuestionWindow, JumpDialogRefusesAndAccepts) {
    App app;
    QuestionWindow* q = app.window->questionWindow();
    app.window->command(cmd::BankCategoryBase);
    const int n = app.catalogue.category(0)->questionCount();
    ASSERT_GT(n, 1);
    JumpDialog d(q->navigator(), app.notifier, q);
    d.show();
    d.edit()->setText("0");
    d.command(DialogButton::Ok);
    d.edit()->setText(QString::number(n + 1));
    d.command(DialogButton::Ok);
    ASSERT_EQ(app.notifier.messages.size(), 2u);
    EXPECT_EQ(app.notifier.messages[0].text, "你选择的题号不能大于" + std::to_string(n) + ",或小于1!!请你重新选择!");
    EXPECT_EQ(app.notifier.messages[1].text, app.notifier.messages[0].text);
    EXPECT_EQ(app.notifier.messages[0].caption, "");
    EXPECT_TRUE(d.edit()->text().isEmpty());
    EXPECT_TRUE(d.isVisible());
    d.edit()->setText(QString::number(n));
    d.command(DialogButton::Ok);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(app.catalogue.category(0)->currentQuestion, n - 1);
}

TEST(QuestionWindow, FirstQuestionThenNext) {
    App app;
    QuestionWindow* q = app.window->questionWindow();
    app.window->command(cmd::BankCategoryBase + 4);
    ASSERT_TRUE(q->isVisible());
    BankCategory* c = app.catalogue.category(4);
    EXPECT_EQ(c->currentQuestion, 0);
    EXPECT_GT(c->questionList.count(), 0);
    q->command(Command::NextQuestion);
    EXPECT_EQ(c->currentQuestion, 1);
    EXPECT_TRUE(q->action(Command::PrevQuestion)->isEnabled());
}

// Questions with a fraction, a root and a system, with their answers, at the start size and
// after two 放大; saved for looking at.
TEST(QuestionWindow, Screenshots) {
    App app;
    QuestionWindow* q = app.window->questionWindow();
    q->resize(760, 560);
    struct Shot {
        int category, question;
        const char* name;
    } shots[] = {{6, 1, "fraction"}, {5, 4, "root"}, {0, 0, "system"}};
    for (const Shot& s : shots) {
        for (int zoom = 0; zoom <= 2; zoom += 2) {
            app.window->command(cmd::BankCategoryBase + s.category);
            app.catalogue.category(s.category)->currentQuestion = s.question;
            q->reload();
            for (int i = 0; i < zoom; ++i) q->command(Command::FontLarger);
            q->command(Command::QuestionAnswer);
            EXPECT_GT(countColour(q->render(), qRgb(255, 0, 255)), 200); // the answer in magenta
            EXPECT_TRUE(q->grab().save(QString::fromStdString(testOutputDir() + "/question-" + s.name + "-zoom" +
                                                               std::to_string(zoom) + ".png")));
            for (int i = 0; i < zoom; ++i) q->command(Command::FontSmaller);
        }
    }
}

// A question of a hundred thousand nested systems of equations (800 KB) froze the window for
// two minutes and then overflowed the stack: now it opens, with its answer, at once
// (Q_DeepFormula measures how fast).
TEST(QuestionWindow, AHundredThousandNestedSystemsOpenAtOnce) {
    TempDir d;
    d.write("tm/FuncVer.fun", "1.0\r\n");
    d.write("tm/a/funcMenu.fun", "a\r\n");
    d.write("tm/a/1/funcName.fun", "b\r\n");
    std::string nested = "function\r\n";
    for (int i = 0; i < 100000; ++i) nested += "{{\r\n";
    nested += "x+y=3\r\nx-y=1\r\n";
    for (int i = 0; i < 100000; ++i) nested += "}}\r\n";
    d.write("tm/a/1/q.txt", nested + "jd\r\nx=2\r\n");
    App app(d.path());
    QuestionWindow* q = app.window->questionWindow();
    q->resize(600, 400);
    const auto t0 = std::chrono::steady_clock::now();
    app.window->command(cmd::BankCategoryBase);
    q->command(Command::QuestionAnswer);
    settle();
    const QImage shown = q->render();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_TRUE(q->isVisible());
    // About 0.2 s; the bound only tells a freeze from a working window on a busy machine.
    EXPECT_LT(seconds, 30.0);
    EXPECT_GT(countColour(shown, qRgb(0, 0, 0)), 200);     // the braces and the equations
    EXPECT_GT(countColour(shown, qRgb(255, 0, 255)), 20);  // the answer
}

// A 选择题 says its type, score and space in "@" lines: the window shows none of them, and its
// options under the text, one a line, as if written there (two categories of one name, so
// that the headers match).
TEST(QuestionWindow, AQuestionsAtLinesAreNotShownButItsOptionsAre) {
    TempDir d;
    d.write("tm/FuncVer.fun", "1.0\r\n");
    d.write("tm/a/funcMenu.fun", "a\r\n");
    for (const char* k : {"1", "2"}) d.write(std::string("tm/a/") + k + "/funcName.fun", "b\r\n");
    d.write("tm/a/1/q.tm", "@type 选择题\n@score 5\n下列数中最大的是\n@choice A 1\n@choice B 2\n@space 3\n## 解答\n选 B。\n");
    d.write("tm/a/2/q.txt", "function\r\n下列数中最大的是\r\n\r\nA．\r\n1\r\n\r\nB．\r\n2\r\njd\r\n选 B。\r\n");
    App app(d.path());
    QuestionWindow* q = app.window->questionWindow();
    q->resize(600, 400);
    QImage shown[2];
    for (int k = 0; k < 2; ++k) {
        app.window->command(cmd::BankCategoryBase + k);
        ASSERT_EQ(app.catalogue.currentCategory, k);
        q->command(Command::QuestionAnswer);
        settle();
        shown[k] = q->render();
    }
    EXPECT_GT(countColour(shown[0], qRgb(0, 0, 0)), 50);
    EXPECT_TRUE(shown[0] == shown[1]) << "the @ lines drew something, or the options were not shown as written";
}
