// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

#include "app/lesson_commands.h"
#include "app/picture_export.h"
#include "app/qt_notifier.h"
#include "bank/qt/question_window.h"
#include "bank/qt/worksheet_dialog.h"
#include "io/file_writer.h"
#include "plot/curve.h"
#include "res/command_ids.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;
namespace fs = std::filesystem;

namespace {

// The file dialog picks `path`; whether to replace a file is our question, not the dialog's.
void pickFile(LessonCommands& l, const std::string& path) {
    l.runFileDialog = [path](QFileDialog& d) {
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setOption(QFileDialog::DontConfirmOverwrite);
        d.show();
        d.selectFile(QString::fromStdString(path));
        auto* box = d.findChild<QDialogButtonBox*>();
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) == QDialogButtonBox::AcceptRole) b->click();
    };
}

std::size_t entries(const std::string& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
    return n;
}

// Answers the next message box that opens with the button labelled `answer`, the way a user
// clicks it, and keeps what the box said.
struct BoxAnswer {
    explicit BoxAnswer(QString answer) : answer_(std::move(answer)) {
        QTimer::singleShot(0, [this] { look(); });
    }
    void look() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible()) continue;
            text = box->text();
            for (QAbstractButton* b : box->buttons()) {
                buttons << b->text();
                if (b->text() == answer_) QTest::mouseClick(b, Qt::LeftButton);
            }
            return;
        }
        if (++tries_ < 200) QTimer::singleShot(10, [this] { look(); });
    }
    QString text;
    QStringList buttons;

private:
    QString answer_;
    int tries_ = 0;
};

} // namespace

// Ctrl+S onto a write-protected lesson asks first, in a real box: 取消 leaves the file as it
// was, 替换 replaces it and it stays write-protected.
TEST(SavingWindow, AWriteProtectedLessonIsReplacedOnlyAfterTheUserSaysSo) {
    Catalogue none;
    QtNotifier notifier;
    MainWindow w(none, notifier);
    notifier.setOwner(&w);
    w.resizeClient(780, 560);
    w.show();
    enterThroughDialog(w, Family::EllipseX, {"5", "3"});
    TempDir d;
    const std::string path = d / "第一课.yhb";
    pickFile(w.lessons(), path);
    ASSERT_TRUE(w.lessons().saveAs());
    const std::string first = slurp(path);
    ::chmod(path.c_str(), 0444);
    enterThroughDialog(w, Family::Sin, {"2"});

    {
        BoxAnswer cancel("取消");
        w.command(Command::SaveLesson);
        EXPECT_EQ(cancel.buttons, (QStringList{"替换", "取消"}));
        EXPECT_NE(cancel.text.indexOf("只读文件"), -1) << cancel.text.toStdString();
        EXPECT_NE(cancel.text.indexOf(QString::fromStdString(path)), -1);
    }
    EXPECT_EQ(slurp(path), first);
    EXPECT_TRUE(w.lessons().modified());
    {
        BoxAnswer replace("替换");
        w.command(Command::SaveLesson);
        EXPECT_FALSE(replace.text.isEmpty());
    }
    EXPECT_NE(slurp(path).find("sin"), std::string::npos) << slurp(path);
    EXPECT_FALSE(w.lessons().modified());
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(entries(d.path()), 1u);
}

// Whatever the window writes, a full disk is said naming the file, and the old file stays.
TEST(SavingWindow, EveryWriterSaysWhyAndKeepsTheOldFile) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::EllipseX, {"5", "3"});
    TempDir d;
    const std::string old = "an old file that must survive";
    auto expectKept = [&](const std::string& name, const std::function<void(const std::string&)>& save) {
        const std::string path = d / name;
        d.write(name, old);
        const std::size_t before = app.notifier.messages.size();
        planWriteFailure(WriteStep::Write, ENOSPC);
        save(path);
        clearWriteFailures();
        EXPECT_EQ(slurp(path), old) << name;
        ASSERT_EQ(app.notifier.messages.size(), before + 1) << name;
        const std::string& text = app.notifier.messages.back().text;
        EXPECT_NE(text.find("“" + path + "”"), std::string::npos) << text;
        EXPECT_NE(text.find("磁盘空间不足"), std::string::npos) << text;
        EXPECT_NE(text.find("保持原样"), std::string::npos) << text;
    };

    expectKept("课件.yhb", [&](const std::string& path) {
        pickFile(w.lessons(), path);
        EXPECT_FALSE(w.lessons().saveAs());
    });
    expectKept("画布.pdf", [&](const std::string& path) {
        pickFile(w.lessons(), path);
        w.lessons().runUnitDialog = [](QDialog& dialog) {
            dialog.show();
            dialog.findChild<QRadioButton*>("1")->click();
            for (QPushButton* b : dialog.findChildren<QPushButton*>())
                if (b->text() == "确定") b->click();
        };
        w.command(Command::ExportPdf);
    });
    expectKept("画布.png", [&](const std::string& path) {
        saveCanvasPicture(app.doc(), w.canvas()->image(), QString::fromStdString(path), app.notifier);
    });
    expectKept("画布.svg", [&](const std::string& path) {
        saveCanvasPicture(app.doc(), w.canvas()->image(), QString::fromStdString(path), app.notifier);
    });
    QuestionWindow* q = w.questionWindow();
    w.command(cmd::BankCategoryBase);
    expectKept("题目.png", [&](const std::string& path) {
        q->askPicturePath = [path] { return QString::fromStdString(path); };
        q->command(Command::SaveQuestionPicture);
    });
    expectKept("试卷.pdf", [&](const std::string& path) {
        WorksheetDialog dialog(app.catalogue, app.notifier, q);
        dialog.show();
        dialog.askPdfPath = [path] { return QString::fromStdString(path); };
        QTest::mouseClick(dialog.pdfButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()); // still there to try again
    });
    EXPECT_EQ(entries(d.path()), 6u); // no new file left beside any of them
}
