// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "families/labels.h"
#include "gfx/recording_surface.h"
#include "plot/canvas_scene.h"
#include "form_helpers.h"
#include "plot/curve.h"
#include "plot/plotter.h"
#include "res/strings.h"

using namespace yhb;
using namespace yhb::test;

namespace {

std::vector<std::string> records(const ExpressionSlot& s) {
    std::vector<std::string> out;
    char buf[96];
    for (int j = 0; j < s.extraCount; ++j) {
        const ExtraPlot& e = s.extras[j];
        std::snprintf(buf, sizeof buf, "%d:%d:%d:%.3f,%.3f", e.sourceControl, static_cast<int>(e.plotOp), familyId(e.kind), e.params[0], e.params[1]);
        out.push_back(buf);
    }
    return out;
}

} // namespace

TEST(ParameterForm, NewModeShowsTheDefaultsOfEachFamilyGroup) {
    Document doc;
    RecordingNotifier n;
    for (const FamilySpec& f : families()) {
        ParameterForm form(doc, f, n);
        form.initialise();
        ASSERT_EQ(form.fieldTexts.size(), f.fields.size());
        for (std::size_t i = 0; i < f.fields.size(); ++i)
            EXPECT_EQ(form.fieldTexts[i], formatNumber(f.fields[i].defaultValue)) << f.cliName;
    }
    ParameterForm line(doc, *findFamily(Family::SlopeIntercept), n);
    line.initialise();
    EXPECT_EQ(line.fieldTexts, (std::vector<std::string>{"1.0", "0.0"}));
    ParameterForm general(doc, *findFamily(Family::CircleGeneral), n);
    general.initialise();
    EXPECT_EQ(general.fieldTexts, (std::vector<std::string>{"-3.0", "-3.0", "1.0"}));
}

TEST(ParameterForm, ApplyTwiceThenOkAddsOneRowWithTheLastValues) {
    Document doc;
    RecordingNotifier n;
    int repaints = 0;
    ASSERT_TRUE(beginNew(doc, n));
    ParameterForm form(doc, *findFamily(Family::Sin), n);
    form.repaintCanvas = [&] { ++repaints; };
    form.initialise();
    form.fieldTexts = {"2", "0.5", "-1"};
    EXPECT_TRUE(form.apply());
    form.fieldTexts[0] = "3";
    EXPECT_TRUE(form.apply());
    EXPECT_TRUE(form.ok());
    EXPECT_EQ(doc.table.slotCount, 1);
    EXPECT_EQ(doc.table.slot(0).params[0], 3.0);
    EXPECT_EQ(doc.table.slot(0).kind, Family::Sin);
    EXPECT_EQ(repaints, 3);
    EXPECT_EQ(readLabel(doc.table.slot(0).labels), "y=3.0sin(0.5x)+-1.0");
}

TEST(ParameterForm, CancelKeepsWhatApplyStoredAndCancelAloneChangesNothing) {
    Document doc;
    RecordingNotifier n;
    {
        ASSERT_TRUE(beginNew(doc, n));
        OpenForm f(doc, Family::Cos, n);
        f.form.cancel();
    }
    EXPECT_EQ(doc.table.slotCount, 0);
    {
        ASSERT_TRUE(beginNew(doc, n));
        OpenForm f(doc, Family::Cos, n);
        f.form.apply();
        f.form.cancel();
    }
    EXPECT_EQ(doc.table.slotCount, 1);
    // The next opening of the same family claims the following row.
    EXPECT_TRUE(enter(doc, n, Family::Cos, {"2"}));
    EXPECT_EQ(doc.table.slotCount, 2);
    EXPECT_EQ(doc.table.slot(1).params[0], 2.0);
    EXPECT_EQ(doc.table.slot(0).params[0], 1.0);
}

TEST(ParameterForm, ModifyModeShowsStoredValuesAndRebuildsTheRowInPlace) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(enter(doc, n, Family::TwoPoint, {"1.26", "0", "3", "4"}, {1011}));
    ASSERT_TRUE(enter(doc, n, Family::EllipseX, {"5", "4"}, {1010, 1012}));
    beginModify(doc, 0);
    OpenForm two(doc, Family::TwoPoint, n);
    EXPECT_EQ(two.form.fieldTexts[0], "1.3");
    EXPECT_FALSE(two.form.boxChecked(1010));
    EXPECT_TRUE(two.form.boxChecked(1011));
    EXPECT_TRUE(two.form.ok());
    EXPECT_EQ(doc.table.slot(0).params[0], 1.3);
    EXPECT_EQ(doc.table.slotCount, 2);

    beginModify(doc, 1);
    OpenForm ellipse(doc, Family::EllipseX, n);
    EXPECT_TRUE(ellipse.form.boxChecked(1010));
    EXPECT_FALSE(ellipse.form.boxChecked(1011));
    EXPECT_TRUE(ellipse.form.boxChecked(1012));
    ellipse.form.setBox(1010, false);
    EXPECT_TRUE(ellipse.form.ok());
    EXPECT_EQ(doc.table.slot(1).extraCount, 2); // unchecking removes the vertices
}

TEST(ParameterForm, BoxesAddTheirRecordsInOrder) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(enter(doc, n, Family::EllipseX, {"5", "4"}, {1010, 1011, 1012}));
    EXPECT_EQ(records(doc.table.slot(0)),
              (std::vector<std::string>{"1010:1075:0:-5.000,0.000", "1010:1075:0:5.000,0.000", "1010:1075:0:0.000,-4.000",
                                        "1010:1075:0:0.000,4.000", "1011:1075:0:-3.000,0.000", "1011:1075:0:3.000,0.000",
                                        "1012:1076:0:8.333,0.000", "1012:1076:0:-8.333,0.000"}));
    ASSERT_TRUE(enter(doc, n, Family::HyperbolaY, {"5", "4"}, {1013}));
    EXPECT_EQ(records(doc.table.slot(1)),
              (std::vector<std::string>{"1013:1074:32773:1.250,0.000", "1013:1074:32773:-1.250,0.000"}));
    ASSERT_TRUE(enter(doc, n, Family::ParabolaRight, {"2"}, {1010, 1011}));
    EXPECT_EQ(records(doc.table.slot(2)), (std::vector<std::string>{"1010:1076:0:-1.000,0.000", "1011:1075:0:1.000,0.000"}));
    ASSERT_TRUE(enter(doc, n, Family::CircleGeneral, {}, {1010}));
    EXPECT_EQ(records(doc.table.slot(3)), (std::vector<std::string>{"1010:1075:0:1.500,1.500"}));
    ASSERT_TRUE(enter(doc, n, Family::ParabolaUp, {"2"}, {1010, 1011}));
    EXPECT_EQ(records(doc.table.slot(4)), (std::vector<std::string>{"1010:1077:0:-1.000,0.000", "1011:1075:0:0.000,1.000"}));
    EXPECT_FALSE(doc.table.slot(4).twoBranches);
    EXPECT_TRUE(doc.table.slot(0).twoBranches);
}

TEST(ParameterForm, TheSixthExpressionIsRefused) {
    Document doc;
    RecordingNotifier n;
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(enter(doc, n, Family::SlopeIntercept, {std::to_string(i)}));
    EXPECT_FALSE(beginNew(doc, n));
    ASSERT_EQ(n.messages.size(), 1u);
    EXPECT_EQ(n.messages[0].text, "表达式个数已大于5个，请删除后再添加新的！");
    EXPECT_EQ(n.messages[0].caption, appTitleUtf8());
    EXPECT_EQ(doc.table.slotCount, 5);
}

TEST(ParameterForm, GeneralCircleAcceptsAnyPositiveValueAndARefusalTouchesNothing) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(enter(doc, n, Family::CircleGeneral, {"1", "0", "0.2"}));
    EXPECT_TRUE(n.messages.empty());
    ASSERT_TRUE(enter(doc, n, Family::CircleGeneral, {"2", "0", "0.25"}));

    // A refused modification keeps the row exactly as it was, and the dialog open.
    beginModify(doc, 0);
    OpenForm f(doc, Family::CircleGeneral, n);
    f.form.fieldTexts = {"0", "0", "1"};
    EXPECT_FALSE(f.form.ok());
    ASSERT_EQ(n.messages.size(), 1u);
    EXPECT_EQ(n.messages[0].text, utf8String(StringId::CircleRefused));
    EXPECT_EQ(doc.table.slot(0).kind, Family::CircleGeneral);
    EXPECT_EQ(doc.table.slot(0).params[2], 0.2);
    EXPECT_GT(doc.table.slot(0).labels.count(), 0);
    EXPECT_NE(doc.table.slot(0).colourIndex, 0);

    // Huge or undefined values are refused, never overflowed into acceptance.
    for (const char* d : {"1e200", "nan", "inf"}) {
        f.form.fieldTexts = {d, "0", "0"};
        EXPECT_FALSE(f.form.apply()) << d;
    }
    // In new mode nothing is claimed.
    ASSERT_TRUE(beginNew(doc, n));
    OpenForm g(doc, Family::CircleGeneral, n);
    g.form.fieldTexts = {"0", "0", "1"};
    EXPECT_FALSE(g.form.ok());
    g.form.cancel();
    EXPECT_EQ(doc.table.slotCount, 2);
}

TEST(ParameterForm, FieldsAreReadLikeAtofOfFortyNineCharacters) {
    EXPECT_EQ(readField(""), 0.0);
    EXPECT_EQ(readField("abc"), 0.0);
    EXPECT_EQ(readField("2.5x"), 2.5);
    EXPECT_EQ(readField(std::string(48, '0') + "7"), 7.0);
    EXPECT_EQ(readField(std::string(49, '0') + "7"), 0.0); // the 50th character is never read
}

TEST(ParameterForm, NewModeAfterDeletingTheLastRowStartsWithItsLeftoverBoxes) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(enter(doc, n, Family::EllipseX, {"5", "4"}, {1011}));
    doc.table.deleteSlot(0);
    ASSERT_TRUE(beginNew(doc, n));
    OpenForm f(doc, Family::EllipseX, n);
    EXPECT_TRUE(f.form.boxChecked(1011));
    EXPECT_FALSE(f.form.boxChecked(1010));
}

TEST(ParameterForm, NumbersTypedInFullWidthReadAsTheirAsciiForms) {
    EXPECT_EQ(readField(cp936::fromUtf8("１.５")), 1.5);
    EXPECT_EQ(readField(cp936::fromUtf8("－３")), -3.0);
    EXPECT_EQ(readField(cp936::fromUtf8("＋２．２５")), 2.25);
    EXPECT_EQ(readField(cp936::fromUtf8("３。５")), 3.5);
    EXPECT_EQ(readField(cp936::fromUtf8("１２x")), 12.0);
    // Anything else keeps the atof rule: the longest numeric prefix.
    EXPECT_EQ(readField(cp936::fromUtf8("二")), 0.0);
    EXPECT_EQ(readField(cp936::fromUtf8("4，5")), 4.0);

    Document wide, ascii;
    RecordingNotifier n;
    ASSERT_TRUE(enter(wide, n, Family::EllipseX, {cp936::fromUtf8("５"), cp936::fromUtf8("４")}, {1011}));
    ASSERT_TRUE(enter(ascii, n, Family::EllipseX, {"5", "4"}, {1011}));
    EXPECT_EQ(wide.table.slot(0).params[0], 5.0);
    EXPECT_EQ(records(wide.table.slot(0)), records(ascii.table.slot(0)));
    EXPECT_EQ(readLabel(wide.table.slot(0).labels), readLabel(ascii.table.slot(0).labels));
}

TEST(ParameterForm, AZeroIsNeverWrittenWithASign) {
    Document doc;
    RecordingNotifier n;
    // x² + y² − 4x − 5 = 0: the centre (2, −0) as computed.
    ASSERT_TRUE(enter(doc, n, Family::CircleGeneral, {"-4", "0", "-5"}, {1010}));
    RecordingSurface s;
    paintCanvas(s, doc.table, doc.view, 600, 400);
    bool centre = false;
    for (const auto* op : s.ofKind(RecordingSurface::Kind::Text)) {
        EXPECT_EQ(op->text.find("-0.00"), std::string::npos) << op->text;
        centre = centre || op->text == "(2.00,0.00)";
    }
    EXPECT_TRUE(centre);
    // A read-out on the x axis.
    RecordingSurface r;
    r.setOrigin(300, 200);
    drawReadOut(r, doc.view, 330, 200);
    EXPECT_EQ(r.ofKind(RecordingSurface::Kind::Text)[0]->text, "(1.50,0.00)");
    // Labels and fields: "-0.0" from a tiny negative coefficient.
    ASSERT_TRUE(enter(doc, n, Family::SlopeIntercept, {"-0.04", "-0"}));
    EXPECT_EQ(readLabel(doc.table.slot(1).labels), "y=0.0x+0.0");
    OpenForm f(doc, Family::SlopeIntercept, n);
    beginModify(doc, 1);
    f.form.initialise();
    EXPECT_EQ(f.form.fieldTexts[0], "0.0");
    EXPECT_EQ(formatNumber(-0.06), "-0.1");
}
