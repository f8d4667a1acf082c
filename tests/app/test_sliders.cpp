// SPDX-License-Identifier: GPL-3.0-or-later
// The coefficient sliders and the animation in the real dialog, shown over the real main
// window, driven through the event loop.
#include <gtest/gtest.h>

#include <QTest>

#include "../dialogs/form_helpers.h"
#include "plot/curve.h"
#include "res/command_ids.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// How long a wait for the animation may take before it counts as stuck: a step takes 33 ms, so
// this only tells a hung animation from a slow machine.
constexpr int kStuckMs = 30000;

void checkAll(ParameterDialog& d) {
    for (int i = 0; i < static_cast<int>(d.form().family().boxes.size()); ++i) d.box(i)->setChecked(true);
}

} // namespace

// A slider step is 应用 with the value typed: the same row, records, label, canvas and panel.
TEST(Sliders, AStepIsApplyWithTheValueTyped) {
    App bySlider, byHand;
    std::string during;
    QImage sliderClient, handClient, before;
    withDialog(*bySlider.window, Family::EllipseX, [&](ParameterDialog& d) {
        checkAll(d);
        before = bySlider.window->renderClient();
        d.slider(1)->setFocus();
        QTest::keyClick(d.slider(1), Qt::Key_Left); // one step: b = 3.9
        EXPECT_EQ(d.field(1)->text(), "3.9");
        during = rowSeen(bySlider.doc(), 0);
        sliderClient = bySlider.window->renderClient();
    });
    withDialog(*byHand.window, Family::EllipseX, [&](ParameterDialog& d) {
        checkAll(d);
        d.field(1)->setText("3.9");
        d.command(DialogButton::Apply);
        handClient = byHand.window->renderClient();
    });
    ASSERT_EQ(bySlider.doc().table.slotCount, 1);
    EXPECT_EQ(bySlider.doc().table.slot(0).params[1], 3.9);
    EXPECT_EQ(during, rowSeen(byHand.doc(), 0));
    EXPECT_EQ(rowSeen(bySlider.doc(), 0), rowSeen(byHand.doc(), 0)); // 取消 kept what the slider applied
    EXPECT_EQ(bySlider.doc().table.slot(0).extraCount, 8);
    // The panel showed the label while the dialog was still up, as after 应用.
    EXPECT_TRUE(sliderClient == handClient);
    EXPECT_FALSE(sliderClient == before);
}

TEST(Sliders, KeysMoveOneStepOrTenAndTheFirstMoveClaimsTheRowOnce) {
    App app;
    withDialog(*app.window, Family::Sin, [&](ParameterDialog& d) {
        QSlider* a = d.slider(0);
        a->setFocus();
        EXPECT_EQ(app.doc().table.slotCount, 0); // opening claims nothing
        QTest::keyClick(a, Qt::Key_Right);
        EXPECT_EQ(d.field(0)->text(), "1.1");
        EXPECT_EQ(app.doc().table.slotCount, 1);
        QTest::keyClick(a, Qt::Key_PageUp);
        EXPECT_EQ(d.field(0)->text(), "2.1");
        QTest::keyClick(a, Qt::Key_Down);
        QTest::keyClick(a, Qt::Key_PageDown);
        QTest::keyClick(a, Qt::Key_PageDown);
        EXPECT_EQ(d.field(0)->text(), "0.0");
        EXPECT_EQ(app.doc().table.slotCount, 1);
        // Typing moves the slider without applying.
        d.field(0)->setFocus();
        d.field(0)->selectAll();
        QTest::keyClicks(d.field(0), "-3");
        EXPECT_EQ(a->value(), -30);
        EXPECT_EQ(app.doc().table.slot(0).params[0], 0.0);
    });
    EXPECT_EQ(app.doc().table.slotCount, 1);
    // The next opening of the family writes the row after it.
    withDialog(*app.window, Family::Sin, [&](ParameterDialog& d) { QTest::keyClick(d.slider(2), Qt::Key_Up); });
    EXPECT_EQ(app.doc().table.slotCount, 2);
    EXPECT_EQ(app.doc().table.slot(1).params[2], 0.1);
}

TEST(Sliders, AnimationRunsUntilStoppedTouchedOrClosed) {
    App app;
    withDialog(*app.window, Family::EllipseX, [&](ParameterDialog& d) {
        checkAll(d);
        QTest::mouseClick(d.playButton(1), Qt::LeftButton);
        EXPECT_TRUE(d.animating());
        EXPECT_EQ(d.playButton(1)->text(), "■");
        ASSERT_TRUE(QTest::qWaitFor([&] { return d.field(1)->text() == "4.5"; }, kStuckMs));
        EXPECT_EQ(app.doc().table.slot(0).params[1], 4.5);
        EXPECT_EQ(app.doc().table.slotCount, 1);
        // Everything else keeps working: a box cleared drops its records at the next step.
        d.boxById(1012)->setChecked(false);
        ASSERT_TRUE(QTest::qWaitFor([&] { return app.doc().table.slot(0).extraCount == 6; }, kStuckMs));

        QTest::mouseClick(d.playButton(1), Qt::LeftButton); // ■
        EXPECT_FALSE(d.animating());
        EXPECT_EQ(d.playButton(1)->text(), "▶");
        const QString stopped = d.field(1)->text();
        QTest::qWait(200);
        EXPECT_EQ(d.field(1)->text(), stopped);

        // Another slider touched.
        QTest::mouseClick(d.playButton(1), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return d.field(1)->text() != stopped; }, kStuckMs));
        QTest::keyClick(d.slider(0), Qt::Key_Right);
        EXPECT_FALSE(d.animating());
        EXPECT_EQ(d.field(0)->text(), "5.1");
        const QString touched = d.field(1)->text();
        QTest::qWait(200);
        EXPECT_EQ(d.field(1)->text(), touched);

        // Closed while running.
        QTest::mouseClick(d.playButton(1), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return d.field(1)->text() != touched; }, kStuckMs));
        d.reject();
        EXPECT_FALSE(d.animating());
    });
    const std::string closed = rowSeen(app.doc(), 0);
    QTest::qWait(200);
    EXPECT_EQ(rowSeen(app.doc(), 0), closed);
    EXPECT_EQ(app.doc().table.slotCount, 1);
}

// The run ends at the value that stops being a circle, with one message.
TEST(Sliders, TheGeneralCirclesRefusalStopsTheAnimation) {
    App app;
    withDialog(*app.window, Family::CircleGeneral, [&](ParameterDialog& d) {
        d.field(2)->selectAll();
        QTest::keyClicks(d.field(2), "4.2"); // D = E = -3: F may reach 4.4
        QTest::mouseClick(d.playButton(2), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !d.animating(); }, kStuckMs));
        EXPECT_EQ(d.playButton(2)->text(), "▶");
        EXPECT_EQ(d.field(2)->text(), "4.5");
    });
    ASSERT_EQ(app.notifier.messages.size(), 1u);
    EXPECT_EQ(app.notifier.messages[0].text, "D^2+E^2-4F必需大于0！！请重新输入!");
    ASSERT_EQ(app.doc().table.slotCount, 1);
    EXPECT_EQ(app.doc().table.slot(0).params[2], 4.4);
}

TEST(Sliders, BadRangesAreNamedAndLeaveTheSliderAsItWas) {
    App app;
    withDialog(*app.window, Family::HyperbolaX, [&](ParameterDialog& d) {
        EXPECT_EQ(d.rangeFrom(1)->text(), "0.5");
        EXPECT_EQ(d.rangeTo(1)->text(), "10.0");
        EXPECT_EQ(d.slider(1)->maximum(), 100);
        d.rangeTo(1)->selectAll();
        QTest::keyClicks(d.rangeTo(1), "0.2");
        EXPECT_TRUE(d.rangeMessage()->isVisible());
        EXPECT_EQ(d.rangeMessage()->text(), "b 的范围：起点必须小于终点，且至少相差 0.1");
        EXPECT_EQ(d.slider(1)->maximum(), 100);
        d.rangeTo(1)->selectAll();
        QTest::keyClicks(d.rangeTo(1), "2.5");
        EXPECT_FALSE(d.rangeMessage()->isVisible());
        EXPECT_EQ(d.slider(1)->maximum(), 25);
        d.rangeFrom(0)->selectAll();
        QTest::keyClicks(d.rangeFrom(0), "x");
        EXPECT_EQ(d.rangeMessage()->text(), "a 的范围：起点“x”不是数");
        EXPECT_EQ(app.doc().table.slotCount, 0); // nothing applied by editing ranges
    });
}

// A range narrowed below the field's value is kept: the run starts from the slider's end.
TEST(Sliders, TheAnimationKeepsTheRangeTyped) {
    App app;
    withDialog(*app.window, Family::EllipseX, [&](ParameterDialog& d) {
        d.rangeTo(1)->selectAll();
        QTest::keyClicks(d.rangeTo(1), "3");
        EXPECT_EQ(d.slider(1)->value(), 30);
        EXPECT_EQ(d.field(1)->text(), "4.0");
        QTest::mouseClick(d.playButton(1), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return d.field(1)->text() != "4.0"; }, kStuckMs));
        EXPECT_EQ(d.field(1)->text(), "2.9");
        EXPECT_EQ(d.rangeTo(1)->text(), "3");
    });
}

// The dialog keeps the main window's commands out but not drags of its canvas, so a curve
// carried off by an animation can be brought back; the window's zoom button stays blocked.
TEST(Sliders, TheCanvasCanBeDraggedUnderTheDialogWhileItAnimates) {
    App app;
    MainWindow& w = *app.window;
    withDialog(w, Family::EllipseX, [&](ParameterDialog& d) {
        QTest::mouseClick(d.playButton(0), Qt::LeftButton);
        const int x0 = app.doc().canvas.originX, y0 = app.doc().canvas.originY;
        const QPoint start = w.canvas()->mapTo(&w, QPoint(200, 200));
        QTest::mousePress(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, start);
        QTest::mouseMove(w.windowHandle(), start + QPoint(30, 10));
        QTest::mouseMove(w.windowHandle(), start + QPoint(60, 20));
        QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, start + QPoint(60, 20));
        QApplication::processEvents();
        EXPECT_EQ(app.doc().canvas.originX, x0 + 60);
        EXPECT_EQ(app.doc().canvas.originY, y0 + 20);
        EXPECT_TRUE(d.animating());
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, w.toolbarButton(0)->mapTo(&w, QPoint(20, 20)));
        QApplication::processEvents();
        EXPECT_EQ(app.doc().view.pixelsPerUnit, 20) << "the zoom button took a click under the dialog";
        // The main window's close box does nothing while the dialog is up.
        EXPECT_FALSE(w.close());
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(d.isVisible());
    });
    // Afterwards the window takes its commands again.
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, w.toolbarButton(0)->mapTo(&w, QPoint(20, 20)));
    QApplication::processEvents();
    EXPECT_EQ(app.doc().view.pixelsPerUnit, 24);
}

// Saved for looking at: the ellipse's dialog with its sliders.
TEST(Sliders, ScreenshotOfTheEllipseDialog) {
    App app;
    withDialog(*app.window, Family::EllipseX, [&](ParameterDialog& d) {
        checkAll(d);
        d.adjustSize();
        QApplication::processEvents();
        const QImage shot = d.grab().toImage();
        EXPECT_GT(shot.width(), 500);
        EXPECT_TRUE(shot.save(QString::fromStdString(testOutputDir() + "/dialog-ellipse-sliders.png")));
    });
}
