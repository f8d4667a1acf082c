// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QObject>

namespace yhb {

// While a family dialog is up, its main window takes no commands: no menus, accelerators,
// buttons, keys or closing. Its canvas alone still takes the mouse, so that a curve that a
// slider or an animation carries away can be dragged back into view (and read out).
class CanvasOnlyGuard : public QObject {
public:
    CanvasOnlyGuard(QWidget* window, QWidget* canvas);
    ~CanvasOnlyGuard() override;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    bool belongsToWindow(QObject* o) const;

    QWidget* window_;
    QWidget* canvas_;
};

// Shows the dialog and waits until it is finished, without blocking other windows: the
// caller keeps a CanvasOnlyGuard on the window meanwhile.
int runOverCanvas(QDialog& dialog);

} // namespace yhb
