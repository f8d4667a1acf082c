#include "app/qt_notifier.h"

#include <QApplication>
#include <QMessageBox>

namespace yhb {

void QtNotifier::message(const std::string& caption, const std::string& text) {
    const QString title = caption.empty() ? QApplication::applicationDisplayName() : QString::fromStdString(caption);
    QMessageBox box(QMessageBox::NoIcon, title, QString::fromStdString(text), QMessageBox::Ok, owner_.data());
    box.exec();
}

} // namespace yhb
