// SPDX-License-Identifier: GPL-3.0-or-later
// A teacher's own questions: UTF-8 files previewed and read again, the bank reloaded, keys for
// presenting, whole-question pictures and figures that open in the main window.
#include <gtest/gtest.h>

#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include "../bank/bank_helpers.h"
#include "gfx/recording_surface.h"
#include "plot/curve.h"
#include "res/command_ids.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// Sixty lines of question, then, as long, the answer.
std::string longQuestion(const std::string& firstLine = "第0行很长的题目文字，用来滚动。") {
    std::string q = "function\n" + firstLine + "\n";
    for (int i = 1; i < 60; ++i) q += "第" + std::to_string(i) + "行很长的题目文字，用来滚动。\n";
    q += "jd\n";
    for (int i = 0; i < 60; ++i) q += "解答第" + std::to_string(i) + "行。\n";
    return q;
}

// A small bank of our own: two categories, the first with three questions, one with a figure.
struct OwnBank {
    TempDir d;
    OwnBank() {
        d.write("tm/FuncVer.fun", "2026.12\n");
        d.write("tm/1/funcMenu.fun", "解析几何\n");
        d.write("tm/1/1/funcName.fun", "椭圆\n");
        d.write("tm/1/1/q01.txt", "function\n求椭圆的焦点。\n@plot ellipse-x:5,4+1011 circle-origin:3\njd\nc=3\n");
        d.write("tm/1/1/q02.txt", longQuestion());
        d.write("tm/1/1/q03.txt", "function\n第三题\n");
        d.write("tm/1/2/funcName.fun", "双曲线\n");
        d.write("tm/1/2/q01.txt", "function\n双曲线题\n");
    }
};

// The bank menu as a teacher reads it: each popup's title, then its items.
std::vector<std::string> bankMenuTitles(MainWindow& w) {
    std::vector<std::string> out;
    for (QAction* popup : w.bankMenu()->actions()) {
        if (!popup->menu()) continue;
        out.push_back(popup->text().toStdString());
        for (QAction* item : popup->menu()->actions()) out.push_back(item->text().toStdString());
    }
    return out;
}

struct BankApp {
    OwnBank bank;
    App app{bank.d / ""};
    QuestionWindow* q() { return app.window->questionWindow(); }
    std::string shownText() {
        return static_cast<const TextItem*>(app.catalogue.current()->questionList.at(0))->text;
    }
};

} // namespace

TEST(QuestionAuthoring, UtfEightFilesReadAsTheyAreSaved) {
    BankApp b;
    EXPECT_EQ(bankMenuTitles(*b.app.window), (std::vector<std::string>{"解析几何", "椭圆", "双曲线", "★解析几何★所有题目"}));
    b.app.window->command(cmd::BankCategoryBase);
    EXPECT_EQ(b.shownText(), "求椭圆的焦点。");
    EXPECT_NE(b.q()->windowTitle().indexOf("2026.12"), -1);
}

TEST(QuestionAuthoring, PresenterKeysMoveThroughTheQuestionsAndEachStartsAtTheTop) {
    BankApp b;
    QuestionWindow* q = b.q();
    q->resize(500, 300);
    b.app.window->command(cmd::BankCategoryBase);
    q->activateWindow();
    settle();
    auto key = [&](Qt::Key k) {
        QTest::keyClick(q->windowHandle(), k);
        settle();
        return b.app.catalogue.current()->currentQuestion;
    };
    EXPECT_EQ(key(Qt::Key_PageDown), 1);
    ASSERT_GT(q->scrollBar()->maximum(), 2);
    q->scrollBar()->setValue(2);
    EXPECT_EQ(key(Qt::Key_Right), 2);
    EXPECT_EQ(q->scrollBar()->value(), 0) << "a new question starts at its top";
    EXPECT_EQ(key(Qt::Key_PageUp), 1);
    EXPECT_EQ(key(Qt::Key_Left), 0);
    EXPECT_EQ(key(Qt::Key_End), 2);
    EXPECT_EQ(key(Qt::Key_Home), 0);
    EXPECT_EQ(key(Qt::Key_Space), 1);
    EXPECT_EQ(key(Qt::Key_N), 2); // the old accelerator still works
    QTest::keyClick(q->windowHandle(), Qt::Key_F, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(q->navigator().answerShown);
}

TEST(QuestionAuthoring, TheWholeQuestionIsSavedNotOnlyWhatIsOnScreen) {
    BankApp b;
    QuestionWindow* q = b.q();
    q->resize(500, 300);
    b.app.window->command(cmd::BankCategoryBase);
    q->command(Command::NextQuestion);
    settle();
    q->scrollBar()->setValue(3);
    const QImage whole = q->renderWhole();
    EXPECT_EQ(whole.height(), q->navigator().contentHeight);
    EXPECT_GT(whole.height(), 2 * q->render().height());
    // The last line has ink near the bottom of the picture; the screen is left as it was.
    bool inkAtBottom = false;
    for (int x = 0; x < whole.width() && !inkAtBottom; ++x)
        for (int y = whole.height() - 60; y < whole.height(); ++y) inkAtBottom = inkAtBottom || whole.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_TRUE(inkAtBottom);
    EXPECT_EQ(q->scrollBar()->value(), 3);
    EXPECT_EQ(q->navigator().clientHeight, q->render().height());
}

TEST(QuestionAuthoring, AFileOpenedForPreviewIsReadAgainOnF5) {
    BankApp b;
    QuestionWindow* q = b.q();
    TempDir own;
    own.write("我的题/mine.txt", "function\n求值：\n1\n2\nfs\n");
    q->openQuestionFile(own / "我的题/mine.txt");
    settle();
    ASSERT_TRUE(q->isVisible());
    RecordingSurface first;
    q->navigator().paint(first, 0);
    EXPECT_NE(first.trace().find("<<我的题>>"), std::string::npos);
    EXPECT_NE(first.trace().find("求值："), std::string::npos);
    own.write("我的题/mine.txt", "function\n改过的题目\n");
    q->activateWindow();
    settle();
    QTest::keyClick(q->windowHandle(), Qt::Key_F5);
    settle();
    RecordingSurface second;
    q->navigator().paint(second, 0);
    EXPECT_NE(second.trace().find("改过的题目"), std::string::npos);
    // The bank menu takes the window back to the bank.
    b.app.window->command(cmd::BankCategoryBase + 1);
    EXPECT_EQ(b.shownText(), "双曲线题");
}

TEST(QuestionAuthoring, ReloadingTheBankKeepsTheCategoryAndShowsNewOnes) {
    BankApp b;
    b.app.window->command(cmd::BankCategoryBase + 1); // 双曲线
    b.bank.d.write("tm/1/3/funcName.fun", "抛物线\n");
    b.bank.d.write("tm/1/3/q01.txt", "function\n抛物线题\n");
    b.bank.d.write("tm/1/0/funcName.fun", "直线\n"); // sorts first: the old index now means another category
    b.bank.d.write("tm/1/0/q01.txt", "function\n直线题\n");
    b.app.window->command(Command::ReloadBank);
    EXPECT_EQ(bankMenuTitles(*b.app.window),
              (std::vector<std::string>{"解析几何", "直线", "椭圆", "双曲线", "抛物线", "★解析几何★所有题目"}));
    EXPECT_EQ(b.app.catalogue.current()->name, "双曲线");
    EXPECT_EQ(b.shownText(), "双曲线题");
    b.app.window->command(cmd::BankCategoryBase + 3);
    EXPECT_EQ(b.shownText(), "抛物线题");
}

TEST(QuestionAuthoring, AQuestionsFigureOpensInTheMainWindow) {
    BankApp b;
    MainWindow& w = *b.app.window;
    QuestionWindow* q = b.q();
    enterThroughDialog(w, Family::Sin, {});
    w.toolbarAction(0); // zoomed in before
    b.app.window->command(cmd::BankCategoryBase);
    EXPECT_TRUE(q->action(Command::ShowFigure)->isEnabled());
    q->activateWindow();
    settle();
    ASSERT_EQ(QApplication::activeWindow(), q);
    QTest::keyClick(q->windowHandle(), Qt::Key_G);
    settle();
    Document& doc = b.app.doc();
    ASSERT_EQ(doc.table.slotCount, 2);
    EXPECT_EQ(doc.table.slot(0).kind, Family::EllipseX);
    EXPECT_EQ(doc.table.slot(0).params[0], 5.0);
    EXPECT_EQ(doc.table.slot(0).extraCount, 2); // the foci
    EXPECT_EQ(doc.table.slot(1).kind, Family::CircleOrigin);
    EXPECT_EQ(doc.view.pixelsPerUnit, 20);
    EXPECT_TRUE(w.modifyButton(1)->isVisible());
    // Not while a family dialog edits one of the rows.
    w.runParameterDialog = [&](ParameterDialog& d) {
        q->command(Command::ShowFigure);
        EXPECT_EQ(doc.table.slotCount, 2);
        d.reject();
    };
    b.app.notifier.messages.clear();
    w.command(Family::Sin);
    ASSERT_EQ(b.app.notifier.messages.size(), 1u);
    EXPECT_EQ(b.app.notifier.messages[0].text, "请先关闭正在编辑的函数对话框，再显示图形。");
    q->command(Command::NextQuestion);
    EXPECT_FALSE(q->action(Command::ShowFigure)->isEnabled());
    q->command(Command::ShowFigure); // nothing to show: nothing changes
    EXPECT_EQ(doc.table.slotCount, 2);
}

// Every key the question window takes beyond the old accelerators: what it does, and the menu
// item that names it.
TEST(QuestionAuthoring, FontAndRandomKeysWorkAndTheMenusShowEveryKey) {
    BankApp b;
    QuestionWindow* q = b.q();
    b.app.window->command(cmd::BankCategoryBase);
    q->activateWindow();
    settle();
    QuestionNavigator& nav = q->navigator();
    auto press = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(q->windowHandle(), k, m);
        settle();
    };
    press(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(nav.cellWidth, 23);
    press(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(nav.cellWidth, 26);
    press(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(nav.cellWidth, 23);
    press(Qt::Key_R);
    const int picked = b.app.catalogue.current()->currentQuestion;
    EXPECT_NE(picked, 0) << "R picks another question";
    press(Qt::Key_R, Qt::AltModifier); // as its "(R)" suggests
    EXPECT_NE(b.app.catalogue.current()->currentQuestion, picked);

    const struct {
        Command id;
        const char* key;
    } shown[] = {{Command::RandomQuestion, "R"}, {Command::QuestionAnswer, "Ctrl+F"}, {Command::ShowFigure, "G"},
                 {Command::FontLarger, "Ctrl++"}, {Command::FontSmaller, "Ctrl+-"}, {Command::RereadQuestion, "F5"}};
    for (const auto& s : shown) EXPECT_TRUE(q->action(s.id)->text().contains(s.key)) << q->action(s.id)->text().toStdString();
}

TEST(QuestionAuthoring, UpAndDownScrollALongAnswerLineByLine) {
    BankApp b;
    QuestionWindow* q = b.q();
    q->resize(500, 300);
    b.app.window->command(cmd::BankCategoryBase);
    q->command(Command::NextQuestion);
    q->command(Command::QuestionAnswer);
    q->activateWindow();
    settle();
    ASSERT_GT(q->scrollBar()->maximum(), 40);
    for (int i = 0; i < 4; ++i) QTest::keyClick(q->windowHandle(), Qt::Key_Down);
    QTest::keyClick(q->windowHandle(), Qt::Key_Up);
    settle();
    EXPECT_EQ(q->scrollBar()->value(), 3);
    EXPECT_EQ(b.app.catalogue.current()->currentQuestion, 1) << "Up and Down stay on the question";
}

// The author saves a change and presses F5: the answer stays open at the place being read.
TEST(QuestionAuthoring, RereadingKeepsTheAnswerShownAndThePlace) {
    BankApp b;
    QuestionWindow* q = b.q();
    q->resize(500, 300);
    b.app.window->command(cmd::BankCategoryBase);
    q->command(Command::NextQuestion);
    q->command(Command::QuestionAnswer);
    q->scrollBar()->setValue(40);
    q->activateWindow();
    settle();
    b.bank.d.write("tm/1/1/q02.txt", longQuestion("改过的第一行"));
    QTest::keyClick(q->windowHandle(), Qt::Key_F5);
    settle();
    EXPECT_EQ(b.shownText(), "改过的第一行");
    EXPECT_TRUE(q->navigator().answerShown);
    EXPECT_EQ(q->scrollBar()->value(), 40);
}

// A teacher adds a question file and reloads the bank: the question on screen stays, found by
// its file; when its file is gone the category starts again at question 1.
TEST(QuestionAuthoring, ReloadingTheBankKeepsTheQuestionOnScreen) {
    BankApp b;
    QuestionWindow* q = b.q();
    b.app.window->command(cmd::BankCategoryBase);
    q->command(Command::LastQuestion);
    q->command(Command::QuestionAnswer);
    ASSERT_EQ(b.shownText(), "第三题");
    b.bank.d.write("tm/1/1/q00.txt", "function\n新的第一题\n"); // sorts first
    b.app.window->command(Command::ReloadBank);
    EXPECT_EQ(b.shownText(), "第三题");
    EXPECT_EQ(b.app.catalogue.current()->currentQuestion, 3);
    EXPECT_TRUE(q->navigator().answerShown);

    std::filesystem::remove(b.bank.d / "tm/1/1/q03.txt");
    b.app.window->command(Command::ReloadBank);
    EXPECT_EQ(b.shownText(), "新的第一题");
    EXPECT_FALSE(q->navigator().answerShown);
}
