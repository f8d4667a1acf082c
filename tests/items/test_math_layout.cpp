// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gfx/recording_surface.h"
#include "items/math_layout.h"

using namespace yhb;
using namespace yhb::math;
using Kind = RecordingSurface::Kind;

namespace {

constexpr double kSize = 20.0;

struct Drawn {
    std::vector<const RecordingSurface::Op*> texts, rules;
};

Drawn drawn(RecordingSurface& rec, const Node& n, Layout* out = nullptr) {
    rec.clear();
    const Layout l = layout(n, rec, kSize);
    l.draw(rec, 100, 100);
    if (out) *out = l;
    return {rec.ofKind(Kind::TypesetText), rec.ofKind(Kind::Rule)};
}

const RecordingSurface::Op* textOf(const Drawn& d, const std::string& t) {
    for (const auto* op : d.texts)
        if (op->text == t) return op;
    return nullptr;
}

struct Box {
    double left, top, right, bottom;
};
Box boxOf(const RecordingSurface::Op& op) {
    const TextExtent e = tableTextExtent(op.text, {op.size, op.italic});
    return {op.x, op.y - e.ascent, op.x + e.width, op.y + e.descent};
}

// x²/4+y²/3=1
Node ellipseEquation() {
    return row({fraction(superscript(identifier("x"), number("2")), number("4")), plus(),
                fraction(superscript(identifier("y"), number("2")), number("3")), equals(), number("1")});
}

} // namespace

TEST(MathLayout, FractionPartsAndExponentsStayLegibleAndApart) {
    RecordingSurface rec;
    Layout l;
    const Drawn d = drawn(rec, ellipseEquation(), &l);
    const auto* x = textOf(d, "x");
    const auto* two = textOf(d, "2");
    const auto* four = textOf(d, "4");
    ASSERT_TRUE(x && two && four);
    // Numerator and denominator at no less than 70 % of the label's size, the exponent of a
    // numerator at no less than 60 %.
    EXPECT_GE(x->size, kFractionPartRatio * kSize);
    EXPECT_GE(four->size, kFractionPartRatio * kSize);
    EXPECT_GE(two->size, kScriptRatio * kSize);
    EXPECT_LT(two->size, x->size); // an exponent is smaller than its base
    // The exponent is raised above its base's baseline and set to its right.
    EXPECT_LT(two->y, x->y);
    EXPECT_GE(two->x, boxOf(*x).right - 0.01);
    // The numerator over the bar over the denominator, never overlapping.
    ASSERT_GE(d.rules.size(), 2u); // two fraction bars
    const auto* bar = d.rules[0];
    EXPECT_LE(boxOf(*x).bottom, bar->y - bar->w / 2 + 0.01);
    EXPECT_GE(boxOf(*four).top, bar->y + bar->w / 2 - 0.01);
    EXPECT_GE(bar->x2 - bar->x, boxOf(*x).right - boxOf(*x).left);
    // Every drawn glyph lies within the layout's box.
    for (const auto* t : d.texts) {
        const Box b = boxOf(*t);
        EXPECT_GE(b.left, 100 - 0.01) << t->text;
        EXPECT_LE(b.right, 100 + l.width + 0.01) << t->text;
        EXPECT_GE(b.top, 100 - l.ascent - 0.01) << t->text;
        EXPECT_LE(b.bottom, 100 + l.descent + 0.01) << t->text;
    }
}

TEST(MathLayout, LettersItalicDigitsAndNamesUprightWithSpacedOperators) {
    RecordingSurface rec;
    // y=2sin(2x)−1 and A₁(−2,0)
    const Drawn d = drawn(rec, row({identifier("y"), equals(), number("2"),
                                    function("sin", brackets(row({number("2"), identifier("x")}))), minus(), number("1")}));
    for (const auto* t : d.texts) {
        const bool letter = t->text == "x" || t->text == "y";
        EXPECT_EQ(t->italic, letter) << t->text;
    }
    // Glyphs at their natural widths: "sin" is one run, narrower than three cells of "m".
    const auto* sin = textOf(d, "sin");
    ASSERT_TRUE(sin);
    EXPECT_NEAR(boxOf(*sin).right - boxOf(*sin).left, tableTextExtent("sin", {kSize, false}).width, 1e-9);
    // Space round "=" and the binary minus; none after a sign.
    const auto* y = textOf(d, "y");
    const auto* eq = textOf(d, "=");
    ASSERT_TRUE(y && eq);
    EXPECT_GT(eq->x - boxOf(*y).right, 0.2 * kSize);

    const Drawn p = drawn(rec, row({subscript(identifier("A"), number("1")),
                                    brackets(row({sign(), number("2"), comma(), number("0")}))}));
    const auto* minusSign = textOf(p, "\xE2\x88\x92");
    const auto* two = textOf(p, "2");
    ASSERT_TRUE(minusSign && two);
    EXPECT_NEAR(two->x, boxOf(*minusSign).right, 1e-9);
    const auto* index = textOf(p, "1");
    ASSERT_TRUE(index);
    EXPECT_GT(index->y, textOf(p, "A")->y); // the index below the letter's baseline
    EXPECT_GE(index->size, kScriptRatio * kSize);
}

TEST(MathLayout, RootsAndBracketsGrowWithWhatTheyHold) {
    RecordingSurface rec;
    Layout plain, tall;
    // √3: a drawn sign whose bar spans the radicand
    const Drawn r = drawn(rec, root(number("3")), &plain);
    ASSERT_FALSE(r.rules.empty());
    const auto* three = textOf(r, "3");
    const auto* bar = r.rules.back();
    EXPECT_LE(bar->x, three->x);
    EXPECT_GE(bar->x2, boxOf(*three).right);
    EXPECT_LE(bar->y, boxOf(*three).top);

    // (½)ˣ: brackets as tall as the fraction inside
    const Drawn b = drawn(rec, superscript(brackets(fraction(number("1"), number("2"))), identifier("x")), &tall);
    EXPECT_TRUE(textOf(b, "(") == nullptr);
    double top = 1e9, bottom = -1e9;
    for (const auto* rule : b.rules) {
        top = std::min({top, rule->y, rule->y2});
        bottom = std::max({bottom, rule->y, rule->y2});
    }
    EXPECT_LE(top, boxOf(*textOf(b, "1")).top + 0.01);
    EXPECT_GE(bottom, boxOf(*textOf(b, "2")).bottom - 0.01);
    EXPECT_GT(tall.height(), plain.height());
}

// \vec{a} and \overline{z}: the mark clears the letters' top and the layout grows to hold it;
// each writer says which mark it is.
TEST(MathLayout, AVectorsArrowAndABarSitAboveTheirLetters) {
    RecordingSurface rec;
    Layout plain, marked;
    drawn(rec, row({identifier("A"), identifier("B")}), &plain);
    const Drawn d = drawn(rec, vector(row({identifier("A"), identifier("B")})), &marked);
    const auto* a = textOf(d, "A");
    const auto* b = textOf(d, "B");
    ASSERT_TRUE(a && b);
    ASSERT_EQ(d.rules.size(), 3u) << "a shaft and the head's two strokes";
    const auto* shaft = d.rules[0];
    EXPECT_LT(shaft->y, boxOf(*a).top) << "above the letters";
    EXPECT_LE(shaft->x, boxOf(*a).left + kSize * 0.1);
    EXPECT_GE(shaft->x2, boxOf(*b).right - kSize * 0.1) << "over both letters";
    EXPECT_GT(marked.ascent, plain.ascent);
    EXPECT_EQ(toLatex(vector(identifier("a"))), "\\vec{a}");
    EXPECT_EQ(toLatex(vector(row({identifier("A"), identifier("B")}))), "\\overrightarrow{AB}");
    EXPECT_NE(toMathMl(vector(identifier("a"))).find("<mover accent=\"true\"><mi>a</mi><mo>&#x2192;</mo></mover>"), std::string::npos);

    const Drawn z = drawn(rec, overline(identifier("z")));
    ASSERT_EQ(z.rules.size(), 1u) << "a bar alone";
    EXPECT_LT(z.rules[0]->y, boxOf(*textOf(z, "z")).top);
    EXPECT_EQ(toLatex(overline(identifier("z"))), "\\overline{z}");
    EXPECT_EQ(toUnicode(overline(identifier("z"))), "z\xCC\x85");
}
