// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QWidget>

#include "gfx/notifier.h"

namespace yhb {

// Message boxes with an OK button. A box with an owner blocks that window only.
class QtNotifier : public Notifier {
public:
    explicit QtNotifier(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    void message(const std::string& caption, const std::string& text, MessageOwner owner = {}) override;

    // What a message box without a caption is titled.
    static QString defaultCaption();

private:
    QPointer<QWidget> owner_;
};

} // namespace yhb
