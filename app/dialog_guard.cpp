// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog_guard.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMenu>

namespace yhb {

CanvasOnlyGuard::CanvasOnlyGuard(QWidget* window, QWidget* canvas) : window_(window), canvas_(canvas) {
    qApp->installEventFilter(this);
}

CanvasOnlyGuard::~CanvasOnlyGuard() { qApp->removeEventFilter(this); }

// The window's own widgets, shortcuts, menus and their actions; not the dialogs and message
// boxes it owns, which are windows of their own (a menu's popup is not).
bool CanvasOnlyGuard::belongsToWindow(QObject* o) const {
    for (; o; o = o->parent()) {
        if (o == window_) return true;
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w->isWindow() && !qobject_cast<QMenu*>(w)) return false;
    }
    return false;
}

bool CanvasOnlyGuard::eventFilter(QObject* receiver, QEvent* event) {
    switch (event->type()) {
    case QEvent::Close:
        if (receiver == window_) {
            event->ignore();
            return true;
        }
        return false;
    case QEvent::Shortcut:
        return belongsToWindow(receiver);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease: {
        auto* w = qobject_cast<QWidget*>(receiver);
        if (!w || w->window() != window_) return false;
        return !(w == canvas_ || canvas_->isAncestorOf(w));
    }
    default:
        return false;
    }
}

int runOverCanvas(QDialog& dialog) {
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.show();
    if (dialog.isVisible()) loop.exec(QEventLoop::DialogExec);
    return dialog.result();
}

} // namespace yhb
