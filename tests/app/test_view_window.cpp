// SPDX-License-Identifier: GPL-3.0-or-later
// Framing the figure in the real window on a 1920 x 1080 screen: the wheel and the keys zoom
// about the pointer, 适合窗口 shows the whole scene, a resize keeps the middle, 全屏演示,
// touch, and family dialogs beside the canvas.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPointingDevice>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include "app/dialog_placement.h"
#include "app/full_screen.h"
#include "app/panel_picture.h"
#include "plot/qt/canvas_input.h"
#include "plot/view_fit.h"
#include "sample_scenes.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// Where a plane point (units) is drawn on the canvas widget.
QPointF shownAt(MainWindow& w, UnitPoint p) {
    const Document& d = w.document();
    const double m = w.canvas()->magnification();
    return {(d.canvas.originX + p.x * d.view.pixelsPerUnit) * m, (d.canvas.originY - p.y * d.view.pixelsPerUnit) * m};
}

void wheel(QWidget* c, QPointF at, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWheelEvent e(at, c->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(c, &e);
}

// The canvas widget's image pixel (device pixels at ratio 1) has the colour within a few pixels.
bool colourNear(const QImage& img, QPointF at, QRgb c, int reach = 4) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p(static_cast<int>(at.x()) + dx, static_cast<int>(at.y()) + dy);
            if (img.rect().contains(p) && img.pixel(p) == c) return true;
        }
    return false;
}

void key(MainWindow& w, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    w.activateWindow();
    QApplication::processEvents();
    QTest::keyClick(w.windowHandle(), k, mods);
    settle();
}

void expectNear(QPointF a, QPointF b, double d, const char* what) {
    EXPECT_NEAR(a.x(), b.x(), d) << what;
    EXPECT_NEAR(a.y(), b.y(), d) << what;
}

} // namespace

TEST(ViewWindow, TheWheelZoomsAboutThePointerInTheButtonsSteps) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::EllipseX, {"5", "4"});
    CanvasWidget* c = w.canvas();
    for (bool presentation : {false, true}) {
        if (presentation) key(w, Qt::Key_F5);
        ASSERT_EQ(app.doc().view.presentation, presentation);
        const QPointF at(c->width() * 0.8, c->height() * 0.3);
        const UnitPoint under = c->planeAt(at);
        const int ppu = app.doc().view.pixelsPerUnit;
        wheel(c, at, 120);
        EXPECT_EQ(app.doc().view.pixelsPerUnit, ppu + 4);
        expectNear(shownAt(w, under), at, c->magnification(), "one notch in");
        wheel(c, at, -240, Qt::ControlModifier);
        EXPECT_EQ(app.doc().view.pixelsPerUnit, ppu - 4);
        expectNear(shownAt(w, under), at, c->magnification(), "two notches out");
        // A touchpad's small deltas add up to a step.
        for (int i = 0; i < 3; ++i) wheel(c, at, 40);
        EXPECT_EQ(app.doc().view.pixelsPerUnit, ppu);
        expectNear(shownAt(w, under), at, c->magnification(), "back");
        // The ellipse is drawn where the view says: its right vertex in magenta.
        const QRgb magenta = presentation ? c->image().pixel(shownAt(w, {5, 0}).toPoint()) : qRgb(255, 0, 255);
        wheel(c, at, 120);
        EXPECT_TRUE(colourNear(c->image(), shownAt(w, {5, 0}) * c->devicePixelRatioF(), magenta)) << presentation;
        EXPECT_TRUE(colourNear(c->image(), shownAt(w, {0, 4}) * c->devicePixelRatioF(), magenta)) << presentation;
    }
    // At the limits the steps stop, as the buttons' do.
    for (int i = 0; i < 30; ++i) wheel(c, {10, 10}, 120);
    EXPECT_EQ(app.doc().view.pixelsPerUnit, 84);
}

TEST(ViewWindow, CtrlPlusAndMinusZoomAboutThePointerOrTheMiddle) {
    App app;
    MainWindow& w = *app.window;
    CanvasWidget* c = w.canvas();
    const QPoint at(60, 50);
    QCursor::setPos(c->mapToGlobal(at));
    const UnitPoint under = c->planeAt(at);
    key(w, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(app.doc().view.pixelsPerUnit, 24);
    expectNear(shownAt(w, under), at, 1, "Ctrl+= at the pointer");
    // The pointer off the canvas: about its middle.
    QCursor::setPos(w.mapToGlobal(QPoint(w.width() - 5, 5)));
    const QPointF middle(c->width() / 2.0, c->height() / 2.0);
    const UnitPoint centre = c->planeAt(middle);
    key(w, Qt::Key_Minus, Qt::ControlModifier);
    key(w, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(app.doc().view.pixelsPerUnit, 16);
    expectNear(shownAt(w, centre), middle, 1, "Ctrl+- in the middle");
}

TEST(ViewWindow, FitShowsEveryNamedPointOfTheFiveRows) {
    App app;
    MainWindow& w = *app.window;
    w.resizeClient(1400, 860);
    sample::enterFiveRows(app.doc());
    w.documentReplaced();
    // Magnified and dragged away, most of the scene is out of sight.
    for (int i = 0; i < 10; ++i) wheel(w.canvas(), {20, 20}, 120);
    key(w, Qt::Key_0, Qt::ControlModifier);
    CanvasWidget* c = w.canvas();
    const QImage img = c->image();
    int named = 0;
    for (int r = 0; r < app.doc().table.slotCount; ++r) {
        const ExpressionSlot& row = app.doc().table.slot(r);
        for (int j = 0; j < row.extraCount; ++j) {
            if (row.extras[j].plotOp != PlotOp::PointMark) continue;
            ++named;
            const QPointF p = shownAt(w, {row.extras[j].params[0], row.extras[j].params[1]});
            EXPECT_TRUE(QRectF(c->rect()).adjusted(20, 20, -20, -20).contains(p)) << r << " " << j;
            EXPECT_TRUE(colourNear(img, p, toQColor(SlotColours[static_cast<std::size_t>(row.colourIndex)]).rgb()))
                << "the mark of row " << r << " point " << j;
        }
    }
    EXPECT_EQ(named, 11);
    // The sine's two periods fill the canvas's width: the view is no smaller than it need be.
    const double span = shownAt(w, {4 * M_PI, 0}).x() - shownAt(w, {-4 * M_PI, 0}).x();
    EXPECT_GT(span, c->width() * 0.7);
    EXPECT_TRUE(w.action(Command::FitView) != nullptr && w.action(Command::FitView)->text() == "适合窗口");
}

TEST(ViewWindow, ResizingMaximisingAndPresentationKeepTheMiddle) {
    App app;
    MainWindow& w = *app.window;
    CanvasWidget* c = w.canvas();
    auto middle = [&] { return QPointF(c->width() / 2.0, c->height() / 2.0); };
    // Dragged off the middle first, so that keeping the origin would not do.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 100), c->mapToGlobal(QPointF(100, 100)), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 160), c->mapToGlobal(QPointF(40, 160)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &move);
    const UnitPoint kept = c->planeAt(middle());
    ASSERT_GT(std::abs(kept.x), 1);

    w.resizeClient(1300, 900);
    expectNear(shownAt(w, kept), middle(), 1, "larger");
    w.showMaximized();
    settle();
    ASSERT_GT(c->width(), 1300);
    expectNear(shownAt(w, kept), middle(), 1, "maximised");
    key(w, Qt::Key_F5);
    ASSERT_TRUE(app.doc().view.presentation);
    expectNear(shownAt(w, kept), middle(), 2, "演示模式");
    key(w, Qt::Key_F, Qt::ControlModifier);
    expectNear(shownAt(w, kept), middle(), 2, "全屏");
    key(w, Qt::Key_F, Qt::ControlModifier);
    key(w, Qt::Key_F5);
    w.showNormal();
    settle();
    expectNear(shownAt(w, kept), middle(), 1, "restored");
}

TEST(ViewWindow, F11ShowsTheFigureFullScreenAndEscLeaves) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::EllipseX, {"5", "4"}, {1011});
    const QRect before = w.geometry();
    key(w, Qt::Key_F11);
    EXPECT_TRUE(w.isFullScreen());
    EXPECT_EQ(w.geometry(), w.screen()->geometry());
    EXPECT_FALSE(w.menuBar()->isVisible());
    EXPECT_TRUE(app.doc().view.presentation); // as in 演示模式: magnified, canvas and panel
    EXPECT_TRUE(w.modifyButton(0)->isVisible());
    EXPECT_GT(w.canvas()->width(), 1000);
    EXPECT_FALSE(w.labelBox(0).width == 0);
    const QImage shown = w.renderClient();
    EXPECT_TRUE(shown.save(QString::fromStdString(testOutputDir() + "/full-screen-show.png")));
    // The menu bar is hidden; its keys still work.
    key(w, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(app.doc().view.pixelsPerUnit, 24);
    key(w, Qt::Key_Escape);
    EXPECT_FALSE(w.isFullScreen());
    EXPECT_TRUE(w.menuBar()->isVisible());
    EXPECT_FALSE(app.doc().view.presentation);
    EXPECT_EQ(w.geometry(), before);
    // F11 leaves it too, and 演示模式 chosen before stays on after.
    key(w, Qt::Key_F5);
    key(w, Qt::Key_F11);
    EXPECT_TRUE(w.isFullScreen());
    key(w, Qt::Key_F11);
    EXPECT_FALSE(w.isFullScreen());
    EXPECT_TRUE(app.doc().view.presentation);
}

TEST(ViewWindow, TouchDragsPinchesAndReadsOut) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::EllipseX, {"5", "4"});
    CanvasWidget* c = w.canvas();
    QPointingDevice* board = QTest::createTouchDevice();
    const CanvasView& v = app.doc().canvas;

    // One finger drags the plane.
    const int ox = v.originX, oy = v.originY;
    QTest::touchEvent(c, board).press(0, QPoint(200, 200));
    QTest::touchEvent(c, board).move(0, QPoint(260, 230));
    QTest::touchEvent(c, board).release(0, QPoint(260, 230));
    settle();
    EXPECT_EQ(v.originX, ox + 60);
    EXPECT_EQ(v.originY, oy + 30);

    // Two fingers twice as far apart: twice the scale, and what was between them follows
    // their centre.
    const QPoint a(150, 200), b(250, 200), a2(80, 210), b2(280, 210);
    const UnitPoint between = c->planeAt((QPointF(a) + QPointF(b)) / 2);
    QTest::touchEvent(c, board).press(0, a).press(1, b);
    QTest::touchEvent(c, board).move(0, a2).move(1, b2);
    EXPECT_EQ(app.doc().view.pixelsPerUnit, 40);
    expectNear(shownAt(w, between), (QPointF(a2) + QPointF(b2)) / 2, 1, "pinched");
    // Lifting one finger leaves a drag with the other.
    const int px = v.originX;
    QTest::touchEvent(c, board).release(1, b2).move(0, a2);
    QTest::touchEvent(c, board).move(0, a2 + QPoint(-50, 0));
    QTest::touchEvent(c, board).release(0, a2 + QPoint(-50, 0));
    settle();
    EXPECT_EQ(v.originX, px - 50);

    // A finger held still reads the coordinates, as the right button does.
    c->repaintNow();
    const QImage before = c->image().copy();
    QTest::touchEvent(c, board).press(0, QPoint(300, 120));
    QTest::qWait(CanvasInput::kLongPressMs / 3);
    EXPECT_EQ(c->image(), before); // not yet
    QTest::qWait(CanvasInput::kLongPressMs);
    EXPECT_NE(c->image(), before);
    QTest::touchEvent(c, board).release(0, QPoint(300, 120));
    EXPECT_EQ(v.originX, px - 50); // and did not move the plane
}

TEST(ViewWindow, AFamilyDialogOpensBesideTheCanvas) {
    App app;
    MainWindow& w = *app.window;
    w.move(0, 0);
    settle();
    const QRect canvas(w.canvas()->mapToGlobal(QPoint(0, 0)), w.canvas()->size());
    QRect dialogAt;
    w.runParameterDialog = [&](ParameterDialog& d) {
        d.show();
        settle();
        dialogAt = d.frameGeometry();
        d.reject();
    };
    w.command(Family::EllipseX);
    ASSERT_FALSE(dialogAt.isEmpty());
    EXPECT_FALSE(dialogAt.intersects(canvas)) << dialogAt.x() << "," << dialogAt.y() << " " << dialogAt.width();
    EXPECT_TRUE(w.screen()->availableGeometry().contains(dialogAt));
    // Maximised there is no room outside, and the dialog is wider than the label panel: in
    // the corner that leaves the curves in sight, here those of the row being modified.
    w.showMaximized();
    settle();
    enterThroughDialog(w, Family::HyperbolaX, {"3", "2"}, {1011});
    w.runParameterDialog = [&](ParameterDialog& d) {
        d.show();
        settle();
        dialogAt = d.frameGeometry();
        d.reject();
    };
    const QRect figure = figureOnScreen(*w.canvas());
    EXPECT_GT(figure.width(), 150); // x from -√13 - 3 to beyond √13 + 3 at 20 pixels a unit
    click(w.modifyButton(0));
    EXPECT_FALSE(dialogAt.intersects(figure)) << dialogAt.x() << "," << dialogAt.y() << " " << dialogAt.width();
    EXPECT_TRUE(w.screen()->availableGeometry().contains(dialogAt));
}

TEST(DialogPlacement, OutsideThenOverThePanelThenLeftThenTheFreestCorner) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize dialog(420, 500);
    const QRect figure(500, 400, 300, 200);
    // A window at the left with room on its right.
    EXPECT_EQ(besideCanvas(dialog, {10, 90, 600, 500}, {0, 30, 820, 620}, screen, figure), QPoint(828, 90));
    // Maximised: the panel is wide enough.
    EXPECT_EQ(besideCanvas(dialog, {10, 90, 1425, 950}, {0, 0, 1920, 1080}, screen, figure), QPoint(1443, 90));
    // A window at the right of the screen whose panel is too narrow: outside on its left.
    EXPECT_EQ(besideCanvas(dialog, {1310, 90, 450, 400}, {1300, 30, 620, 500}, screen, figure), QPoint(1300 - 8 - 420, 90));
    // Nowhere free: the corner that covers least of the figure, on the screen.
    const QSize wide(734, 560);
    EXPECT_EQ(besideCanvas(wide, {10, 90, 1425, 950}, {0, 0, 1920, 1080}, screen, {600, 300, 500, 400}), QPoint(1186, 90));
    EXPECT_EQ(besideCanvas(wide, {10, 90, 1425, 950}, {0, 0, 1920, 1080}, screen, {1200, 100, 300, 300}), QPoint(1186, 520));
    EXPECT_EQ(besideCanvas(wide, {10, 90, 1425, 950}, {0, 0, 1920, 1080}, screen, {1000, 100, 800, 900}), QPoint(0, 90));
}

TEST(WindowSize, AboutFourFifthsOfALargeScreenCentred) {
    EXPECT_EQ(initialWindowRect({0, 0, 1920, 1040}), QRect(192, 104, 1536, 832));
    EXPECT_EQ(initialWindowRect({0, 0, 1024, 768}), QRect(112, 84, 800, 600));
    EXPECT_EQ(initialWindowRect({0, 0, 640, 480}), QRect(0, 0, 640, 480));
    // The real window on this 1920 x 1080 screen.
    Catalogue none;
    RecordingNotifier n;
    MainWindow w(none, n);
    w.show();
    settle();
    const QRect screen = w.screen()->availableGeometry();
    EXPECT_NEAR(w.frameGeometry().width(), screen.width() * 0.8, 20);
    EXPECT_NEAR(w.frameGeometry().height(), screen.height() * 0.8, 40);
    EXPECT_NEAR(w.frameGeometry().center().x(), screen.center().x(), 20);
    EXPECT_NEAR(w.frameGeometry().center().y(), screen.center().y(), 40);
}

// The label panel is kept between paints: a paint that changes no label draws none, a slider
// step draws only its row's, and what shows is the same as a panel drawn afresh.
TEST(LabelPanel, DrawsOnlyChangedLabelsAndShowsWhatAFreshPanelShows) {
    App kept, fresh;
    MainWindow& w = *kept.window;
    enterThroughDialog(w, Family::EllipseX, {"5", "4"});
    enterThroughDialog(w, Family::Sin, {"2", "1", "0"});
    enterThroughDialog(w, Family::CircleCentre, {"1", "1", "2"});
    w.renderClient();
    const int drawn = w.panelPicture().labelsDrawn();
    w.client()->repaint();
    w.renderClient();
    EXPECT_EQ(w.panelPicture().labelsDrawn(), drawn); // nothing changed, nothing drawn

    // Two slider steps on the sine's amplitude: its label alone, once a step.
    w.runParameterDialog = [&](ParameterDialog& d) {
        d.show();
        settle();
        d.slider(0)->setFocus();
        QTest::keyClick(d.slider(0), Qt::Key_Right);
        QTest::keyClick(d.slider(0), Qt::Key_Right);
        d.accept();
    };
    click(w.modifyButton(1));
    settle();
    EXPECT_EQ(w.panelPicture().labelsDrawn(), drawn + 2);
    const QString amplitude = QString::number(kept.doc().table.slot(1).params[0], 'f', 1);
    ASSERT_NE(amplitude, "2.0");
    enterThroughDialog(*fresh.window, Family::EllipseX, {"5", "4"});
    enterThroughDialog(*fresh.window, Family::Sin, {amplitude, "1", "0"});
    enterThroughDialog(*fresh.window, Family::CircleCentre, {"1", "1", "2"});
    EXPECT_EQ(w.renderClient(), fresh.window->renderClient());

    // A row deleted leaves no label behind; the notation switched redraws them all.
    w.deleteRow(2);
    fresh.window->deleteRow(2);
    EXPECT_EQ(w.renderClient(), fresh.window->renderClient());
    w.command(Command::TextbookNotation);
    fresh.window->command(Command::TextbookNotation);
    EXPECT_EQ(w.renderClient(), fresh.window->renderClient());
}
