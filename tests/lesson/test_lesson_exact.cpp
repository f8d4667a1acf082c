// SPDX-License-Identifier: GPL-3.0-or-later
// A lesson keeps coefficients as typed: an exact value reopens exact, drawn the same.
#include <gtest/gtest.h>

#include <cmath>

#include "lesson_helpers.h"
#include "plot/curve.h"

using namespace yhb;
using namespace yhb::test;

TEST(LessonExact, ExactValuesAreSavedAsTypedAndReopenExact) {
    SizedDocument a, b;
    RecordingNotifier n;
    ASSERT_TRUE(enter(a.doc, n, Family::EllipseX, {"2√2"_gb, "(1+√5)/2"_gb}, {1011}));
    ASSERT_TRUE(enter(a.doc, n, Family::Sin, {"1/2", "2", "π/6"_gb}));
    const std::string text = writeLesson(lessonOf(a.doc));
    // What was typed, in the file's UTF-8; '+' escaped as the row syntax needs.
    EXPECT_NE(text.find("row ellipse-x:2√2,(1%2B√5)/2+1011"), std::string::npos) << text;
    EXPECT_NE(text.find("row sin:1/2,2,π/6"), std::string::npos) << text;

    Lesson lesson;
    Problem p;
    ASSERT_TRUE(parseLesson(text, lesson, p)) << p.message;
    ASSERT_TRUE(applyLesson(b.doc, lesson, p)) << p.message;
    const ExpressionSlot &ellipse = b.doc.table.slot(0), &sine = b.doc.table.slot(1);
    ASSERT_TRUE(ellipse.exactParams[0] && ellipse.exactParams[1] && sine.exactParams[0] && sine.exactParams[2]);
    EXPECT_EQ(formatExact(*ellipse.exactParams[0]), "2√2");
    EXPECT_EQ(formatExact(*ellipse.exactParams[1]), "(1+√5)/2");
    EXPECT_EQ(formatExact(*sine.exactParams[0]), "1/2");
    EXPECT_EQ(formatExact(*sine.exactParams[2]), "π/6");
    EXPECT_DOUBLE_EQ(ellipse.params[0], 2 * std::sqrt(2.0));
    EXPECT_EQ(sine.params[0], 0.5);
    EXPECT_EQ(picture(b.doc), picture(a.doc));
}

// A file is not a dialog: a value that is not finite refuses the lesson, naming its line and
// field, and the document stays as it was.
TEST(LessonExact, AValueThatIsNotFiniteRefusesTheLesson) {
    SizedDocument doc;
    RecordingNotifier n;
    ASSERT_TRUE(enter(doc.doc, n, Family::Cos, {}));
    const std::string before = picture(doc.doc);
    Lesson lesson;
    Problem p;
    ASSERT_TRUE(parseLesson("yunhuiban-lesson 1.0\nrow sin\nrow ellipse-x:5,1e999\n", lesson, p)) << p.message;
    EXPECT_FALSE(applyLesson(doc.doc, lesson, p));
    EXPECT_EQ(p.line, 3);
    EXPECT_NE(p.message.find("b：“1e999”不是有限的数"), std::string::npos) << p.message;
    EXPECT_EQ(picture(doc.doc), before);
}
