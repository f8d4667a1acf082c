// SPDX-License-Identifier: GPL-3.0-or-later
// Coefficients typed as exact forms: drawn from their true values, kept exact beside them,
// refused when not finite, reopened as typed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "dialogs/expr_parser.h"
#include "form_helpers.h"
#include "plot/curve.h"

using namespace yhb;
using namespace yhb::test;

namespace {

std::string exactOf(const ExpressionSlot& row, int i) {
    return row.exactParams[i] ? formatExact(*row.exactParams[i]) : "none";
}

bool sameBits(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

} // namespace

TEST(ExactFields, TypedFormsAreDrawnFromTheirValuesAndKeptExact) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(enter(doc, n, Family::EllipseX, {"2", "√3"_gb}));
    ASSERT_TRUE(enter(doc, n, Family::EllipseX, {"1/2", "1.732"}));
    ASSERT_TRUE(enter(doc, n, Family::EllipseX, {"（１＋√５）／２"_gb, "2x"}));
    const ExpressionSlot &root = doc.table.slot(0), &half = doc.table.slot(1), &golden = doc.table.slot(2);
    EXPECT_TRUE(sameBits(root.params[1], std::sqrt(3.0)));
    EXPECT_EQ(exactOf(root, 1), "√3");
    EXPECT_EQ(exactOf(root, 0), "2");
    EXPECT_EQ(half.params[0], 0.5); // atof read "1/2" as 1
    EXPECT_EQ(exactOf(half, 0), "1/2");
    // A rounded decimal draws as typed and is shown as what it rounds.
    EXPECT_EQ(half.params[1], 1.732);
    EXPECT_EQ(exactOf(half, 1), "√3");
    EXPECT_DOUBLE_EQ(golden.params[0], (1 + std::sqrt(5.0)) / 2);
    EXPECT_EQ(exactOf(golden, 0), "(1+√5)/2");
    EXPECT_EQ(golden.params[1], 2.0); // no number: read as atof reads it, and nothing exact
    EXPECT_EQ(exactOf(golden, 1), "none");
    EXPECT_TRUE(n.messages.empty());
    // Exact values follow their row when an earlier row is deleted.
    doc.table.deleteSlot(0);
    EXPECT_EQ(exactOf(doc.table.slot(0), 0), "1/2");
    EXPECT_EQ(exactOf(doc.table.slot(1), 0), "(1+√5)/2");
    EXPECT_EQ(doc.table.slotCount, 2);
}

TEST(ExactFields, AValueThatIsNotFiniteIsRefusedAndNothingChanges) {
    Document doc;
    RecordingNotifier n;
    EXPECT_FALSE(enter(doc, n, Family::EllipseX, {"1e999", "2"}));
    ASSERT_EQ(n.messages.size(), 1u);
    EXPECT_EQ(n.messages[0].text, "a：“1e999”不是有限的数，不能计算");
    EXPECT_EQ(doc.table.slotCount, 0);

    ASSERT_TRUE(enter(doc, n, Family::EllipseX, {"5", "4"}));
    beginModify(doc, 0);
    OpenForm f(doc, Family::EllipseX, n);
    f.form.fieldTexts[1] = "nan";
    EXPECT_FALSE(f.form.ok());
    EXPECT_EQ(n.messages.back().text, "b：“nan”不是有限的数，不能计算");
    EXPECT_FALSE(f.form.apply());
    EXPECT_EQ(doc.table.slot(0).params[1], 4.0);
    EXPECT_EQ(doc.table.slotCount, 1);
}

TEST(ExactFields, AnExactFormReopensAsTypedAndDecimalsAsBefore) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(enter(doc, n, Family::EllipseX, {"2π/3"_gb, "1/2"}));
    ASSERT_TRUE(enter(doc, n, Family::EllipseX, {"1.26", "1.732"}));
    const double before = doc.table.slot(0).params[0];
    beginModify(doc, 0);
    OpenForm exact(doc, Family::EllipseX, n);
    EXPECT_EQ(cp936::toUtf8(exact.form.fieldTexts[0]), "2π/3");
    EXPECT_EQ(exact.form.fieldTexts[1], "1/2");
    ASSERT_TRUE(exact.form.ok());
    EXPECT_TRUE(sameBits(doc.table.slot(0).params[0], before));
    EXPECT_EQ(exactOf(doc.table.slot(0), 0), "2π/3");
    // Decimals reopen rounded to one place, as they always have.
    beginModify(doc, 1);
    OpenForm decimal(doc, Family::EllipseX, n);
    EXPECT_EQ(decimal.form.fieldTexts[0], "1.3");
    EXPECT_EQ(decimal.form.fieldTexts[1], "1.7");
}

// The tool's EXPR: exact forms are numbers; a text that is none is an error naming it.
TEST(ExactFields, ExpressionsTakeExactFormsAndNameWhatIsNoNumber) {
    CliExpression e;
    Problem error;
    ASSERT_TRUE(parseExpression("ellipse-x:(1+√5)/2,√3+1010", e, error)) << error.message;
    EXPECT_EQ(e.texts, (std::vector<std::string>{"(1+√5)/2", "√3"}));
    EXPECT_EQ(e.boxes, (std::vector<int>{1010}));
    ASSERT_TRUE(parseExpression("sin:1,2,π/6", e, error)) << error.message;
    ASSERT_TRUE(parseExpression("line-slope:1e+5,-2", e, error)) << error.message;
    ASSERT_TRUE(parseExpression("ellipse-x:1+√2", e, error)) << error.message;
    EXPECT_EQ(e.texts, (std::vector<std::string>{"1+√2"}));
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(enterExpression(doc, e, n));
    EXPECT_DOUBLE_EQ(doc.table.slot(0).params[0], 1 + std::sqrt(2.0));
    EXPECT_EQ(exactOf(doc.table.slot(0), 0), "1+√2");

    EXPECT_FALSE(parseExpression("ellipse-x:5,abc", e, error));
    EXPECT_EQ(error.message, "\"ellipse-x:5,abc\" 的值“abc”不是数（ellipse-x 的 b）");
    EXPECT_FALSE(parseExpression("ellipse-x:1e999", e, error));
    EXPECT_EQ(error.message, "\"ellipse-x:1e999\" 的值“1e999”不是有限的数（ellipse-x 的 a）");
    EXPECT_FALSE(parseExpression("sin:1,2x", e, error));
    EXPECT_NE(error.message.find("“2x”不是数"), std::string::npos) << error.message;
}
