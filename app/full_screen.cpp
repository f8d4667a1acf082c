// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/full_screen.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

namespace yhb {

QRect initialWindowRect(const QRect& available) {
    QSize size(800, 600);
    if (available.width() > 1024 && available.height() > 768)
        size = QSize(available.width() * 4 / 5, available.height() * 4 / 5);
    size = size.boundedTo(available.size());
    QRect r(QPoint(0, 0), size);
    r.moveCenter(available.center());
    return r;
}

void placeOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) {
        window.resize(800, 600);
        return;
    }
    const QRect r = initialWindowRect(screen->availableGeometry());
    window.resize(r.size());
    window.move(r.topLeft());
}

FullScreenShow::FullScreenShow(QMainWindow& window, std::function<bool()> presentation, std::function<void()> togglePresentation)
    : QObject(&window), window_(window), presentation_(std::move(presentation)), togglePresentation_(std::move(togglePresentation)),
      escape_(new QShortcut(QKeySequence(Qt::Key_Escape), &window)) {
    escape_->setContext(Qt::WindowShortcut);
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, [this] { leave(); });
}

void FullScreenShow::toggle() {
    if (active_)
        leave();
    else
        enter();
}

void FullScreenShow::enter() {
    active_ = true;
    before_ = window_.windowState();
    switchedPresentation_ = !presentation_();
    if (switchedPresentation_) togglePresentation_();
    // A hidden menu bar takes its items' keys with it, unless the window carries them too.
    for (QAction* a : window_.menuBar()->findChildren<QAction*>())
        if (!a->shortcut().isEmpty() && !window_.actions().contains(a)) keys_.push_back(a);
    for (QAction* a : keys_) window_.addAction(a);
    window_.menuBar()->hide();
    escape_->setEnabled(true);
    placeBefore_ = window_.geometry();
    window_.showFullScreen();
    // Without a window manager (a bare X server, some kiosk sessions) nobody grants the full
    // screen state: the window covers the screen itself. A manager that does makes it the same.
    if (const QScreen* screen = window_.screen()) window_.setGeometry(screen->geometry());
}

void FullScreenShow::leave() {
    if (!active_) return;
    active_ = false;
    escape_->setEnabled(false);
    for (QAction* a : keys_) window_.removeAction(a);
    keys_.clear();
    window_.menuBar()->show();
    window_.setWindowState(before_ & ~Qt::WindowFullScreen);
    if (!(before_ & (Qt::WindowMaximized | Qt::WindowFullScreen))) window_.setGeometry(placeBefore_);
    if (!window_.isVisible()) window_.show();
    if (switchedPresentation_ && presentation_()) togglePresentation_();
    switchedPresentation_ = false;
}

} // namespace yhb
