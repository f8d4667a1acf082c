// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QLineEdit>

#include "res/command_ids.h"
#include "bank/question_navigator.h"
#include "io/notifier.h"

namespace yhb {

// "跳题": asks for a question number of the current category.
class JumpDialog : public QDialog {
    Q_OBJECT
public:
    JumpDialog(QuestionNavigator& navigator, Notifier& notifier, QWidget* parent);
    void command(DialogButton button);
    QLineEdit* edit() const { return edit_; }

private:
    QuestionNavigator& navigator_;
    Notifier& notifier_;
    QLineEdit* edit_;
};

} // namespace yhb
