// SPDX-License-Identifier: GPL-3.0-or-later
// Trails (留下轨迹) in lessons: kept by a save and an open, absent from lessons without them.
#include <gtest/gtest.h>

#include "dialogs/coefficient_sliders.h"
#include "lesson/lesson.h"
#include "lesson_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// Two rows; the ellipse's b was run from 1 to 5 with 留下轨迹 ticked.
void traceEllipse(Document& doc, RecordingNotifier& n) {
    ASSERT_TRUE(enter(doc, n, Family::Sin, {"2", "1", "0"}));
    ASSERT_TRUE(beginNew(doc, n));
    OpenForm open(doc, Family::EllipseX, n);
    open.form.fieldTexts = {"5", "1"};
    open.form.setBox(1011, true);
    SliderSet sliders(open.form);
    sliders.reset();
    sliders.setTracing(true);
    for (int p = 11; p <= 50; ++p) sliders.move(1, p);
    ASSERT_TRUE(open.form.ok());
}

} // namespace

TEST(LessonTrails, SaveThenOpenKeepsEveryTrailAndDrawsIt) {
    SizedDocument a;
    RecordingNotifier n;
    traceEllipse(a.doc, n);
    ASSERT_EQ(a.doc.table.slot(1).trail.strokes.size(), 4u);
    const std::string text = writeLesson(lessonOf(a.doc));
    EXPECT_NE(text.find("row sin:2,1,0 colour=1\n"), std::string::npos) << "the untraced row has no trail key";
    // The vertex (0, −b) first, in the order of the boxes and their records.
    EXPECT_NE(text.find("row ellipse-x:5,5.0+1011 colour=2 trail=0,-1;0,-1.1;0,-1.2;"), std::string::npos) << text;

    SizedDocument b;
    Problem p;
    ASSERT_TRUE(reopen(a.doc, b.doc, p)) << p.line << " " << p.message;
    EXPECT_EQ(picture(b.doc), picture(a.doc));
    ASSERT_EQ(b.doc.table.slot(1).trail.strokes.size(), 4u);
    EXPECT_TRUE(b.doc.table.slot(0).trail.empty());
    EXPECT_EQ(writeLesson(lessonOf(b.doc)), text); // and saved again, the same bytes

    // Opening a lesson replaces the trails too, and a lesson without any leaves none.
    SizedDocument plain;
    ASSERT_TRUE(enter(plain.doc, n, Family::Cos, {"1", "1", "0"}));
    ASSERT_TRUE(reopen(plain.doc, b.doc, p));
    EXPECT_FALSE(b.doc.table.hasTrails());
    EXPECT_TRUE(b.doc.table.slot(1).trail.empty());
}

// Without trails the file is the one earlier versions wrote, byte for byte.
TEST(LessonTrails, ALessonWithoutTrailsIsWrittenAsBefore) {
    SizedDocument a;
    RecordingNotifier n;
    ASSERT_TRUE(enter(a.doc, n, Family::EllipseX, {"5", "4"}, {1010, 1011}));
    ASSERT_TRUE(enter(a.doc, n, Family::ParabolaGeneral, {"1", "-2", "1"}));
    EXPECT_EQ(writeLesson(lessonOf(a.doc)),
              "yunhuiban-lesson 1.0\n"
              "view scale=20 origin=300,200 canvas=600,400 pi-axis=0 numbers=1 full-screen=0 presentation=0\n"
              "row ellipse-x:5,4+1010+1011 colour=1\n"
              "row parabola-general:1,-2,1 colour=2\n");
    // Cleared trails leave the same file.
    traceEllipse(a.doc, n);
    a.doc.table.clearTrails();
    EXPECT_EQ(writeLesson(lessonOf(a.doc)).find("trail="), std::string::npos);
}

TEST(LessonTrails, ABadTrailIsRefusedWithItsLineAndNothingChanges) {
    const std::string head = "yunhuiban-lesson 1.0\nrow sin\n";
    Lesson lesson;
    Problem p;
    ASSERT_TRUE(parseLesson(head + "row ellipse-x:5,3 trail=1,0;2,0/0,1;0,2.5\n", lesson, p)) << p.message;
    ASSERT_EQ(lesson.rows[1].trail.strokes.size(), 2u);
    EXPECT_EQ(lesson.rows[1].trail.strokes[1][1].y, 2.5);

    EXPECT_FALSE(parseLesson(head + "row ellipse-x:5,3 trail=1,0;2\n", lesson, p));
    EXPECT_EQ(p.line, 3);
    EXPECT_EQ(p.message, "轨迹 trail 中的点应写成 X,Y（两个绝对值不超过 10 亿的数），这里是“2”。");
    EXPECT_FALSE(parseLesson(head + "row ellipse-x:5,3 trail=\n", lesson, p));
    EXPECT_EQ(p.line, 3);
}
