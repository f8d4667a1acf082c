// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialogs/qt/formula_picture.h"
#include "plot/curve.h"
#include "test_util.h"

using namespace yhb;

namespace {

bool inked(QRgb c) { return qGray(c) < 200; }

struct Ink {
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1, count = 0;
};

Ink inkIn(const QImage& img, const QRectF& box) {
    Ink ink;
    const QRect r = box.toAlignedRect().intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (inked(img.pixel(x, y))) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
    return ink;
}

bool isAxisName(const PictureText& t) { return t.text == "x" || t.text == "y"; }

} // namespace

// What each sketch must name: every point and line its boxes offer, and the marks its
// equation is about (intercepts, radius, slope).
TEST(FormulaPicture, EverySketchNamesWhatItsBoxesOffer) {
    const std::map<Family, std::multiset<std::string>> expected = {
        {Family::PointSlope, {"(x1,y1)", "k"}},
        {Family::TwoPoint, {"(x1,y1)", "(x2,y2)"}},
        {Family::Intercept, {"a", "b"}},
        {Family::EllipseX, {"A1", "A2", "B1", "B2", "F1", "F2", "l", "l"}},
        {Family::EllipseY, {"A1", "A2", "B1", "B2", "F1", "F2", "l", "l"}},
        {Family::HyperbolaX, {"A1", "A2", "F1", "F2", "l", "l"}},
        {Family::HyperbolaY, {"A1", "A2", "F1", "F2", "l", "l"}},
        {Family::ParabolaRight, {"l", "F"}},
        {Family::ParabolaLeft, {"l", "F"}},
        {Family::ParabolaUp, {"l", "F"}},
        {Family::ParabolaDown, {"l", "F"}},
        {Family::CircleOrigin, {"r"}},
        {Family::CircleCentre, {"C", "r"}},
        {Family::CircleGeneral, {"C"}},
    };
    const QRectF sketch(0, 0, kFormulaPictureRule, kFormulaPictureHeight);
    for (const FamilySpec& f : families()) {
        const QImage img = formulaPicture(f);
        std::vector<PictureText> names;
        for (const PictureText& t : formulaPictureTexts(f))
            if (sketch.contains(t.box.center())) names.push_back(t);
        std::multiset<std::string> named;
        for (const PictureText& n : names)
            if (!isAxisName(n)) named.insert(n.text);
        auto it = expected.find(f.kind);
        for (const std::string& want : it == expected.end() ? std::multiset<std::string>{} : it->second)
            EXPECT_GE(named.count(want), it->second.count(want)) << f.cliName << " lacks " << want;

        for (std::size_t i = 0; i < names.size(); ++i) {
            const PictureText& n = names[i];
            EXPECT_TRUE(sketch.adjusted(1, 1, -2, -1).contains(n.box)) << f.cliName << " " << n.text << " leaves the sketch";
            EXPECT_GT(inkIn(img, n.box).count, 8) << f.cliName << " " << n.text << " is not drawn";
            for (std::size_t j = i + 1; j < names.size(); ++j)
                EXPECT_FALSE(n.box.intersects(names[j].box)) << f.cliName << ": " << n.text << " overlaps " << names[j].text;
        }
    }
}

// The raised "2" of every square and the raised x of b^x: drawn whole, inside the picture,
// above the middle of what it raises, and not cut at the foot (a "2" without its foot reads
// as "1").
TEST(FormulaPicture, RaisedPartsAreWholeAndAboveTheirBase) {
    int raised = 0;
    for (const FamilySpec& f : families()) {
        const QImage img = formulaPicture(f);
        for (const PictureText& t : formulaPictureTexts(f)) {
            if (!t.exponent) continue;
            ++raised;
            const std::string what = std::string(f.cliName) + " " + t.text;
            ASSERT_TRUE(img.rect().contains(t.box.toAlignedRect())) << what;
            const Ink ink = inkIn(img, t.box);
            ASSERT_GT(ink.count, 6) << what;
            EXPECT_GT(ink.top, 0) << what;
            EXPECT_LT(ink.bottom, t.box.bottom() - 1) << what << ": ink reaches the foot of its cell";
            EXPECT_LT(ink.bottom, t.baseBox.center().y()) << what << ": not raised above its base";
            int foot = 0;
            for (int x = ink.left; x <= ink.right; ++x) foot += inked(img.pixel(x, ink.bottom));
            if (t.text == "2") { EXPECT_GE(2 * foot, ink.right - ink.left + 1) << what << ": the foot is missing"; }
        }
    }
    EXPECT_GE(raised, 20);
}

// The equation stays between the rule and the border with room to spare, its coefficients
// red; the sketch has its curve.
TEST(FormulaPicture, EquationsKeepClearOfTheBorderAndTheRule) {
    for (const FamilySpec& f : families()) {
        const QImage img = formulaPicture(f);
        ASSERT_EQ(img.size(), QSize(kFormulaPictureWidth, kFormulaPictureHeight));
        EXPECT_EQ(img.pixel(kFormulaPictureRule, 60), qRgb(200, 200, 200)) << f.cliName;
        const Ink equation = inkIn(img, QRectF(kFormulaPictureRule + 1, 0, kFormulaPictureWidth, kFormulaPictureHeight));
        EXPECT_GE(equation.left, kFormulaPictureRule + 3) << f.cliName;
        EXPECT_LE(equation.right, kFormulaPictureWidth - 4) << f.cliName << ": the last glyph touches the border";
        EXPECT_GE(equation.top, 3) << f.cliName;
        EXPECT_LE(equation.bottom, kFormulaPictureHeight - 4) << f.cliName;
        int red = 0, curve = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                if (x > kFormulaPictureRule && qRed(c) > 180 && qGreen(c) < 120 && qBlue(c) < 120) ++red;
                if (x < kFormulaPictureRule && c == qRgb(0, 0, 220)) ++curve;
            }
        EXPECT_GT(red, 6) << f.cliName;
        EXPECT_GT(curve, 30) << f.cliName;
        EXPECT_TRUE(img.save(QString::fromStdString(testOutputDir() + "/picture-" + f.cliName + ".png")));
    }
}

// At a device pixel ratio of 2 the picture has twice the pixels, drawn at that resolution:
// the rule is two device pixels wide and the equation's text is not a scaled-up copy.
TEST(FormulaPicture, DrawnAtTheDevicePixelRatio) {
    const FamilySpec& f = *findFamily(Family::EllipseX);
    const QImage one = formulaPicture(f), two = formulaPicture(f, 2.0);
    ASSERT_EQ(two.size(), QSize(2 * kFormulaPictureWidth, 2 * kFormulaPictureHeight));
    EXPECT_EQ(two.devicePixelRatio(), 2.0);
    EXPECT_EQ(two.pixel(2 * kFormulaPictureRule, 120), qRgb(200, 200, 200));
    EXPECT_EQ(two.pixel(2 * kFormulaPictureRule + 1, 120), qRgb(200, 200, 200));
    EXPECT_EQ(two.pixel(2 * kFormulaPictureRule + 2, 120), qRgb(255, 255, 255));
    QImage doubled = one.scaled(one.size() * 2);
    doubled.setDevicePixelRatio(2.0);
    EXPECT_NE(two, doubled);
    EXPECT_TRUE(two.save(QString::fromStdString(testOutputDir() + "/picture-ellipse-x@2.png")));
}
