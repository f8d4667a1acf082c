// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's ※精选题库※ menu and the catalogue behind it. At start-up the bank is read
// after the window's first paint; whatever needs it sooner reads it then (loadBank).
#include <algorithm>

#include <QMenu>

#include "app/main_window.h"
#include "app/startup.h"

namespace yhb {

void MainWindow::loadBank() {
    if (!openBank_) return;
    const auto open = std::move(openBank_);
    openBank_ = nullptr;
    open(catalogue_);
    fillBankMenu();
}

// One popup per top-level category; a category found before any top-level one has no
// popup and is listed directly in the bank menu.
void MainWindow::fillBankMenu() {
    std::vector<QMenu*> popups;
    for (const TopLevelCategory& t : catalogue_.topLevel)
        popups.push_back(new QMenu(QString::fromStdString(t.name), bankMenu_));
    for (int i = 0; i < catalogue_.categoryCount(); ++i) {
        const BankCategory* c = catalogue_.category(i);
        QMenu* target = c->parent >= 0 && c->parent < static_cast<int>(popups.size()) ? popups[static_cast<std::size_t>(c->parent)] : bankMenu_;
        addCommand(target, cmd::BankCategoryBase + i, QString::fromStdString(c->name));
    }
    for (QMenu* p : popups) bankMenu_->addMenu(p);
    // An empty menu would leave the teacher guessing why.
    if (catalogue_.categoryCount() == 0) bankMenu_->addAction("未找到题库")->setEnabled(false);
    bankMenu_->addSeparator();
    addCommand(bankMenu_, Command::ReloadBank, "重新载入题库");
}

// The bank read again without a restart, for a teacher who has just added questions.
void MainWindow::reloadBank() {
    if (openBank_) return loadBank(); // not read yet: the first reading is as fresh
    std::string top, name, question;
    if (const BankCategory* c = catalogue_.current()) {
        top = catalogue_.topLevelName(*c);
        name = c->name;
        if (c->currentQuestion >= 0 && c->currentQuestion < c->questionCount())
            question = c->questionPaths[static_cast<std::size_t>(c->currentQuestion)];
    }
    // A program started without a bank looks for one again rather than scan where it stands.
    const std::string dir = catalogue_.startDir.empty() ? findBankDirectory() : catalogue_.startDir;
    Catalogue fresh;
    if (dir.empty())
        fresh.readVersion(".");
    else
        fresh.load(dir);
    catalogue_ = std::move(fresh);
    for (QAction* a : bankMenu_->findChildren<QAction*>()) {
        const int id = a->data().toInt();
        if (id == commandId(Command::ReloadBank) || (id >= cmd::BankCategoryBase && id < cmd::BankCategoryBase + Catalogue::kMaxCategories))
            actions_.erase(std::remove(actions_.begin(), actions_.end(), a), actions_.end());
    }
    bankMenu_->clear();
    qDeleteAll(bankMenu_->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly));
    fillBankMenu();
    if (questionWindow_) questionWindow_->bankReloaded(top, name, question);
}
} // namespace yhb
