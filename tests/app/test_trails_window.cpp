// SPDX-License-Identifier: GPL-3.0-or-later
// 留下轨迹 in the real dialog over the real main window, and 清除轨迹 from its menu.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>

#include "res/command_ids.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// The first row's colour, magenta, halfway to white: what its trails are drawn in.
const QRgb kLightMagenta = qRgb(255, 128, 255);

void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

TEST(TrailsWindow, SlidersLeaveTrailsOnlyWhileTickedAndTheMenuClearsThem) {
    App app;
    int shownDuring = 0;
    withDialog(*app.window, Family::EllipseX, [&](ParameterDialog& d) {
        typeInto(d.field(1), "1");
        d.command(DialogButton::Apply);
        ASSERT_EQ(app.doc().table.slotCount, 1);
        // Unticked, a slider moves the curve and leaves nothing.
        d.slider(1)->setFocus();
        QTest::keyClick(d.slider(1), Qt::Key_Right);
        EXPECT_TRUE(app.doc().table.slot(0).trail.empty());
        QTest::keyClick(d.slider(1), Qt::Key_Left);

        ASSERT_TRUE(d.traceBox()->isVisible());
        EXPECT_EQ(d.traceBox()->text(), "留下轨迹");
        QTest::mouseClick(d.traceBox(), Qt::LeftButton, {}, QPoint(8, d.traceBox()->height() / 2));
        ASSERT_TRUE(d.traceBox()->isChecked());
        d.slider(1)->setFocus();
        for (int k = 0; k < 4; ++k) QTest::keyClick(d.slider(1), Qt::Key_PageUp); // b = 1 → 5
        EXPECT_EQ(d.field(1)->text(), "5.0");
        // Shown at once, while the dialog is still up.
        shownDuring = countColour(app.window->canvas()->image(), kLightMagenta);
    });
    const RowTrail& trail = app.doc().table.slot(0).trail;
    ASSERT_EQ(trail.strokes.size(), 4u);
    EXPECT_EQ(trail.strokes[2].back().x, 0.0); // a focus ends at the centre
    EXPECT_GT(shownDuring, 150);
    settle();
    EXPECT_GT(countColour(app.window->canvas()->image(), kLightMagenta), 150);

    app.window->action(Command::ClearTrails)->trigger();
    settle();
    EXPECT_FALSE(app.doc().table.hasTrails());
    EXPECT_EQ(countColour(app.window->canvas()->image(), kLightMagenta), 0);
    EXPECT_EQ(app.doc().table.slotCount, 1); // the rows stay
    EXPECT_EQ(app.doc().table.slot(0).params[1], 5.0);
}

// ▶ leaves a trail too, and a dialog opened again starts unticked.
TEST(TrailsWindow, ThePlayButtonLeavesATrailAndANewDialogStartsUnticked) {
    App app;
    withDialog(*app.window, Family::ParabolaGeneral, [&](ParameterDialog& d) {
        d.traceBox()->click();
        QTest::mouseClick(d.playButton(1), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return d.field(1)->text() == "1.0"; }, 30000));
        QTest::mouseClick(d.playButton(1), Qt::LeftButton);
    });
    const RowTrail& trail = app.doc().table.slot(0).trail;
    ASSERT_EQ(trail.strokes.size(), 1u);
    for (const PlanePoint& p : trail.strokes[0]) EXPECT_NEAR(p.y, -p.x * p.x, 1e-9); // y = x² + bx: vertex on y = −x²
    EXPECT_GE(trail.strokes[0].size(), 11u);

    withDialog(*app.window, Family::ParabolaGeneral, [&](ParameterDialog& d) { EXPECT_FALSE(d.traceBox()->isChecked()); });
}
