// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include "app/panel_picture.h"
#include "app/picture_export.h"
#include "plot/curve.h"
#include "res/command_ids.h"
#include "res/strings.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

TEST(MainWindow, MenusCarryTheCommandsAndTheBank) {
    App app;
    MainWindow& w = *app.window;
    EXPECT_EQ(w.objectName(), "FUNCTION00");
    EXPECT_EQ(w.canvas()->objectName(), "Function");
    QStringList top;
    for (QAction* a : w.menuBar()->actions()) top << a->text();
    EXPECT_EQ(top, (QStringList{"文件", "添加新函数", "坐标设置", "关于", "※精选题库※"}));
    for (const FamilySpec& f : families()) EXPECT_NE(w.action(f.kind), nullptr) << f.cliName;

    // One popup per top-level category, each with its categories and then its aggregate.
    QList<QAction*> popups = w.bankMenu()->actions();
    ASSERT_EQ(popups.size(), app.catalogue.topLevelCount() + 2);
    EXPECT_TRUE(popups[popups.size() - 2]->isSeparator());
    EXPECT_EQ(popups.back()->text(), "重新载入题库"); // last, below the categories
    popups.resize(app.catalogue.topLevelCount());
    EXPECT_EQ(popups[0]->text(), "函数");
    const QList<QAction*> items = popups[0]->menu()->actions();
    EXPECT_EQ(items.front()->text(), "函数的概念与性质");
    EXPECT_EQ(items.back()->text(), "★函数★所有题目");
    EXPECT_EQ(items.front()->data().toInt(), cmd::BankCategoryBase);
}

TEST(MainWindow, EnteringThroughTheDialogStoresAndDrawsTheRow) {
    App app;
    MainWindow& w = *app.window;
    bool sawDefaults = false;
    w.runParameterDialog = [&](ParameterDialog& d) {
        sawDefaults = d.field(0)->text() == "1.0" && d.field(1)->text() == "0.0";
        d.show();
        d.field(0)->setText("1");
        d.field(1)->setText("2");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(d.field(1), &enter);
        EXPECT_EQ(d.result(), 1);
    };
    w.command(Family::SlopeIntercept);
    EXPECT_TRUE(sawDefaults);
    ASSERT_EQ(app.doc().table.slotCount, 1);
    EXPECT_EQ(app.doc().table.slot(0).params[1], 2.0);
    // y = x + 2 in magenta: through the origin's column two units up.
    const QImage& img = w.canvas()->image();
    const int ox = app.doc().canvas.originX, oy = app.doc().canvas.originY;
    auto nearMagenta = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (img.pixel(x + dx, y + dy) == qRgb(255, 0, 255)) return true;
        return false;
    };
    for (int X = -100; X <= 100; X += 10) EXPECT_TRUE(nearMagenta(ox + X, oy - X - 40)) << X;
    EXPECT_EQ(img.pixel(ox + 20, oy - 60), qRgb(255, 0, 255));
    // The row's label and buttons appear in the panel.
    const QImage client = w.renderClient();
    EXPECT_TRUE(w.modifyButton(0)->isVisible());
    EXPECT_TRUE(w.modifyButton(1)->geometry().isEmpty()); // free rows' buttons have no size
    EXPECT_GT(countColour(client.copy(w.canvas()->geometry().right() + 10, 60, 200, 80), qRgb(255, 0, 255)), 20);
}

TEST(MainWindow, TheSixthExpressionIsRefusedAndFOpensNothing) {
    App app;
    MainWindow& w = *app.window;
    int opened = 0;
    w.runParameterDialog = [&](ParameterDialog&) { ++opened; };
    w.command(Command::KeyF);
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(app.notifier.messages.empty());
    w.runParameterDialog = {};
    for (int i = 0; i < 5; ++i) enterThroughDialog(w, Family::SlopeIntercept, {QString::number(i)});
    ASSERT_EQ(app.doc().table.slotCount, 5);
    w.runParameterDialog = [&](ParameterDialog&) { ++opened; };
    w.command(Family::EllipseX);
    w.command(Command::KeyF);
    EXPECT_EQ(opened, 0);
    ASSERT_EQ(app.notifier.messages.size(), 2u);
    EXPECT_EQ(app.notifier.messages[0].text, "表达式个数已大于5个，请删除后再添加新的！");
    EXPECT_EQ(app.notifier.messages[0].caption, appTitleUtf8());
}

TEST(MainWindow, FullScreenAndPiAxisToggleWithTheirCheckMarks) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::Sin, {});
    w.command(Command::MainFullScreen);
    w.renderClient();
    EXPECT_TRUE(w.action(Command::MainFullScreen)->isChecked());
    EXPECT_EQ(w.canvas()->geometry(), w.client()->rect());
    EXPECT_FALSE(w.toolbarButton(0)->isVisible());
    EXPECT_FALSE(w.modifyButton(0)->isVisible());
    w.command(Command::MainFullScreen);
    w.renderClient();
    EXPECT_FALSE(w.action(Command::MainFullScreen)->isChecked());
    EXPECT_EQ(w.canvas()->geometry().topLeft(), QPoint(10, 60));
    EXPECT_TRUE(w.modifyButton(0)->isVisible());
    w.command(Command::PiAxis);
    EXPECT_TRUE(w.action(Command::PiAxis)->isChecked());
    EXPECT_TRUE(app.doc().view.piAxis);
}

TEST(MainWindow, ToolbarZoomLimitsAndNumbers) {
    App app;
    MainWindow& w = *app.window;
    ViewSettings& v = app.doc().view;
    v.pixelsPerUnit = 80;
    click(w.toolbarButton(0));
    EXPECT_EQ(v.pixelsPerUnit, 84);
    click(w.toolbarButton(0));
    EXPECT_EQ(v.pixelsPerUnit, 84);
    v.pixelsPerUnit = 8;
    click(w.toolbarButton(1));
    EXPECT_EQ(v.pixelsPerUnit, 4);
    click(w.toolbarButton(1));
    EXPECT_EQ(v.pixelsPerUnit, 4);
    click(w.toolbarButton(2));
    EXPECT_FALSE(v.showLabels);
    click(w.toolbarButton(2));
    EXPECT_TRUE(v.showLabels);
}

TEST(MainWindow, DeleteAndModifyButtons) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::SlopeIntercept, {"1"});
    enterThroughDialog(w, Family::EllipseX, {"5", "4"}, {1011});
    enterThroughDialog(w, Family::Cos, {"2"});
    w.renderClient();
    EXPECT_TRUE(w.deleteButton(2)->isVisible());

    click(w.deleteButton(0));
    ASSERT_EQ(app.doc().table.slotCount, 2);
    EXPECT_EQ(app.doc().table.slot(0).kind, Family::EllipseX);
    EXPECT_FALSE(w.deleteButton(2)->isVisible());
    EXPECT_FALSE(w.modifyButton(2)->isVisible());

    // Modify opens the row's family with its values; Cancel leaves the row as it was.
    bool shown = false;
    w.runParameterDialog = [&](ParameterDialog& d) {
        shown = d.form().family().kind == Family::EllipseX && d.field(0)->text() == "5.0" && d.box(1)->isChecked();
        d.reject();
    };
    click(w.modifyButton(0));
    EXPECT_TRUE(shown);
    EXPECT_EQ(app.doc().table.slot(0).extraCount, 2);

    // A row of kind 0 opens no dialog; it can still be deleted.
    app.doc().table.resetSlot(1);
    int opened = 0;
    w.runParameterDialog = [&](ParameterDialog&) { ++opened; };
    click(w.modifyButton(1));
    EXPECT_EQ(opened, 0);
    click(w.deleteButton(1));
    EXPECT_EQ(app.doc().table.slotCount, 1);
    w.deleteRow(5);
    ASSERT_EQ(app.notifier.messages.size(), 1u);
    EXPECT_EQ(app.notifier.messages[0].text, "删除函数表达式出错！！");
}

TEST(MainWindow, CanvasDragAndReadOut) {
    App app;
    MainWindow& w = *app.window;
    CanvasWidget* c = w.canvas();
    const int ox = app.doc().canvas.originX;
    auto send = [&](QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
        QMouseEvent e(t, p, c->mapToGlobal(p), b, held, Qt::NoModifier);
        QApplication::sendEvent(c, &e);
    };
    send(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(c->cursor().shape(), Qt::ClosedHandCursor);
    send(QEvent::MouseMove, {130, 100}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {130, 100}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(app.doc().canvas.originX, ox + 30);
    EXPECT_EQ(c->cursor().shape(), Qt::OpenHandCursor);
    EXPECT_EQ(c->surface().origin().x, ox + 30);
    const QImage before = c->image();
    send(QEvent::MouseButtonPress, {40, 40}, Qt::RightButton, Qt::RightButton);
    EXPECT_NE(c->image(), before); // the read-out is written into the canvas
    c->repaintNow();
    EXPECT_EQ(c->image(), before); // and removed by the next repaint
}

TEST(MainWindow, AboutBoxAndBankInformation) {
    App app;
    MainWindow& w = *app.window;
    QString caption;
    w.runAboutBox = [&](QDialog& box) { caption = box.windowTitle(); };
    w.command(Command::About);
    EXPECT_EQ(caption.toStdString(), appTitleUtf8());
    w.command(Command::BankInfo);
    ASSERT_EQ(app.notifier.messages.size(), 1u);
    EXPECT_EQ(app.notifier.messages[0].caption, appTitleUtf8());
    EXPECT_NE(app.notifier.messages[0].text.find("大类:★2★"), std::string::npos);
    EXPECT_NE(app.notifier.messages[0].text.find("小类:★14★"), std::string::npos);
}

TEST(MainWindow, Screenshot) {
    App app;
    MainWindow& w = *app.window;
    w.resizeClient(1000, 640);
    enterThroughDialog(w, Family::EllipseX, {"5", "4"}, {1010, 1011, 1012});
    enterThroughDialog(w, Family::HyperbolaX, {"3", "2"}, {1013});
    enterThroughDialog(w, Family::Tan, {});
    enterThroughDialog(w, Family::CircleCentre, {"-2", "1", "2"}, {1010});
    enterThroughDialog(w, Family::ParabolaRight, {"2"}, {1010, 1011});
    const QImage shot = w.renderClient();
    EXPECT_TRUE(shot.save(QString::fromStdString(testOutputDir() + "/main-window.png")));
    for (QRgb c : {qRgb(255, 0, 255), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 0)})
        EXPECT_GT(countColour(shot, c), 100);
}

TEST(MainWindow, ExportWritesPngOrVectorSvgAndNamesAFileItCannotWrite) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::EllipseX, {"5", "4"}, {1010});
    TempDir d;
    ASSERT_TRUE(saveCanvasPicture(app.doc(), w.canvas()->image(), QString::fromStdString(d / "c.png"), app.notifier));
    EXPECT_EQ(QImage(QString::fromStdString(d / "c.png")), w.canvas()->image());
    ASSERT_TRUE(saveCanvasPicture(app.doc(), w.canvas()->image(), QString::fromStdString(d / "c.svg"), app.notifier));
    std::ifstream in(d / "c.svg");
    const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("<polyline"), std::string::npos);
    EXPECT_NE(svg.find("<text"), std::string::npos);
    EXPECT_TRUE(app.notifier.messages.empty());
    EXPECT_FALSE(saveCanvasPicture(app.doc(), w.canvas()->image(), "/nonexistent-dir/c.svg", app.notifier));
    ASSERT_EQ(app.notifier.messages.size(), 1u);
    EXPECT_EQ(app.notifier.messages[0].text, "无法写入文件“/nonexistent-dir/c.svg”：文件夹不存在。");
}

// The label panel's picture covers only the label column, and none is made while no row is in
// use; the client still shows its plain ground everywhere the children leave uncovered.
TEST(LabelPanel, PictureOnlyInTheLabelColumnAndNoneWithoutRows) {
    App app;
    MainWindow& w = *app.window;
    const QColor ground = w.palette().color(QPalette::Window);
    auto groundAround = [&](const QImage& shot) {
        const QRect canvas = w.canvas()->geometry();
        // Left and bottom margins, the strip above the canvas between the toolbar buttons, and
        // the label column's foot.
        for (QPoint p : {QPoint(3, canvas.center().y()), QPoint(canvas.center().x(), shot.height() - 3),
                         QPoint(canvas.left() + 80, 30), QPoint(shot.width() - 5, shot.height() - 5)})
            EXPECT_EQ(shot.pixelColor(p), ground) << p.x() << "," << p.y();
    };
    QImage shot = w.renderClient();
    EXPECT_TRUE(w.panelPicture().area().isEmpty());
    groundAround(shot);
    EXPECT_EQ(shot.pixelColor(shot.width() - 100, shot.height() / 2), ground);

    enterThroughDialog(w, Family::EllipseX, {"5", "4"});
    shot = w.renderClient();
    const QRect area = w.panelPicture().area();
    const int canvasRight = w.canvas()->geometry().right() + 1;
    EXPECT_LE(area.left(), canvasRight);
    EXPECT_GT(area.left(), canvasRight - 16);
    EXPECT_EQ(area.right(), w.client()->width() - 1);
    EXPECT_EQ(area.height(), w.client()->height());
    groundAround(shot);
    // The label itself shows, in the ellipse's magenta, inside its box.
    const Rect box = w.labelBox(0);
    ASSERT_GT(box.width, 0);
    EXPECT_GT(countColour(shot.copy(box.x, box.y, box.width, box.height), qRgb(255, 0, 255)), 50);

    // Deleting the last row leaves the column plain ground again.
    click(w.deleteButton(0));
    settle();
    shot = w.renderClient();
    EXPECT_EQ(countColour(shot.copy(canvasRight, 0, shot.width() - canvasRight, shot.height()), qRgb(255, 0, 255)), 0);
    groundAround(shot);
}

// A paint of the whole client draws the canvas once: the first show, and a repaint after the
// rows changed. A second paint of the canvas would, under X, wait for the first to reach the
// screen.
TEST(MainWindow, APaintOfTheClientPaintsTheCanvasOnce) {
    Catalogue none;
    RecordingNotifier notifier;
    MainWindow w(none, notifier);
    struct Count : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } count;
    w.canvas()->installEventFilter(&count);
    w.show();
    settle();
    EXPECT_EQ(count.paints, 1);

    enterThroughDialog(w, Family::Sin, {"2"});
    settle();
    const QImage before = w.canvas()->image();
    count.paints = 0;
    w.client()->update();
    settle();
    EXPECT_EQ(count.paints, 1);
    EXPECT_EQ(w.canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32), before.convertToFormat(QImage::Format_RGB32));
}
