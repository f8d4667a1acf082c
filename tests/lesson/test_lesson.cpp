// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>

#include "dialogs/expr_parser.h"
#include "gfx/cp936.h"
#include "lesson/lesson.h"
#include "lesson_helpers.h"
#include "plot/curve.h"
#include "sample_scenes.h"

using namespace yhb;
using namespace yhb::test;

namespace {

std::vector<int> allBoxes(const FamilySpec& f) {
    std::vector<int> ids;
    for (const BoxSpec& b : f.boxes) ids.push_back(b.id);
    return ids;
}

// Typed texts that differ from each family's defaults, so that a default cannot pass for them.
std::vector<std::string> someTexts(const FamilySpec& f, int seed) {
    if (f.validatesCircle) return {"-3.5", "2.25", "1"};
    std::vector<std::string> t;
    for (std::size_t i = 0; i < f.fields.size(); ++i)
        t.push_back(std::to_string(f.fields[i].defaultValue + 1 + seed % 3) + ".25");
    return t;
}

} // namespace

// Every family, with every box, in batches of five rows with different views.
TEST(Lesson, SaveThenOpenReproducesEveryFamilyWithItsBoxes) {
    const auto& all = families();
    for (std::size_t start = 0; start < all.size(); start += 5) {
        SizedDocument a;
        RecordingNotifier n;
        for (std::size_t k = start; k < all.size() && k < start + 5; ++k)
            ASSERT_TRUE(enter(a.doc, n, all[k].kind, someTexts(all[k], int(k)), allBoxes(all[k]))) << all[k].cliName;
        a.doc.view.pixelsPerUnit = 12 + int(start);
        a.doc.view.piAxis = start % 2;
        a.doc.view.showLabels = start % 3 != 0;
        a.doc.canvas.originX = 250 + int(start);
        a.doc.canvas.originY = 180 - int(start);

        SizedDocument b;
        Problem p;
        ASSERT_TRUE(reopen(a.doc, b.doc, p)) << p.line << " " << p.message;
        EXPECT_EQ(picture(b.doc), picture(a.doc)) << "rows from " << all[start].cliName;
        EXPECT_TRUE(n.messages.empty());
    }
}

// A modified row, a deleted row whose colour went to a row added later, a general circle whose
// modification was refused (it keeps its expression) and a new one that was refused outright.
TEST(Lesson, SaveThenOpenKeepsModifiedReAddedAndRefusedRowsWithTheirColours) {
    SizedDocument a;
    RecordingNotifier n;
    ASSERT_TRUE(enter(a.doc, n, Family::EllipseX, {"5", "3"}, {1010, 1011}));
    ASSERT_TRUE(enter(a.doc, n, Family::Sin, {"2", "1", "0"}));
    ASSERT_TRUE(enter(a.doc, n, Family::CircleGeneral, {"-2", "4", "1"}, {1010}));
    ASSERT_FALSE(modify(a.doc, n, 2, {"0", "0", "5"}, {1010})); // refused: the row stays
    a.doc.table.deleteSlot(0);
    ASSERT_TRUE(modify(a.doc, n, 0, {"3", "0.5", "-1"}));
    ASSERT_TRUE(enter(a.doc, n, Family::HyperbolaY, {"2", "3"}, {1013}));
    ASSERT_FALSE(enter(a.doc, n, Family::CircleGeneral, {"1", "1", "9"})); // refused: no row
    ASSERT_EQ(a.doc.table.slotCount, 3);
    // Lowest free colour: the modified sin took the deleted ellipse's 1, the hyperbola its old 2.
    EXPECT_EQ(a.doc.table.slot(0).colourIndex, 1);
    EXPECT_EQ(a.doc.table.slot(1).colourIndex, 3);
    EXPECT_EQ(a.doc.table.slot(2).colourIndex, 2);

    SizedDocument b;
    Problem p;
    ASSERT_TRUE(reopen(a.doc, b.doc, p)) << p.message;
    EXPECT_EQ(picture(b.doc), picture(a.doc));
    EXPECT_EQ(readLabel(b.doc.table.slot(0).labels), readLabel(a.doc.table.slot(0).labels));
    // The opened table goes on like the saved one: the next row takes colour 4.
    ASSERT_TRUE(enter(b.doc, n, Family::Tan, {}));
    EXPECT_EQ(b.doc.table.slot(3).colourIndex, 4);
}

TEST(Lesson, TextsAreKeptExactlyAsTypedAndTheFileStaysReadable) {
    SizedDocument a;
    RecordingNotifier n;
    // Full-width digits, an exponent with '+', a comma, a space, '%', an empty field, Chinese.
    const std::vector<std::string> typed = {"１.５"_gb, "1e+1"};
    ASSERT_TRUE(enter(a.doc, n, Family::EllipseX, typed, {1010}));
    ASSERT_TRUE(enter(a.doc, n, Family::Sin, {"2,5", " 3 %", ""}));
    ASSERT_TRUE(enter(a.doc, n, Family::Logarithm, {"五"_gb}));
    const std::string text = writeLesson(lessonOf(a.doc));
    EXPECT_NE(text.find("row ellipse-x:１.５,1e%2B1+1010 colour=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("row sin:2%2C5,%203%20%25, colour=2\n"), std::string::npos) << text;
    EXPECT_NE(text.find("row logarithm:五 colour=3\n"), std::string::npos) << text;

    Lesson lesson;
    Problem p;
    ASSERT_TRUE(parseLesson(text, lesson, p)) << p.message;
    EXPECT_EQ(lesson.rows[0].texts, typed);
    EXPECT_EQ(lesson.rows[1].texts, (std::vector<std::string>{"2,5", " 3 %", ""}));
    SizedDocument b;
    ASSERT_TRUE(applyLesson(b.doc, lesson, p));
    EXPECT_EQ(picture(b.doc), picture(a.doc));
    EXPECT_EQ(b.doc.table.slot(0).params[0], 1.5);
    EXPECT_EQ(b.doc.table.slot(0).params[1], 10.0);
    EXPECT_EQ(writeLesson(lessonOf(b.doc)), text); // saving again changes nothing
}

TEST(Lesson, TheViewComesBackAndTheOriginKeepsItsOffsetFromTheCentreElsewhere) {
    SizedDocument a(780, 560);
    RecordingNotifier n;
    ASSERT_TRUE(enter(a.doc, n, Family::Cos, {}));
    a.doc.view.pixelsPerUnit = 36;
    a.doc.view.showLabels = false;
    a.doc.view.piAxis = true;
    a.doc.view.fullScreen = true;
    a.doc.view.presentation = true;
    a.doc.canvas.originX = 300;
    a.doc.canvas.originY = 330;
    const std::string text = writeLesson(lessonOf(a.doc));
    EXPECT_NE(text.find("view scale=36 origin=300,330 canvas=780,560 pi-axis=1 numbers=0 full-screen=1 presentation=1"),
              std::string::npos)
        << text;

    Lesson lesson;
    Problem p;
    ASSERT_TRUE(parseLesson(text, lesson, p));
    SizedDocument same(780, 560), larger(1000, 700);
    ASSERT_TRUE(applyLesson(same.doc, lesson, p));
    ASSERT_TRUE(applyLesson(larger.doc, lesson, p));
    EXPECT_EQ(picture(same.doc), picture(a.doc));
    EXPECT_TRUE(same.doc.view.fullScreen);
    EXPECT_TRUE(same.doc.view.presentation);
    EXPECT_EQ(larger.doc.canvas.originX, 300 + 110);
    EXPECT_EQ(larger.doc.canvas.originY, 330 + 70);
    EXPECT_EQ(larger.doc.view.pixelsPerUnit, 36);

    // Without an origin the canvas centres it, now or at its first size.
    ASSERT_TRUE(parseLesson("yunhuiban-lesson 1.0\nview scale=8\n", lesson, p));
    ASSERT_TRUE(applyLesson(larger.doc, lesson, p));
    EXPECT_EQ(larger.doc.canvas.originX, 500);
    EXPECT_EQ(larger.doc.table.slotCount, 0);
    Document unsized;
    ASSERT_TRUE(applyLesson(unsized, lesson, p));
    EXPECT_TRUE(unsized.canvas.resize(400, 300));
    EXPECT_EQ(unsized.canvas.originX, 200);
}

// 教材记法 goes with the lesson only when on: a classic lesson is the file it always was, one
// written before the setting opens in the classic notation, and a new lesson starts classic.
TEST(Lesson, TextbookNotationIsSavedOnlyWhenOnAndComesBack) {
    SizedDocument a;
    RecordingNotifier n;
    ASSERT_TRUE(enter(a.doc, n, Family::EllipseX, {"2", "√3"_gb}, {1011}));
    const std::string classic = writeLesson(lessonOf(a.doc));
    EXPECT_EQ(classic.find("textbook"), std::string::npos) << classic;

    a.doc.view.textbook = true;
    const std::string text = writeLesson(lessonOf(a.doc));
    EXPECT_NE(text.find(" presentation=0 textbook=1\n"), std::string::npos) << text;
    SizedDocument b;
    Problem p;
    ASSERT_TRUE(reopen(a.doc, b.doc, p)) << p.message;
    EXPECT_TRUE(b.doc.view.textbook);
    ASSERT_TRUE(reopen(a.doc, b.doc, p)); // and once more, the same file
    EXPECT_EQ(writeLesson(lessonOf(b.doc)), text);

    Lesson older;
    ASSERT_TRUE(parseLesson(classic, older, p));
    ASSERT_TRUE(applyLesson(b.doc, older, p));
    EXPECT_FALSE(b.doc.view.textbook);

    Lesson bad;
    EXPECT_FALSE(parseLesson("yunhuiban-lesson 1.0\nview scale=20 textbook=yes\n", bad, p));
    EXPECT_EQ(p.line, 2);
    EXPECT_NE(p.message.find("教材记法"), std::string::npos) << p.message;

    a.doc.view.textbook = true;
    resetDocument(a.doc);
    EXPECT_FALSE(a.doc.view.textbook);
}

TEST(Lesson, HandWrittenFilesReadLikeTheCommandLine) {
    const std::string text = "\xEF\xBB\xBFyunhuiban-lesson 1.0\r\n"
                             "# 第一课：椭圆\r\n"
                             "\r\n"
                             "row 32781:5,4+1010+1011\r\n"
                             "row   hyperbola-x   colour=5\r\n"
                             "row tan:2\r\n";
    Lesson lesson;
    Problem p;
    ASSERT_TRUE(parseLesson(text, lesson, p)) << p.line << p.message;
    Lesson again; // written back as read: no texts stays no texts
    ASSERT_TRUE(parseLesson(writeLesson(lesson), again, p));
    EXPECT_EQ(writeLesson(again), writeLesson(lesson));
    EXPECT_NE(writeLesson(lesson).find("\nrow hyperbola-x colour=5\n"), std::string::npos) << writeLesson(lesson);
    SizedDocument a, b;
    ASSERT_TRUE(applyLesson(a.doc, lesson, p));
    RecordingNotifier n;
    ASSERT_TRUE(enter(b.doc, n, Family::EllipseX, {"5", "4"}, {1010, 1011}));
    ASSERT_TRUE(enter(b.doc, n, Family::HyperbolaX, {}));
    ASSERT_TRUE(enter(b.doc, n, Family::Tan, {"2"}));
    b.doc.table.slot(1).colourIndex = 5;
    b.doc.table.slot(2).colourIndex = 2;
    // Missing fields keep the family's defaults; rows without a colour take the lowest free.
    EXPECT_EQ(picture(a.doc), picture(b.doc));
    EXPECT_EQ(a.doc.table.slot(0).colourIndex, 1);
    EXPECT_EQ(a.doc.table.slot(2).colourIndex, 2);
}

TEST(Lesson, ALaterMinorVersionOpensAndItsUnknownSettingsAreLeftAlone) {
    Lesson lesson;
    Problem p;
    ASSERT_TRUE(parseLesson("yunhuiban-lesson 1.7\nview scale=30 grid=dotted presentation=1\nrow sin colour=2 width=3\n",
                            lesson, p))
        << p.message;
    EXPECT_EQ(lesson.view.pixelsPerUnit, 30);
    EXPECT_TRUE(lesson.view.presentation);
    ASSERT_EQ(lesson.rows.size(), 1u);
    EXPECT_EQ(lesson.rows[0].colourIndex, 2);
}

TEST(Lesson, NewEmptiesTheTableAndResetsTheView) {
    SizedDocument a;
    RecordingNotifier n;
    sample::enterFiveRows(a.doc);
    a.doc.view.pixelsPerUnit = 84;
    a.doc.view.showLabels = false;
    a.doc.view.piAxis = true;
    a.doc.view.fullScreen = true;
    a.doc.view.presentation = true;
    a.doc.canvas.originX = 40;
    resetDocument(a.doc);
    SizedDocument fresh;
    EXPECT_EQ(picture(a.doc), picture(fresh.doc));
    EXPECT_FALSE(a.doc.view.fullScreen);
    EXPECT_FALSE(a.doc.view.presentation);
    ASSERT_TRUE(enter(a.doc, n, Family::Sin, {}));
    EXPECT_EQ(a.doc.table.slot(0).colourIndex, 1);
}

// Each refusal names its line and leaves the document exactly as it was.
TEST(Lesson, EveryRefusalNamesTheLineAndChangesNothing) {
    const std::string head = "yunhuiban-lesson 1.0\n";
    const struct {
        std::string text;
        int line;
        const char* says;
    } cases[] = {
        {"", 1, "文件是空的"},
        {"yunhuiban lesson 1.0\nrow sin\n", 1, "不是云绘板课件"},
        {"<svg>\n", 1, "不是云绘板课件"},
        {"yunhuiban-lesson 2.0\nrow sin\n", 1, "更新版本"},
        {"yunhuiban-lesson 1\n", 1, "格式版本写法不对"},
        {head + "row sin\nrow cos\nrow tan\nrow sin\nrow cos\nrow tan\n", 7, "多于 5 个"},
        {head + "view scale=20\nrow sin\nplot cos\n", 4, "无法识别的行“plot cos”"},
        {head + "row elipse-x:5,4\n", 2, "未知的函数类型“elipse-x”"},
        {head + "row\n", 2, "缺少函数"},
        {head + "row ellipse-x:5,4,3\n", 2, "只有 2 个参数，这里给了 3 个"},
        {head + "row ellipse-x:5,4+1013\n", 2, "没有复选框“1013”"},
        {head + "row ellipse-x:5,4+\n", 2, "没有复选框“”"},
        {head + "row ellipse-x:5%2,4\n", 2, "无效的 %XX 转义"},
        {head + "row ellipse-x:%FF,4\n", 2, "不是有效的 UTF-8"},
        {head + "row ellipse-x:" + std::string(100, '1') + "\n", 2, "太长"},
        {head + "row sin colour=6\n", 2, "颜色 colour 应为 1 到 5"},
        {head + "row sin colour=2\nrow cos colour=2\n", 3, "已经由第 2 行的函数使用"},
        {head + "row sin colour\n", 2, "名称=值"},
        {head + "view scale=0\n", 2, "比例 scale"},
        {head + "view scale=20x\n", 2, "比例 scale"},
        {head + "view origin=3\n", 2, "原点 origin"},
        {head + "view pi-axis=2\n", 2, "pi-axis"},
        {head + "view\nview\n", 3, "只能有一行 view"},
        {head + "row sin\nrow cos:\xff\n", 3, "不是有效的 UTF-8"},
        {head + "row sin\x01\n", 2, "控制字符"},
        {head + "row sin\nrow circle-general:0,0,1+1010\n", 3, "函数“圆的一般方程”的系数不合要求：D^2+E^2-4F必需大于0，这里 D=0，E=0，F=1。"},
        {head + "row line-slope\nrow sin\nrow circle-general:1,1\n", 4, "这里 D=1，E=1，F=1.0。"},
    };
    for (const auto& c : cases) {
        SizedDocument doc;
        RecordingNotifier n;
        sample::enterFiveRows(doc.doc);
        doc.doc.view.piAxis = true;
        const std::string before = picture(doc.doc);
        Lesson lesson;
        Problem p;
        const bool opened = parseLesson(c.text, lesson, p) && applyLesson(doc.doc, lesson, p);
        EXPECT_FALSE(opened) << c.text;
        EXPECT_EQ(p.line, c.line) << c.text;
        EXPECT_NE(p.message.find(c.says), std::string::npos) << c.text << " → " << p.message;
        EXPECT_EQ(p.message.find("请重新输入"), std::string::npos) << "nothing is typed when a file is opened: " << p.message;
        EXPECT_EQ(picture(doc.doc), before) << c.text;
        EXPECT_TRUE(doc.doc.view.piAxis);
    }
}

// Whatever state the window or the tool leaves a document in, the lesson saved from it opens
// again, and saving that changes nothing.
TEST(Lesson, EveryLessonTheProgramSavesOpensAgain) {
    struct State {
        const char* what;
        std::function<void(Document&)> make;
    };
    const State states[] = {
        {"a lesson from a one-pixel canvas opened on a large one",
         [](Document& d) {
             Lesson small;
             Problem p;
             ASSERT_TRUE(parseLesson("yunhuiban-lesson 1.0\nview origin=100000,-100000 canvas=1,1\nrow sin\n", small, p));
             ASSERT_TRUE(applyLesson(d, small, p));
         }},
        {"an origin doubled by leaving presentation mode",
         [](Document& d) {
             d.canvas.originX = 250000;
             d.canvas.originY = -250000;
         }},
        {"a text longer than a dialog field, typed on the command line",
         [](Document& d) {
             CliExpression e;
             Problem error;
             RecordingNotifier n;
             ASSERT_TRUE(parseExpression("sin:" + std::string(60, '2') + std::string(70, '0') + ",2", e, error)) << error.message;
             ASSERT_TRUE(enterExpression(d, e, n));
         }},
    };
    for (const State& s : states) {
        SizedDocument a(600, 400);
        s.make(a.doc);
        const std::string text = writeLesson(lessonOf(a.doc));
        Lesson lesson;
        Problem p;
        ASSERT_TRUE(parseLesson(text, lesson, p)) << s.what << ": line " << p.line << " " << p.message << "\n" << text;
        EXPECT_EQ(writeLesson(lesson), text) << s.what;
        SizedDocument b(600, 400);
        ASSERT_TRUE(applyLesson(b.doc, lesson, p)) << s.what << ": " << p.message;
        // The rows come back as they were drawn.
        for (int r = 0; r < a.doc.table.slotCount; ++r)
            EXPECT_EQ(readLabel(b.doc.table.slot(r).labels), readLabel(a.doc.table.slot(r).labels)) << s.what;
    }
}
