// SPDX-License-Identifier: GPL-3.0-or-later
// 字体 → 教材记法 in the shown question window: the question set as print sets it.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cmath>
#include <map>

#include "bank/qt/question_picture.h"
#include "bank/qt/question_window.h"
#include "io/file_writer.h"
#include "gfx/qt/qt_surface.h"
#include "gfx/recording_surface.h"
#include "gfx/render_style.h"
#include "res/command_ids.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// The shown window on 解析几何 → 椭圆's first question (a fraction and squares).
struct EllipseWindow {
    App app;
    QuestionWindow* q = app.window->questionWindow();
    EllipseWindow(int width = 760, int height = 560) {
        int ellipse = -1;
        for (int i = 0; i < app.catalogue.categoryCount(); ++i)
            if (app.catalogue.category(i)->name == "椭圆" && app.catalogue.topLevelName(*app.catalogue.category(i)) == "解析几何")
                ellipse = i;
        EXPECT_GE(ellipse, 0);
        q->resize(width, height);
        app.window->command(cmd::BankCategoryBase + ellipse);
        settle();
    }
    // Through the menu, as a user picks it.
    void toggle() {
        q->action(Command::QuestionTextbook)->trigger();
        settle();
    }
    std::vector<RecordingSurface::Op> runs() const {
        RecordingSurface r;
        drawTypeset(r, q->typeset().text(), 0, 0);
        std::vector<RecordingSurface::Op> out;
        for (const RecordingSurface::Op* op : r.ofKind(RecordingSurface::Kind::TypesetText)) out.push_back(*op);
        return out;
    }
};

bool isLatinLetter(const std::string& t) { return t.size() == 1 && std::isalpha(static_cast<unsigned char>(t[0])); }

} // namespace

TEST(QuestionTextbook, TheFontMenuItemSwitchesAndSwitchingBackGivesTheClassicPicture) {
    EllipseWindow w;
    QAction* item = w.q->action(Command::QuestionTextbook);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_FALSE(item->isChecked());
    // In 字体, after 放大 and 缩小.
    QMenu* font = nullptr;
    for (QAction* a : w.q->findChild<QMenuBar*>()->actions())
        if (a->text() == "字体") font = a->menu();
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->actions().size(), 3);
    EXPECT_EQ(font->actions()[2], item);
    EXPECT_EQ(item->text(), "教材记法");

    const QImage classic = w.q->render();
    w.toggle();
    EXPECT_TRUE(item->isChecked());
    ASSERT_TRUE(w.q->typeset().ready());
    const QImage textbook = w.q->render();
    EXPECT_NE(textbook, classic);
    // The header line stays as the classic view draws it.
    const BankCategory& shown = *w.app.catalogue.current();
    const int header = shown.headerList.measure(classic.width());
    ASSERT_GT(header, 0);
    QImage headerOnly(classic.width(), header, QImage::Format_RGB32);
    headerOnly.fill(Qt::white);
    {
        QtSurface s(&headerOnly, normalStyle(1.0));
        shown.headerList.draw(s, 0, 0, classic.width(), header);
    }
    EXPECT_EQ(textbook.copy(0, 0, textbook.width(), header), headerOnly);
    // Only black and greys on white: nothing in the answer's magenta.
    w.q->command(Command::QuestionAnswer);
    const QImage answered = w.q->render();
    EXPECT_EQ(countColour(answered, qRgb(255, 0, 255)), 0);
    w.q->command(Command::QuestionAnswer);

    // Another question keeps the setting.
    w.q->command(Command::NextQuestion);
    EXPECT_TRUE(w.q->typeset().ready());
    w.q->command(Command::PrevQuestion);
    EXPECT_EQ(w.q->render(), textbook);

    w.toggle();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(w.q->typeset().ready());
    EXPECT_EQ(w.q->render(), classic);
}

TEST(QuestionTextbook, VariablesItalicFractionsLegibleNoLineStartsWithAStop) {
    EllipseWindow w(300, 500);
    w.toggle();
    w.q->command(Command::QuestionAnswer);
    // Narrow widths, so that the question and its answer run over many lines and some line
    // would begin at one of the answer's many ，and 。.
    int starts = 0;
    for (int width = 240; width <= 640; width += 9) {
        w.q->resize(width, 500);
        settle();
        ASSERT_TRUE(w.q->typeset().ready());
        const double body = w.q->typeset().text().size;
        int letters = 0, fractionParts = 0;
        std::map<long, const RecordingSurface::Op*> lineStarts; // by baseline, of body-size runs
        const auto runs = w.runs();
        for (const RecordingSurface::Op& r : runs) {
            if (isLatinLetter(r.text)) {
                ++letters;
                EXPECT_TRUE(r.italic) << r.text;
            } else {
                EXPECT_FALSE(r.italic) << r.text;
            }
            // x²/25 + y²/16 = 1: the fraction's numbers smaller than the body, not tiny.
            if (r.text == "25" || r.text == "16") {
                ++fractionParts;
                EXPECT_LT(r.size, body);
                EXPECT_GE(r.size, 0.7 * body) << r.text;
            }
            if (r.size == body) {
                const long key = std::lround(r.y * 100);
                auto at = lineStarts.find(key);
                if (at == lineStarts.end() || r.x < at->second->x) lineStarts[key] = &r;
            }
        }
        EXPECT_GE(letters, 10);
        EXPECT_EQ(fractionParts, 2);
        EXPECT_GE(lineStarts.size(), 5u);
        starts += static_cast<int>(lineStarts.size());
        for (const auto& [y, r] : lineStarts)
            for (const char* stop : {"，", "。", "、", "；", "：", "？", "！"})
                EXPECT_NE(r->text.rfind(stop, 0), 0u) << "at width " << width << " a line starts with " << r->text;
    }
    EXPECT_GT(starts, 200);
}

TEST(QuestionTextbook, FontSizeAndAnswerGrowTheTypesetPage) {
    EllipseWindow w(500, 200);
    w.toggle();
    const double body = w.q->typeset().text().size;
    // Two lines, a fraction in one: its @plot figure keeps no room below them.
    EXPECT_LT(w.q->typeset().text().height, 6 * body);
    const int range = w.q->scrollBar()->maximum();
    w.q->command(Command::QuestionAnswer);
    EXPECT_GT(w.q->scrollBar()->maximum(), range);
    // The answer's text is drawn: scrolled to the end the picture is not the question's.
    const QImage top = w.q->render();
    w.q->scrollBar()->setValue(w.q->scrollBar()->maximum());
    EXPECT_NE(w.q->render(), top);

    w.q->command(Command::FontLarger);
    EXPECT_GT(w.q->typeset().text().size, body);
    // The body's runs follow the size.
    bool bodyRun = false;
    for (const RecordingSurface::Op& r : w.runs()) bodyRun = bodyRun || r.size == w.q->typeset().text().size;
    EXPECT_TRUE(bodyRun);
    w.q->command(Command::FontSmaller);
    w.q->command(Command::FontSmaller);
    EXPECT_LT(w.q->typeset().text().size, body);
}

// 保存题目图片 saves what is shown: the typeset question and answer, whole, band by band.
TEST(QuestionTextbook, SavedPictureIsTheTypesetPage) {
    EllipseWindow w(500, 200);
    w.q->command(Command::QuestionAnswer);
    const QImage classicWhole = w.q->renderWhole();
    w.toggle(); // the answer stays shown
    ASSERT_TRUE(w.q->navigator().answerShown);
    const QImage whole = w.q->renderWhole();
    EXPECT_EQ(whole.height(), w.q->typeset().contentHeight());
    ASSERT_GT(whole.height(), w.q->render().height());
    EXPECT_NE(whole, classicWhole);
    // Its top is the window's picture.
    EXPECT_EQ(whole.copy(0, 0, whole.width(), w.q->render().height()), w.q->render().convertToFormat(QImage::Format_RGB32));

    TempDir d;
    const std::string path = d / "教材.png";
    w.q->askPicturePath = [&] { return QString::fromStdString(path); };
    w.q->command(Command::SaveQuestionPicture);
    EXPECT_TRUE(w.app.notifier.messages.empty());
    EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32), whole);

    // Seven rows at a time at twice the resolution: the same as all at once.
    std::vector<QImage> saved;
    for (int rows : {7, 100000}) {
        FileWriter out(d / "q.png");
        FileError e;
        ASSERT_TRUE(out.open(e));
        ASSERT_TRUE(writeTypesetPicture(w.q->typeset(), *w.app.catalogue.current(), 500, 2.0, out, e, rows)) << e.message();
        ASSERT_TRUE(out.commit(e));
        saved.push_back(QImage(QString::fromStdString(d / "q.png")).convertToFormat(QImage::Format_RGB32));
    }
    EXPECT_EQ(saved[0].height(), 2 * whole.height());
    // The radical's slanted strokes may shade an edge pixel a shade differently where a
    // band cuts them; nothing moves.
    int worst = 0;
    for (int y = 0; y < saved[0].height(); ++y)
        for (int x = 0; x < saved[0].width(); ++x) {
            const QRgb a = saved[0].pixel(x, y), b = saved[1].pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 8);
    EXPECT_GT(countColour(saved[0], qRgb(0, 0, 0)), 500);
}
