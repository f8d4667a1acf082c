// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QElapsedTimer>
#include <QRadioButton>

#include "app/startup.h"
#include "lesson/lesson_helpers.h"
#include "plot/curve.h"
#include "res/command_ids.h"
#include "res/strings.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// The file dialogs pick `path` and accept, as a user typing the name and pressing Enter.
void pickFile(LessonCommands& l, const std::string& path) {
    l.runFileDialog = [path](QFileDialog& d) {
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.show();
        d.selectFile(QString::fromStdString(path));
        auto* box = d.findChild<QDialogButtonBox*>();
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) == QDialogButtonBox::AcceptRole) b->click();
    };
}

// The question before rows are lost: records that it came, then clicks the button with `text`.
struct Prompt {
    explicit Prompt(LessonCommands& l) {
        l.runPrompt = [this](QMessageBox& box) {
            ++count;
            text = box.text();
            box.show();
            for (QAbstractButton* b : box.buttons())
                if (b->text() == answer) b->click();
        };
    }
    QString answer = "取消";
    int count = 0;
    QString text;
};

void clickRadio(QDialog& d, const QString& name) {
    d.show();
    d.findChild<QRadioButton*>(name)->click();
    for (QPushButton* b : d.findChildren<QPushButton*>())
        if (b->text() == "确定") b->click();
}

// Two rows entered through their dialogs, a zoom and the π axis: what a teacher prepares.
void prepare(MainWindow& w) {
    enterThroughDialog(w, Family::EllipseX, {"5", "3"}, {1010, 1012});
    enterThroughDialog(w, Family::Sin, {"2", "0.5", "1"});
    click(w.toolbarButton(0));
    w.action(Command::PiAxis)->trigger();
}

} // namespace

TEST(LessonWindow, TheFileMenuListsLessonsExportAndPrinting) {
    App app;
    QMenu* file = app.window->menuBar()->actions().front()->menu();
    QStringList items;
    for (QAction* a : file->actions())
        items << (a->isSeparator() ? QString("-") : a->text() + " " + a->shortcut().toString());
    EXPECT_EQ(items, (QStringList{"新建 Ctrl+N", "打开课件... Ctrl+O", "保存课件 Ctrl+S", "另存为... Ctrl+Shift+S", "-",
                                  "保存图片... Ctrl+E", "复制图片 Ctrl+Shift+C", "打印... Ctrl+P", "导出PDF... ", "-",
                                  "退出 Ctrl+Q"}));
}

TEST(LessonWindow, SavedLessonOpensInAnotherWindowAsItWasShown) {
    TempDir dir;
    const std::string path = dir / "第一课.yhb";
    App first;
    MainWindow& a = *first.window;
    prepare(a);
    pickFile(a.lessons(), path);
    a.action(Command::SaveLessonAs)->trigger();
    ASSERT_TRUE(first.notifier.messages.empty()) << first.notifier.messages.front().text;
    EXPECT_TRUE(a.windowTitle().endsWith(" - 第一课.yhb")) << a.windowTitle().toStdString();
    EXPECT_TRUE(a.windowTitle().startsWith(QString::fromStdString(appTitleUtf8())));

    App second;
    MainWindow& b = *second.window;
    enterThroughDialog(b, Family::Tan, {}); // replaced by the lesson
    Prompt prompt(b.lessons());
    prompt.answer = "不保存";
    pickFile(b.lessons(), path);
    b.action(Command::OpenLesson)->trigger();
    EXPECT_EQ(prompt.count, 1);
    ASSERT_TRUE(second.notifier.messages.empty()) << second.notifier.messages.front().text;
    EXPECT_EQ(picture(b.document()), picture(a.document()));
    EXPECT_EQ(b.canvas()->image(), a.canvas()->image());
    EXPECT_TRUE(b.action(Command::PiAxis)->isChecked());
    EXPECT_EQ(b.windowTitle(), a.windowTitle());
    EXPECT_EQ(b.renderClient(), a.renderClient()); // labels and row buttons too
    EXPECT_FALSE(b.deleteButton(2)->isVisible());
    EXPECT_FALSE(b.lessons().modified());
}

TEST(LessonWindow, ARefusedLessonNamesFileAndLineAndTheWindowStaysAsItWas) {
    TempDir dir;
    const std::string path = dir / "bad.yhb";
    dir.write("bad.yhb", "yunhuiban-lesson 1.0\nrow sin\nrow circle-general:0,0,4\n");
    App app;
    MainWindow& w = *app.window;
    prepare(w);
    const QImage before = w.renderClient();
    const std::string rows = picture(w.document());
    const QString title = w.windowTitle();
    Prompt prompt(w.lessons());
    prompt.answer = "不保存";
    pickFile(w.lessons(), path);
    w.action(Command::OpenLesson)->trigger();
    ASSERT_EQ(app.notifier.messages.size(), 1u);
    const std::string& text = app.notifier.messages[0].text;
    EXPECT_NE(text.find(path), std::string::npos) << text;
    EXPECT_NE(text.find("第 3 行"), std::string::npos) << text;
    EXPECT_NE(text.find("“圆的一般方程”"), std::string::npos) << text; // as its dialog is named
    EXPECT_EQ(text.find("请重新输入"), std::string::npos) << text;
    EXPECT_EQ(picture(w.document()), rows);
    EXPECT_EQ(w.renderClient(), before);
    EXPECT_EQ(w.windowTitle(), title);
}

// Rows entered and never saved: the caption says so, and closing, 新建 and 打开课件 ask first.
TEST(LessonWindow, RowsNeverSavedAreNotLostWithoutAQuestion) {
    TempDir dir;
    App app;
    MainWindow& w = *app.window;
    Prompt prompt(w.lessons());
    const QString title = QString::fromStdString(appTitleUtf8());
    EXPECT_TRUE(w.close()); // an empty table loses nothing
    EXPECT_EQ(prompt.count, 0);
    w.show();

    prepare(w);
    EXPECT_EQ(w.windowTitle(), title + " - 未命名课件*");
    const std::string rows = picture(w.document());
    bool chose = false;
    w.lessons().runFileDialog = [&](QFileDialog&) { chose = true; };
    w.action(Command::OpenLesson)->trigger(); // 取消
    w.action(Command::NewLesson)->trigger();
    EXPECT_FALSE(w.close());
    EXPECT_EQ(prompt.count, 3);
    EXPECT_NE(prompt.text.indexOf("还没有保存"), -1) << prompt.text.toStdString();
    EXPECT_FALSE(chose);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(picture(w.document()), rows);

    // 保存 asks for a name, writes the rows, then the window closes.
    prompt.answer = "保存";
    pickFile(w.lessons(), dir / "新课.yhb");
    EXPECT_EQ(closeInEventLoop(w), 0);
    EXPECT_EQ(prompt.count, 4);
    EXPECT_NE(slurp(dir / "新课.yhb").find("\nrow sin:2,0.5,1"), std::string::npos);
    EXPECT_EQ(w.windowTitle(), title + " - 新课.yhb");
}

TEST(LessonWindow, DeletingEveryRowLeavesNothingToAskAbout) {
    App app;
    MainWindow& w = *app.window;
    Prompt prompt(w.lessons());
    enterThroughDialog(w, Family::Cos, {"3"});
    EXPECT_TRUE(w.windowTitle().endsWith("*"));
    click(w.deleteButton(0));
    EXPECT_EQ(w.windowTitle().toStdString(), appTitleUtf8());
    w.action(Command::NewLesson)->trigger();
    EXPECT_TRUE(w.close());
    EXPECT_EQ(prompt.count, 0);
}

TEST(LessonWindow, ClosingAsksOnlyWhenTheLessonsRowsChanged) {
    TempDir dir;
    const std::string path = dir / "lesson.yhb";
    App app;
    MainWindow& w = *app.window;
    prepare(w);
    pickFile(w.lessons(), path);
    ASSERT_TRUE(w.lessons().saveAs());
    const std::string saved = slurp(path);
    Prompt prompt(w.lessons());

    // Zooming and dragging are not changes worth a question.
    click(w.toolbarButton(1));
    EXPECT_FALSE(w.lessons().modified());
    EXPECT_TRUE(w.windowTitle().endsWith(" - lesson.yhb")) << w.windowTitle().toStdString();

    click(w.deleteButton(0));
    ASSERT_TRUE(w.lessons().modified());
    EXPECT_TRUE(w.windowTitle().endsWith(" - lesson.yhb*")) << w.windowTitle().toStdString();
    EXPECT_FALSE(w.close()); // 取消
    EXPECT_EQ(prompt.count, 1);
    EXPECT_NE(prompt.text.indexOf("lesson.yhb"), -1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.document().table.slotCount, 1);

    prompt.answer = "不保存";
    EXPECT_TRUE(w.close());
    EXPECT_EQ(prompt.count, 2);
    EXPECT_EQ(slurp(path), saved);
}

TEST(LessonWindow, SaveInThePromptWritesTheChangedRowsBeforeClosing) {
    TempDir dir;
    const std::string path = dir / "lesson.yhb";
    dir.write("lesson.yhb", "yunhuiban-lesson 1.0\nrow sin\n");
    App app;
    MainWindow& w = *app.window;
    ASSERT_TRUE(w.lessons().openFile(QString::fromStdString(path)));
    Prompt prompt(w.lessons());
    EXPECT_TRUE(w.close()); // nothing changed: no question
    EXPECT_EQ(prompt.count, 0);

    w.show();
    enterThroughDialog(w, Family::Cos, {"3"});
    prompt.answer = "保存";
    EXPECT_TRUE(w.close());
    EXPECT_EQ(prompt.count, 1);
    EXPECT_NE(slurp(path).find("row cos:3,1.0,0.0 colour=2\n"), std::string::npos) << slurp(path);
}

TEST(LessonWindow, NewAsksThenEmptiesTheTableAndResetsTheView) {
    TempDir dir;
    const std::string path = dir / "lesson.yhb";
    dir.write("lesson.yhb", "yunhuiban-lesson 1.0\nview scale=44 pi-axis=1 full-screen=1 presentation=1\nrow sin\nrow tan\n");
    App app;
    MainWindow& w = *app.window;
    ASSERT_TRUE(w.lessons().openFile(QString::fromStdString(path)));
    EXPECT_TRUE(w.action(Command::MainFullScreen)->isChecked());
    EXPECT_TRUE(w.action(Command::Presentation)->isChecked());
    EXPECT_EQ(w.canvas()->size(), w.client()->size()); // full screen, as saved

    Prompt prompt(w.lessons());
    w.action(Command::NewLesson)->trigger(); // unchanged: no question
    EXPECT_EQ(prompt.count, 0);
    EXPECT_EQ(w.document().table.slotCount, 0);
    EXPECT_EQ(w.document().view.pixelsPerUnit, 20);
    EXPECT_FALSE(w.action(Command::MainFullScreen)->isChecked());
    EXPECT_FALSE(w.action(Command::PiAxis)->isChecked());
    EXPECT_FALSE(w.action(Command::Presentation)->isChecked());
    EXPECT_EQ(w.windowTitle().toStdString(), appTitleUtf8());
    const CanvasView& c = w.document().canvas;
    EXPECT_EQ(c.originX, c.canvasWidth / 2);
    EXPECT_EQ(c.originY, c.canvasHeight / 2);
    EXPECT_EQ(c.canvasWidth, w.canvas()->width()); // back beside the panel
    EXPECT_FALSE(w.deleteButton(0)->isVisible());

    // The lesson's rows are gone, but a new row is still a change worth asking about.
    enterThroughDialog(w, Family::Sin, {});
    prompt.answer = "取消";
    w.action(Command::NewLesson)->trigger();
    EXPECT_EQ(prompt.count, 1);
    EXPECT_EQ(w.document().table.slotCount, 1);
}

TEST(LessonWindow, PdfAndPrintingGoThroughTheScaleDialog) {
    TempDir dir;
    App app;
    MainWindow& w = *app.window;
    prepare(w);
    LessonCommands& l = w.lessons();
    l.runUnitDialog = [](QDialog& d) { clickRadio(d, "2"); };
    pickFile(l, dir / "page.pdf");
    w.action(Command::ExportPdf)->trigger();
    const std::string pdf = slurp(dir / "page.pdf");
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pdf.find("/Subtype /Image"), std::string::npos);

    const std::string printed = dir / "printed.pdf";
    bool asked = false;
    l.runPrintDialog = [&](QPrintDialog& d) {
        asked = true;
        d.show();
        d.printer()->setOutputFormat(QPrinter::PdfFormat);
        d.printer()->setOutputFileName(QString::fromStdString(printed));
        d.done(QDialog::Accepted);
    };
    w.action(Command::PrintCanvas)->trigger();
    EXPECT_TRUE(asked);
    EXPECT_EQ(slurp(printed).rfind("%PDF-", 0), 0u);

    // Cancelled at the scale: no print dialog.
    asked = false;
    l.runUnitDialog = [](QDialog& d) { d.reject(); };
    w.action(Command::PrintCanvas)->trigger();
    EXPECT_FALSE(asked);
    EXPECT_TRUE(app.notifier.messages.empty());
}

namespace {

// Lets the event loop run until `done`, for at most five seconds.
bool waitFor(const bool& done) {
    QElapsedTimer t;
    t.start();
    while (!done && t.elapsed() < 5000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return done;
}

} // namespace

// The program's start: the window shows first; Qt's translations, the bank (its menu filled)
// and the lesson named on the command line come after its first paint.
TEST(StartUp, TranslationsBankAndTheCommandLineLessonFollowTheFirstPaint) {
    TempDir dir;
    dir.write("第二课.yhb", "yunhuiban-lesson 1.0\nrow sin\nrow cos:3\n");
    Catalogue catalogue;
    RecordingNotifier notifier;
    bool painted = false, paintedBeforeTheBank = false;
    int reads = 0;
    MainWindow w(catalogue, notifier, [&](Catalogue& c) {
        ++reads;
        paintedBeforeTheBank = painted;
        c.load(bundledBank());
    });
    struct PaintWatch : QObject {
        bool& painted;
        explicit PaintWatch(bool& p) : painted(p) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) painted = true;
            return false;
        }
    } watch(painted);
    w.canvas()->installEventFilter(&watch);
    QMenu* bank = w.menuBar()->actions().back()->menu();
    EXPECT_EQ(w.menuBar()->actions().back()->text(), "※精选题库※"); // in the first sight, filled later
    EXPECT_EQ(reads, 0);
    {
        QMessageBox box(QMessageBox::NoIcon, "t", "x", QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Cancel");
    }

    bool ready = false;
    showAndFinishStart(w, QString::fromStdString(dir / "第二课.yhb"), [&] { ready = true; });
    EXPECT_EQ(reads, 0);
    ASSERT_TRUE(waitFor(ready));
    EXPECT_EQ(reads, 1);
    EXPECT_TRUE(paintedBeforeTheBank);
    ASSERT_EQ(bank->actions().size(), catalogue.topLevelCount() + 2);
    EXPECT_EQ(bank->actions().front()->text(), "函数");
    EXPECT_EQ(bank->actions().back()->text(), "重新载入题库");
    QMessageBox box(QMessageBox::NoIcon, "t", "x", QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "取消");
    ASSERT_TRUE(notifier.messages.empty()) << notifier.messages.front().text;
    ASSERT_EQ(w.document().table.slotCount, 2);
    EXPECT_EQ(w.document().table.slot(1).kind, Family::Cos);
    EXPECT_TRUE(w.windowTitle().endsWith(" - 第二课.yhb")) << w.windowTitle().toStdString();
    EXPECT_TRUE(w.deleteButton(1)->isVisible());
}

// Whatever needs the bank before the first paint reads it then, once: a category's menu item,
// the menu opened, 重新载入题库, the question window.
TEST(StartUp, WhatNeedsTheBankSoonerReadsItThenAndOnlyOnce) {
    const std::vector<std::function<void(MainWindow&)>> askers = {
        [](MainWindow& w) { w.command(cmd::BankCategoryBase); },
        [](MainWindow& w) { w.menuBar()->actions().back()->menu()->popup(QPoint(0, 0)); },
        [](MainWindow& w) { w.command(Command::ReloadBank); },
        [](MainWindow& w) { w.questionWindow(); },
    };
    for (std::size_t k = 0; k < askers.size(); ++k) {
        SCOPED_TRACE(k);
        Catalogue catalogue;
        RecordingNotifier notifier;
        int reads = 0;
        MainWindow w(catalogue, notifier, [&](Catalogue& c) {
            ++reads;
            c.load(bundledBank());
        });
        QMenu* bank = w.menuBar()->actions().back()->menu();
        askers[k](w);
        EXPECT_EQ(reads, 1);
        EXPECT_EQ(bank->actions().size(), catalogue.topLevelCount() + 2);
        bool ready = false;
        showAndFinishStart(w, {}, [&] { ready = true; });
        ASSERT_TRUE(waitFor(ready));
        EXPECT_EQ(reads, 1);
        EXPECT_EQ(bank->actions().size(), catalogue.topLevelCount() + 2); // not filled twice
        bank->hide();
        if (w.questionWindow()->isVisible()) w.questionWindow()->hide();
    }
}
