// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "dialogs/expr_parser.h"
#include "plot/curve.h"

using namespace yhb;

namespace {

CliExpression ok(const std::string& text) {
    CliExpression e;
    Problem error;
    EXPECT_TRUE(parseExpression(text, e, error)) << text << ": " << error.message;
    return e;
}

std::string fails(const std::string& text) {
    CliExpression e;
    Problem error;
    EXPECT_FALSE(parseExpression(text, e, error)) << text;
    return error.message;
}

} // namespace

TEST(CliExpression, FamiliesFieldsAndBoxes) {
    CliExpression e = ok("ellipse-x:4,2+1010+1011");
    EXPECT_EQ(e.family->kind, Family::EllipseX);
    EXPECT_EQ(e.texts, (std::vector<std::string>{"4", "2"}));
    EXPECT_EQ(e.boxes, (std::vector<int>{1010, 1011}));
    EXPECT_EQ(ok("32781").family->kind, Family::EllipseX);
    EXPECT_TRUE(ok("sin").texts.empty());
    EXPECT_EQ(ok("line-slope:1e+5,-2").texts, (std::vector<std::string>{"1e+5", "-2"}));
    EXPECT_EQ(ok("circle-centre:,,5+1010").texts, (std::vector<std::string>{"", "", "5"}));
    EXPECT_EQ(ok("hyperbola-y+1013").boxes, (std::vector<int>{1013}));
}

TEST(CliExpression, ErrorsNameTheProblem) {
    EXPECT_NE(fails("nonsense:1").find("nonsense"), std::string::npos);
    EXPECT_NE(fails("99999").find("99999"), std::string::npos);
    EXPECT_NE(fails("sin+1010").find("1010"), std::string::npos); // sin has no boxes
    EXPECT_NE(fails("logarithm:1,2").find("1 fields"), std::string::npos);
    fails("");
    fails("ellipse-x:1,2+");
    fails("ellipse-x:1,2+10100");
}

TEST(CliExpression, EnteringRunsTheDialogLogic) {
    Document doc;
    RecordingNotifier n;
    EXPECT_TRUE(enterExpression(doc, ok("ellipse-x:4,2+1010+1011"), n));
    EXPECT_EQ(doc.table.slot(0).params[0], 4.0);
    EXPECT_EQ(doc.table.slot(0).extraCount, 6);
    EXPECT_TRUE(enterExpression(doc, ok("circle-centre:,,5"), n));
    EXPECT_EQ(doc.table.slot(1).params[0], 1.0); // a missing text keeps the default
    EXPECT_EQ(doc.table.slot(1).params[2], 5.0);
    EXPECT_FALSE(enterExpression(doc, ok("circle-general:0,0,1"), n));
    EXPECT_EQ(doc.table.slotCount, 2);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(enterExpression(doc, ok("sin"), n));
    EXPECT_FALSE(enterExpression(doc, ok("sin"), n));
    EXPECT_EQ(n.messages.back().text, "表达式个数已大于5个，请删除后再添加新的！");
}
