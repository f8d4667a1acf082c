// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dialogs/coefficient_sliders.h"
#include "families/labels.h"
#include "form_helpers.h"
#include "gfx/recording_surface.h"
#include "plot/curve.h"

using namespace yhb;
using namespace yhb::test;

namespace {

std::vector<int> course(Bounce b, int steps) {
    std::vector<int> out;
    for (int i = 0; i < steps; ++i) out.push_back(b.next());
    return out;
}

} // namespace

TEST(SliderRanges, EveryFieldStartsWithARangeHoldingItsDefault) {
    for (const FamilySpec& f : families())
        for (std::size_t i = 0; i < f.fields.size(); ++i) {
            const SliderRange r = f.fields[i].slider;
            const SliderSpan s = sliderSpan(r);
            EXPECT_LT(s.min, s.max) << f.cliName << " " << i;
            EXPECT_LE(r.from, f.fields[i].defaultValue) << f.cliName << " " << i;
            EXPECT_GE(r.to, f.fields[i].defaultValue) << f.cliName << " " << i;
        }
    // Sizes stay positive, coefficients may go negative.
    EXPECT_EQ(findFamily(Family::EllipseX)->fields[1].slider.from, 0.5);
    EXPECT_EQ(findFamily(Family::EllipseX)->fields[1].slider.to, 10);
    EXPECT_EQ(findFamily(Family::CircleCentre)->fields[2].slider.from, 0.5);
    EXPECT_LT(findFamily(Family::CircleCentre)->fields[0].slider.from, 0);
    EXPECT_LT(findFamily(Family::Sin)->fields[0].slider.from, 0);
}

TEST(SliderRanges, TypedRangesAreCheckedAndTheMessageNamesTheFault) {
    SliderRange r;
    Problem error;
    ASSERT_TRUE(parseSliderRange("0.5", " 10 ", r, error));
    EXPECT_EQ(sliderSpan(r).min, 5);
    EXPECT_EQ(sliderSpan(r).max, 100);
    ASSERT_TRUE(parseSliderRange("-2.5", cp936::fromUtf8("３"), r, error)); // full-width digits, as in the fields
    EXPECT_EQ(r.to, 3);
    EXPECT_EQ(sliderSpan({0.3, 0.7}).min, 3); // 0.3 * 10 is not exactly 3

    const SliderRange before = r;
    EXPECT_FALSE(parseSliderRange("abc", "10", r, error));
    EXPECT_EQ(error.message, "起点“abc”不是数");
    EXPECT_FALSE(parseSliderRange("1", "", r, error));
    EXPECT_EQ(error.message, "终点“”不是数");
    EXPECT_FALSE(parseSliderRange("1", "5x", r, error));
    EXPECT_EQ(error.message, "终点“5x”不是数");
    EXPECT_FALSE(parseSliderRange("10", "0.5", r, error));
    EXPECT_EQ(error.message, "起点必须小于终点，且至少相差 0.1");
    EXPECT_FALSE(parseSliderRange("0.55", "0.6", r, error)); // no two tenths between them
    EXPECT_FALSE(parseSliderRange("0", "1e9", r, error));
    EXPECT_EQ(error.message, "范围不能超出 -10000 到 10000");
    EXPECT_FALSE(parseSliderRange("nan", "1", r, error));
    EXPECT_EQ(r.from, before.from);
    EXPECT_EQ(r.to, before.to);
}

TEST(SliderRanges, PositionsAreTenths) {
    const SliderSpan s{-50, 50};
    int p = 0;
    ASSERT_TRUE(sliderPositionOf(2.34, s, p));
    EXPECT_EQ(p, 23);
    ASSERT_TRUE(sliderPositionOf(-0.05000001, s, p));
    EXPECT_EQ(p, -1);
    ASSERT_TRUE(sliderPositionOf(1e300, s, p));
    EXPECT_EQ(p, 50);
    ASSERT_TRUE(sliderPositionOf(-std::numeric_limits<double>::infinity(), s, p));
    EXPECT_EQ(p, -50);
    p = 7;
    EXPECT_FALSE(sliderPositionOf(std::nan(""), s, p));
    EXPECT_EQ(p, 7);
    EXPECT_EQ(sliderText(-5), "-0.5");
    EXPECT_EQ(sliderText(0), "0.0");
    EXPECT_EQ(sliderText(123), "12.3");
}

TEST(Animation, BouncesBetweenTheEndsOneTenthAStep) {
    EXPECT_EQ(course(Bounce(3, {0, 5}), 9), (std::vector<int>{4, 5, 4, 3, 2, 1, 0, 1, 2}));
    EXPECT_EQ(course(Bounce(5, {0, 5}), 3), (std::vector<int>{4, 3, 2})); // at the top: downwards
    EXPECT_EQ(course(Bounce(40, {0, 5}), 2), (std::vector<int>{4, 3}));  // from outside: held first
    EXPECT_EQ(course(Bounce(2, {2, 2}), 2), (std::vector<int>{2, 2}));
    Bounce b(8, {0, 10});
    b.next();
    b.setSpan({0, 9}); // the range narrowed under the running value
    EXPECT_EQ(b.position(), 9);
    EXPECT_EQ(b.next(), 8);
}

// A slider move is 应用 with the value typed: same row, records, label and colour.
TEST(SliderSet, AMoveIsApplyWithTheValueTyped) {
    Document byHand, bySlider;
    RecordingNotifier n;
    enter(byHand, n, Family::SlopeIntercept, {"1", "0"});
    enter(bySlider, n, Family::SlopeIntercept, {"1", "0"});
    for (Document* d : {&byHand, &bySlider}) ASSERT_TRUE(beginNew(*d, n));
    OpenForm hand(byHand, Family::EllipseX, n), slide(bySlider, Family::EllipseX, n);
    for (ParameterForm* f : {&hand.form, &slide.form}) {
        f->setBox(1010, true);
        f->setBox(1011, true);
        f->setBox(1012, true);
    }
    SliderSet sliders(slide.form);
    EXPECT_EQ(sliders.position(1), 40);
    EXPECT_EQ(sliders.move(1, 25), SliderSet::Outcome::Applied);
    EXPECT_EQ(slide.form.fieldTexts[1], "2.5");
    hand.form.fieldTexts[1] = "2.5";
    ASSERT_TRUE(hand.form.apply());
    EXPECT_EQ(rowSeen(bySlider, 1), rowSeen(byHand, 1));
    EXPECT_NE(rowSeen(bySlider, 1).find("[x^2/5.0^2] + [y^2/2.5^2] =1"), std::string::npos) << rowSeen(bySlider, 1);

    // Many moves claim the new row once; the next opening writes the row after it.
    for (int p = 26; p < 60; ++p) sliders.move(1, p);
    EXPECT_EQ(bySlider.table.slotCount, 2);
    slide.form.cancel();
    EXPECT_EQ(bySlider.table.slotCount, 2);
    EXPECT_EQ(bySlider.table.slot(1).params[1], 5.9); // 取消 keeps what was applied
}

TEST(SliderSet, TheCirclesRefusalIsSaidOnceAndStopsTheAnimation) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(beginNew(doc, n));
    OpenForm open(doc, Family::CircleGeneral, n);
    SliderSet sliders(open.form);
    // D = E = -3: F up to 4.4 is a circle, from 4.5 on it is not.
    EXPECT_EQ(sliders.move(2, 44), SliderSet::Outcome::Applied);
    EXPECT_EQ(sliders.move(2, 45), SliderSet::Outcome::Refused);
    EXPECT_EQ(sliders.move(2, 60), SliderSet::Outcome::Refused);
    ASSERT_EQ(n.messages.size(), 1u);
    EXPECT_EQ(doc.table.slot(0).params[2], 4.4); // the refused values stored nothing
    sliders.move(2, 10);
    sliders.move(2, 50);
    EXPECT_EQ(n.messages.size(), 2u); // a new run of refusals says so again

    sliders.move(2, 40);
    sliders.start(2);
    ASSERT_TRUE(sliders.running());
    std::vector<std::string> seen;
    while (sliders.running() && seen.size() < 20) {
        sliders.tick();
        seen.push_back(open.form.fieldTexts[2]);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"4.1", "4.2", "4.3", "4.4", "4.5"}));
    EXPECT_FALSE(sliders.running());
    EXPECT_EQ(n.messages.size(), 3u);
    EXPECT_EQ(doc.table.slot(0).params[2], 4.4);
}

TEST(SliderSet, TheAnimationRunsUntilASliderIsTouched) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(beginNew(doc, n));
    OpenForm open(doc, Family::EllipseX, n);
    SliderSet sliders(open.form);
    Problem error;
    ASSERT_TRUE(sliders.setRange(1, "3.5", "4.2", error));
    sliders.start(1);
    std::vector<std::string> seen;
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(sliders.tick(), SliderSet::Outcome::Applied);
        seen.push_back(open.form.fieldTexts[1]);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"4.1", "4.2", "4.1", "4.0", "3.9", "3.8", "3.7", "3.6", "3.5", "3.6"}));
    EXPECT_EQ(doc.table.slot(0).params[1], 3.6);
    EXPECT_EQ(doc.table.slotCount, 1);
    sliders.move(0, 60); // another slider
    EXPECT_FALSE(sliders.running());
    EXPECT_EQ(sliders.tick(), SliderSet::Outcome::Unchanged);
    EXPECT_EQ(doc.table.slot(0).params[1], 3.6);
    EXPECT_EQ(doc.table.slot(0).params[0], 6.0);
}

TEST(SliderSet, TypedValuesMoveTheSliderAndWidenItsRange) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(beginNew(doc, n));
    OpenForm open(doc, Family::EllipseX, n);
    SliderSet sliders(open.form);
    open.form.fieldTexts[0] = "7.25";
    EXPECT_FALSE(sliders.follow(0));
    EXPECT_EQ(sliders.position(0), 73);
    open.form.fieldTexts[0] = "12";
    EXPECT_TRUE(sliders.follow(0));
    EXPECT_EQ(sliders.range(0).to, 12);
    EXPECT_EQ(sliders.position(0), 120);
    open.form.fieldTexts[0] = "1e9"; // beyond any range: the slider waits at its end
    EXPECT_FALSE(sliders.follow(0));
    EXPECT_EQ(sliders.position(0), 120);
    EXPECT_EQ(doc.table.slotCount, 0); // typing applies nothing

    // A bad range leaves the old one.
    Problem error;
    EXPECT_FALSE(sliders.setRange(0, "5", "1", error));
    EXPECT_EQ(sliders.range(0).to, 12);
    // Modify mode: the row's value is shown, and a range that did not hold it is widened.
    enter(doc, n, Family::EllipseX, {"25", "4"});
    beginModify(doc, 0);
    OpenForm modify(doc, Family::EllipseX, n);
    SliderSet again(modify.form);
    EXPECT_EQ(again.range(0).to, 25);
    EXPECT_EQ(again.position(0), 250);
}
