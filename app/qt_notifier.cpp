// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt_notifier.h"

#include <QEventLoop>
#include <QMessageBox>

namespace yhb {

QString QtNotifier::defaultCaption() { return QStringLiteral("错误"); }

void QtNotifier::message(const std::string& caption, const std::string& text, MessageOwner owner) {
    QWidget* parent = nullptr;
    if (owner.kind == MessageOwner::Kind::Default) parent = owner_.data();
    else if (owner.kind == MessageOwner::Kind::Window) parent = static_cast<QWidget*>(const_cast<void*>(owner.window));
    const QString title = caption.empty() ? defaultCaption() : QString::fromStdString(caption);
    QMessageBox box(QMessageBox::NoIcon, title, QString::fromStdString(text), QMessageBox::Ok, parent);
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
