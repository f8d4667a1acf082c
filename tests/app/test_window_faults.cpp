// SPDX-License-Identifier: GPL-3.0-or-later
// Faults a user met in the real windows, driven through shown widgets and the event loop.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include "app/startup.h"
#include "bank/qt/jump_dialog.h"
#include "plot/curve.h"
#include "res/command_ids.h"
#include "res/strings.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

TEST(WindowFaults, LeavingFullScreenLaysTheWindowOutAtOnce) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::Sin, {});
    settle();
    const QRect normal = w.canvas()->geometry();
    ASSERT_EQ(normal.topLeft(), QPoint(10, 60));

    w.command(Command::MainFullScreen);
    settle();
    EXPECT_EQ(w.canvas()->geometry(), w.client()->rect());
    EXPECT_FALSE(w.toolbarButton(0)->isVisible());
    EXPECT_FALSE(w.modifyButton(0)->isVisible());

    w.command(Command::MainFullScreen); // Ctrl+F again
    settle();
    EXPECT_FALSE(w.action(Command::MainFullScreen)->isChecked());
    EXPECT_EQ(w.canvas()->geometry(), normal);
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(w.toolbarButton(k)->isVisible());
        EXPECT_EQ(w.toolbarButton(k)->size(), QSize(40, 40));
    }
    EXPECT_TRUE(w.modifyButton(0)->isVisible());
    EXPECT_TRUE(w.deleteButton(0)->isVisible());
    EXPECT_EQ(w.modifyButton(0)->size(), QSize(30, 30));
}

TEST(WindowFaults, TheToolbarIsInPlaceWhenTheWindowFirstShows) {
    Catalogue catalogue;
    catalogue.load(bundledBank());
    RecordingNotifier notifier;
    MainWindow w(catalogue, notifier);
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(w.toolbarButton(k)->size().isEmpty()) << "button " << k;
    w.show(); // no event processed yet: what the first frame would show
    const int q = (w.client()->width() - 20) / 4;
    for (int k = 0; k < 3; ++k) EXPECT_EQ(w.toolbarButton(k)->geometry(), QRect(30 + k * q, 10, 40, 40)) << "button " << k;
    EXPECT_EQ(w.canvas()->geometry().topLeft(), QPoint(10, 60));
}

TEST(WindowFaults, FullScreenItemShowsItsShortcutAndCaptionsAreTheTitleAlone) {
    App app;
    EXPECT_EQ(app.window->action(Command::MainFullScreen)->text(), "全屏\tCtrl+F");
    EXPECT_EQ(app.window->windowTitle().toStdString(), appTitleUtf8());
    // Qt adds the application's display name to every caption when one is set.
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
}

TEST(WindowFaults, QtsOwnButtonsSpeakChinese) {
    ASSERT_TRUE(loadChineseTranslations()) << "qt6-translations-l10n is not installed";
    QMessageBox box(QMessageBox::NoIcon, "t", "x", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "确定");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "取消");
    QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Discard);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), "保存");
}

TEST(WindowFaults, AFamilyDialogBlocksTheMainWindowButNotTheQuestionWindow) {
    App app;
    MainWindow& w = *app.window;
    w.command(cmd::BankCategoryBase);
    QuestionWindow* q = w.questionWindow();
    settle();
    ASSERT_TRUE(q->isVisible());
    const int before = app.catalogue.current()->currentQuestion;
    bool ran = false;
    w.runParameterDialog = [&](ParameterDialog& d) {
        ran = true;
        EXPECT_NE(d.windowModality(), Qt::ApplicationModal);
        d.show();
        settle();
        // Real clicks, through the window system, while the dialog is up: 下一题 in the question
        // window's menu bar works, the main window's zoom button does not.
        auto* bar = q->findChild<QMenuBar*>();
        ASSERT_NE(bar, nullptr);
        const QPoint next = bar->mapTo(q, bar->actionGeometry(q->action(Command::NextQuestion)).center());
        QTest::mouseClick(q->windowHandle(), Qt::LeftButton, Qt::NoModifier, next);
        settle();
        EXPECT_EQ(app.catalogue.current()->currentQuestion, before + 1) << "the question window is blocked";
        PictureButton* zoom = w.toolbarButton(0);
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, zoom->mapTo(&w, QPoint(20, 20)));
        settle();
        d.reject();
    };
    w.command(Family::Sin);
    EXPECT_TRUE(ran);
    EXPECT_EQ(app.doc().view.pixelsPerUnit, 20) << "the main window took a click under its dialog";
}

TEST(WindowFaults, MessageBoxesBelongToTheWindowsThatRaiseThem) {
    App app;
    MainWindow& w = *app.window;
    // The circle's refusal: owned by its dialog.
    const void* dialogSeen = nullptr;
    w.runParameterDialog = [&](ParameterDialog& d) {
        dialogSeen = &d;
        d.show();
        d.field(0)->setText("0");
        d.field(1)->setText("0");
        d.field(2)->setText("1");
        d.command(DialogButton::Apply);
        d.reject();
    };
    w.command(Family::CircleGeneral);
    ASSERT_EQ(app.notifier.messages.size(), 1u);
    EXPECT_EQ(app.notifier.messages[0].owner, MessageOwner::of(dialogSeen));
    // Bank information: no owner.
    w.command(Command::BankInfo);
    ASSERT_EQ(app.notifier.messages.size(), 2u);
    EXPECT_EQ(app.notifier.messages[1].owner, MessageOwner::none());
    // The jump refusal: owned by the jump dialog, which is modal to the question window only.
    w.command(cmd::BankCategoryBase);
    JumpDialog jump(w.questionWindow()->navigator(), app.notifier, w.questionWindow());
    EXPECT_EQ(jump.windowModality(), Qt::WindowModal);
    jump.show();
    jump.edit()->setText("4294967301"); // wraps to 5 in 32 bits
    jump.command(DialogButton::Ok);
    ASSERT_EQ(app.notifier.messages.size(), 3u);
    EXPECT_EQ(app.notifier.messages[2].owner, MessageOwner::of(&jump));
    EXPECT_EQ(app.catalogue.current()->currentQuestion, 0);
    jump.edit()->setText("２"); // a full-width digit from the input method
    jump.command(DialogButton::Ok);
    EXPECT_EQ(app.notifier.messages.size(), 3u);
    EXPECT_EQ(app.catalogue.current()->currentQuestion, 1);
}

TEST(WindowFaults, FineWheelStepsAddUpToAScroll) {
    App app;
    QuestionWindow* q = app.window->questionWindow();
    q->resize(400, 200);
    app.window->command(cmd::BankCategoryBase + 5);
    q->command(Command::QuestionAnswer);
    settle();
    ASSERT_GT(q->scrollBar()->maximum(), 3);
    QWidget* view = q->childAt(50, q->height() / 2);
    ASSERT_NE(view, nullptr);
    auto wheel = [&](int dy) {
        QWheelEvent e(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, dy), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &e);
    };
    for (int i = 0; i < 4; ++i) wheel(-30); // a touch pad's small steps, one notch in all
    EXPECT_EQ(q->scrollBar()->value(), 3);
    wheel(-120); // a whole notch still scrolls three units
    EXPECT_EQ(q->scrollBar()->value(), 6);
    for (int i = 0; i < 8; ++i) wheel(15);
    EXPECT_EQ(q->scrollBar()->value(), 3);
}

TEST(WindowFaults, ClosingTheMainWindowEndsTheProgramWhateverTheQuestionWindowShows) {
    App app;
    MainWindow& w = *app.window;
    w.command(cmd::BankCategoryBase);
    settle();
    ASSERT_TRUE(w.questionWindow()->isVisible());
    EXPECT_EQ(closeInEventLoop(w), 0) << "the event loop went on with the question window still open";
}

TEST(WindowFaults, IconButtonsSayWhatTheyDoWhenHovered) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::Sin, {});
    settle();
    auto hover = [](QWidget* button) {
        const QPoint at(button->width() / 2, button->height() / 2);
        QHelpEvent e(QEvent::ToolTip, at, button->mapToGlobal(at));
        QApplication::sendEvent(button, &e);
        return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string("(no tip)");
    };
    EXPECT_EQ(hover(w.toolbarButton(0)), "放大");
    EXPECT_EQ(hover(w.toolbarButton(1)), "缩小");
    EXPECT_EQ(hover(w.toolbarButton(2)), "显示或隐藏坐标轴上的数字");
    EXPECT_EQ(hover(w.modifyButton(0)), "修改这一行的函数");
    EXPECT_EQ(hover(w.deleteButton(0)), "删除这一行的函数");
    QToolTip::hideText();
}

// 退出 in 文件, Ctrl+Q: asks about rows never saved, as the close box does, then ends the program.
TEST(WindowFaults, CtrlQQuitsAfterAskingAboutUnsavedRows) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::Sin, {});
    QString answer = "取消";
    int asked = 0;
    w.lessons().runPrompt = [&](QMessageBox& box) {
        ++asked;
        box.show();
        for (QAbstractButton* b : box.buttons())
            if (b->text() == answer) b->click();
    };
    w.activateWindow();
    settle();
    QTest::keyClick(w.windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    settle();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.document().table.slotCount, 1);

    answer = "不保存";
    w.activateWindow(); // back from the question
    settle();
    QTimer::singleShot(0, &w, [&w] { QTest::keyClick(w.windowHandle(), Qt::Key_Q, Qt::ControlModifier); });
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    timeout.start(5000);
    EXPECT_EQ(QApplication::exec(), 0) << "Ctrl+Q did not end the program";
    EXPECT_EQ(asked, 2);
}
