// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QWidget>

#include "io/notifier.h"

class QMessageBox;

namespace yhb {

// Message boxes with an OK button. A box with an owner blocks that window only.
class QtNotifier : public Notifier {
public:
    explicit QtNotifier(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    void message(const std::string& caption, const std::string& text, MessageOwner owner = {}) override;
    // Two buttons; Esc and closing the box answer `no`, which is also the default.
    bool ask(const std::string& caption, const std::string& text, const std::string& yes, const std::string& no,
             MessageOwner owner = {}) override;

    // What a message box without a caption is titled.
    static QString defaultCaption();

private:
    QWidget* parentFor(MessageOwner owner) const;
    // Runs the box: modal to its parent, or blocking only the caller when it has none.
    static void run(QMessageBox& box, QWidget* parent);

    QPointer<QWidget> owner_;
};

} // namespace yhb
