// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QScrollBar>

#include <filesystem>
#include <map>

#include "plot/curve.h"
#include "res/command_ids.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;
namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        files[e.path().string()] = e.is_regular_file() ? slurp(e.path()) : "";
    return files;
}

} // namespace

// A whole session on a copy of the bank: nothing in the bank or the current directory changes.
TEST(Session, WritesNothing) {
    TempDir work;
    fs::copy(bundledBank(), work / "bank", fs::copy_options::recursive);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(work.path())));
    const auto before = snapshot(work.path());
    {
        App app("bank");
        MainWindow& w = *app.window;
        enterThroughDialog(w, Family::EllipseX, {"5", "4"}, {1010, 1011, 1012});
        enterThroughDialog(w, Family::HyperbolaY, {}, {1013});
        enterThroughDialog(w, Family::CircleGeneral, {"1", "0", "0.2"}, {1010});
        enterThroughDialog(w, Family::Logarithm, {"2"});
        enterThroughDialog(w, Family::ParabolaGeneral, {"0.5", "1", "-2"});
        w.runParameterDialog = [](ParameterDialog& d) { d.command(DialogButton::Ok); };
        w.modifyRow(2);
        w.deleteRow(0);
        w.deleteRow(3);
        w.command(Command::MainFullScreen);
        w.command(Command::PiAxis);
        w.renderClient();
        QuestionWindow* q = w.questionWindow();
        for (int c = 0; c < app.catalogue.categoryCount(); ++c) {
            w.command(cmd::BankCategoryBase + c);
            for (int i = 0; i < app.catalogue.category(c)->questionCount(); ++i) {
                q->command(Command::QuestionAnswer);
                q->scrollBar()->setValue(q->scrollBar()->maximum());
                q->render();
                q->command(Command::NextQuestion);
            }
            for (Command id : {Command::PrevQuestion, Command::FirstQuestion, Command::LastQuestion, Command::RandomQuestion, Command::FontLarger,
                           Command::FontSmaller})
                q->command(id);
        }
        q->close();
    }
    EXPECT_EQ(snapshot(work.path()), before);
    QDir::setCurrent(previous);
}
