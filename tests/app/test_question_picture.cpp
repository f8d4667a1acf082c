// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include <QImage>

#include "bank/qt/question_picture.h"
#include "bank/qt/question_window.h"
#include "gfx/qt/qt_surface.h"
#include "io/png_check.h"
#include "res/command_ids.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;
namespace fs = std::filesystem;

namespace {

// The picture as one image, as the window drew it before it drew bands.
QImage wholePicture(QuestionNavigator& nav, int width, double dpr) {
    nav.resize(width, 1);
    const int height = std::max(nav.contentHeight, 1);
    nav.resize(width, height);
    QImage image(static_cast<int>(std::lround(width * dpr)), static_cast<int>(std::lround(height * dpr)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QtSurface s(&image, normalStyle(dpr));
    nav.paint(s, 0);
    return image;
}

// A question of `lines` lines of fifty characters, each a few rows of text.
std::string longQuestion(int lines) {
    std::string line;
    for (int i = 0; i < 50; ++i) line += "字";
    std::string q = "function\n";
    for (int i = 0; i < lines; ++i) q += line + "\n";
    return q;
}

// The bundled question whose text and answer are tallest at `width`: fractions, roots and
// systems over many rows. Leaves it current in the catalogue.
void showTallest(Catalogue& catalogue, int width) {
    QuestionNavigator nav(catalogue);
    int best = -1, bestCategory = 0, bestQuestion = 0;
    for (int c = 0; c < catalogue.categoryCount(); ++c) {
        nav.selectCategory(c);
        for (int n = 0; n < catalogue.current()->questionCount(); ++n) {
            catalogue.current()->currentQuestion = n;
            nav.resize(width, 100);
            nav.reload();
            nav.command(Command::QuestionAnswer);
            if (nav.contentHeight > best) {
                best = nav.contentHeight;
                bestCategory = c;
                bestQuestion = n;
            }
        }
    }
    catalogue.currentCategory = bestCategory;
    catalogue.current()->currentQuestion = bestQuestion;
}

struct OneQuestion {
    explicit OneQuestion(const std::string& text) {
        dir.write("题/q.txt", text);
        catalogue.categories.push_back(newCategory("题", -1, 0));
        addQuestion(*catalogue.categories.back(), dir / "题/q.txt");
        nav.resize(400, 300);
        nav.reload();
    }
    TempDir dir;
    Catalogue catalogue;
    QuestionNavigator nav{catalogue};
};

} // namespace

// Drawn a few rows at a time, cut through glyphs, fraction bars and roots, the picture is the
// one image the whole question makes, at every device pixel ratio.
TEST(QuestionPicture, BandsMakeTheWholePictureAtEveryRatio) {
    Catalogue catalogue;
    catalogue.load(bundledBank());
    showTallest(catalogue, 420);
    QuestionNavigator nav(catalogue);
    nav.resize(420, 300);
    nav.reload();
    nav.command(Command::QuestionAnswer);
    ASSERT_TRUE(nav.answerShown);
    TempDir d;
    for (double dpr : {1.0, 1.5, 2.0}) {
        const QImage whole = wholePicture(nav, 420, dpr);
        ASSERT_GT(whole.height(), 300 * dpr);
        ASSERT_GT(countColour(whole, qRgb(0, 0, 0)), 500);
        FileWriter out(d / "q.png");
        FileError e;
        ASSERT_TRUE(out.open(e));
        ASSERT_TRUE(writeQuestionPicture(nav, 420, dpr, out, e, 7)) << e.message();
        ASSERT_TRUE(out.commit(e));
        const PngCheck check = checkPng(d / "q.png");
        ASSERT_TRUE(check.ok) << check.problem;
        const QImage saved = QImage(QString::fromStdString(d / "q.png")).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(saved.size(), whole.size()) << dpr;
        int differing = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x) differing += saved.pixel(x, y) != whole.pixel(x, y);
        EXPECT_EQ(differing, 0) << "at ratio " << dpr;
    }
}

// 保存题目图片 saves the whole question with its answer, not only the screen, and leaves
// the window as it was; a picture taller than viewers open is refused before anything is
// asked or written.
TEST(QuestionPicture, TheWindowSavesTheWholeQuestionOrSaysWhyNot) {
    App app;
    QuestionWindow* q = app.window->questionWindow();
    showTallest(app.catalogue, 500);
    app.window->command(cmd::BankCategoryBase + app.catalogue.currentCategory); // on the question left current
    q->resize(500, 300);
    q->command(Command::QuestionAnswer);
    settle();
    q->scrollBar()->setValue(2);
    TempDir d;
    std::string path = d / "题目.png";
    q->askPicturePath = [&] { return QString::fromStdString(path); };
    q->command(Command::SaveQuestionPicture);
    EXPECT_TRUE(app.notifier.messages.empty());
    const QImage saved = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
    const QImage whole = q->renderWhole();
    ASSERT_GT(whole.height(), 2 * q->render().height());
    EXPECT_EQ(saved, whole);
    EXPECT_EQ(q->scrollBar()->value(), 2);
    EXPECT_EQ(q->navigator().clientHeight, q->render().height());

    // Over a million rows.
    d.write("长/long.txt", longQuestion(8000));
    q->openQuestionFile(d / "长/long.txt");
    ASSERT_GT(questionPictureSize(q->navigator(), 500, 1.0).height, kMaxPictureRows);
    d.write("old.png", "old picture");
    ::chmod((d / "old.png").c_str(), 0444);
    path = d / "old.png";
    q->command(Command::SaveQuestionPicture);
    ASSERT_EQ(app.notifier.messages.size(), 1u);
    EXPECT_NE(app.notifier.messages[0].text.find("超过了 1000000 像素"), std::string::npos) << app.notifier.messages[0].text;
    EXPECT_TRUE(app.notifier.questions.empty());
    EXPECT_EQ(slurp(path), "old picture");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(d.path())) ++files;
    EXPECT_EQ(files, 3u); // 题目.png, old.png and the folder: nothing half-written

    // A full disk while the picture is written: said, and the old picture kept.
    OneQuestion small("function\n一道题\n");
    planWriteFailure(WriteStep::Write, ENOSPC);
    EXPECT_FALSE(saveQuestionPicture(small.nav, 400, 1.0, d / "题目.png", app.notifier, {}));
    clearWriteFailures();
    ASSERT_EQ(app.notifier.messages.size(), 2u);
    EXPECT_EQ(app.notifier.messages[1].text, "无法写入文件“" + (d / "题目.png") + "”：磁盘空间不足。原来的文件保持原样。");
    EXPECT_EQ(QImage(QString::fromStdString(d / "题目.png")).convertToFormat(QImage::Format_RGB32), whole);
}
