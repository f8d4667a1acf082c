// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt_notifier.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>

namespace yhb {

QString QtNotifier::defaultCaption() { return QStringLiteral("错误"); }

QWidget* QtNotifier::parentFor(MessageOwner owner) const {
    if (owner.kind == MessageOwner::Kind::Default) return owner_.data();
    if (owner.kind == MessageOwner::Kind::Window) return static_cast<QWidget*>(const_cast<void*>(owner.window));
    return nullptr;
}

void QtNotifier::message(const std::string& caption, const std::string& text, MessageOwner owner) {
    QWidget* parent = parentFor(owner);
    const QString title = caption.empty() ? defaultCaption() : QString::fromStdString(caption);
    QMessageBox box(QMessageBox::NoIcon, title, QString::fromStdString(text), QMessageBox::Ok, parent);
    run(box, parent);
}

bool QtNotifier::ask(const std::string& caption, const std::string& text, const std::string& yes, const std::string& no,
                     MessageOwner owner) {
    QWidget* parent = parentFor(owner);
    const QString title = caption.empty() ? defaultCaption() : QString::fromStdString(caption);
    QMessageBox box(QMessageBox::Warning, title, QString::fromStdString(text), QMessageBox::NoButton, parent);
    QPushButton* go = box.addButton(QString::fromStdString(yes), QMessageBox::AcceptRole);
    QPushButton* stop = box.addButton(QString::fromStdString(no), QMessageBox::RejectRole);
    box.setDefaultButton(stop);
    box.setEscapeButton(stop);
    run(box, parent);
    return box.clickedButton() == go;
}

void QtNotifier::run(QMessageBox& box, QWidget* parent) {
    if (parent) {
        box.setWindowModality(Qt::WindowModal);
        box.exec();
        return;
    }
    // A box without an owner blocks the caller but no window.
    box.setWindowModality(Qt::NonModal);
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    box.show();
    loop.exec();
}

} // namespace yhb
