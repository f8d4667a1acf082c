// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/qt/jump_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "res/command_ids.h"
#include "res/strings.h"

namespace yhb {

JumpDialog::JumpDialog(QuestionNavigator& navigator, Notifier& notifier, QWidget* parent)
    : QDialog(parent), navigator_(navigator), notifier_(notifier), edit_(new QLineEdit) {
    setObjectName("Dialog186");
    setWindowModality(Qt::WindowModal); // blocks the question window only
    setWindowTitle(QString::fromStdString(appTitleUtf8()));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QString::fromStdString(navigator.jumpPrompt()));
    prompt->setObjectName("1018");
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("跳到第几号:"));
    edit_->setObjectName("1002");
    edit_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9０-９]*"), edit_));
    row->addWidget(edit_);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("确定");
    auto* cancel = new QPushButton("取消");
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { command(DialogButton::Ok); });
    connect(cancel, &QPushButton::clicked, this, [this] { command(DialogButton::Cancel); });
    edit_->setFocus();
}

void JumpDialog::command(DialogButton button) {
    if (button == DialogButton::Cancel) {
        done(2);
    } else if (button == DialogButton::Ok) {
        const std::string refusal = navigator_.jump(edit_->text().toStdString());
        if (refusal.empty()) {
            done(1);
            return;
        }
        notifier_.message("", refusal, MessageOwner::of(this));
        edit_->clear();
        edit_->setFocus();
    }
}

} // namespace yhb
