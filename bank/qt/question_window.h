// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <string>

#include <QAction>
#include <QImage>
#include <QScrollBar>
#include <QWidget>

#include "res/command_ids.h"
#include "bank/catalogue.h"
#include "bank/qt/question_typeset.h"
#include "bank/question_navigator.h"
#include "io/notifier.h"
#include "gfx/qt/qt_surface.h"

namespace yhb {

class QuestionView;

// The question window ("functionTm"): one question of the current category at a time.
// Closing it only hides it.
class QuestionWindow : public QWidget {
    Q_OBJECT
public:
    QuestionWindow(Catalogue& catalogue, Notifier& notifier);

    // Menu and accelerator commands; also BankCategoryBase + n opens category n.
    void command(int id);
    void command(Command c) { command(commandId(c)); }
    // The bank menu's way in: make category `index` current, reload, show and focus.
    void openCategory(int index);
    // Reads the current question again and refreshes everything.
    void reload();
    // F5: reads it again keeping the answer shown or hidden and the scroll place.
    void reread();
    void refresh();
    void updateScrollRange();
    void updateMenu();

    // The navigator shown: the bank's, or the one of a question file opened for preview.
    QuestionNavigator& navigator() { return preview_ ? *preview_->navigator : navigator_; }
    const QuestionNavigator& navigator() const { return preview_ ? *preview_->navigator : navigator_; }
    // Shows one question file as a category of one question, named after its folder.
    void openQuestionFile(const std::string& path);
    // The whole question (and the answer when shown) at the current font size, in one image,
    // in 教材记法 when that is on;
    // 保存题目图片 draws the same picture band by band into its file.
    QImage renderWhole() const;
    // After the bank was read again: the menu and the picture, on the same category when it
    // still exists (by top-level and category name), else on the first; on the same question
    // file, its answer and its place when it is still in that category, else on question 1.
    void bankReloaded(const std::string& topLevelName, const std::string& categoryName, const std::string& questionPath);
    QScrollBar* scrollBar() const { return scroll_; }
    QAction* action(int id) const;
    QAction* action(Command c) const { return action(commandId(c)); }
    // The client as it is painted now, at its current size.
    QImage render() const;
    // 教材记法: on or off, and what it has set.
    const QuestionTypesetView& typeset() const { return typeset_; }

    std::function<void()> onHidden; // gives the focus back to the main window
    // 保存题目图片's file name; tests answer instead of the file dialog.
    std::function<QString()> askPicturePath;
    // 显示图形: the shown question's figure line for the main window to enter.
    std::function<void(const std::string& figureLine)> onShowFigure;

protected:
    void closeEvent(QCloseEvent*) override;

private:
    friend class QuestionView;
    void savePicture();
    void chooseQuestionFile();
    void navigated();
    const BankCategory* shownCategory() const;

    struct Preview {
        Catalogue catalogue;
        std::unique_ptr<QuestionNavigator> navigator;
    };

    Catalogue& catalogue_;
    Notifier& notifier_;
    QuestionNavigator navigator_;
    std::unique_ptr<Preview> preview_;
    QuestionView* view_;
    QScrollBar* scroll_;
    QuestionTypesetView typeset_;
    std::vector<QAction*> actions_;
};

} // namespace yhb
