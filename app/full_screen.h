// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <vector>

#include <QObject>
#include <QRect>

class QAction;
class QMainWindow;
class QShortcut;
class QWidget;

namespace yhb {

// Where the main window first opens on a screen whose free area is `available`: about 80 %
// of it on screens larger than 1024 x 768, else 800 x 600 or what there is; centred.
QRect initialWindowRect(const QRect& available);
// Sizes and centres the window so on its screen.
void placeOnScreen(QWidget& window);

// 全屏演示 (F11): the window full screen without a frame, canvas and label panel both, in
// 演示模式; Esc or F11 leaves it as it was. The menu bar is hidden meanwhile and the main
// commands stay on their keys.
class FullScreenShow : public QObject {
public:
    // `presentation` says whether 演示模式 is on, `togglePresentation` switches it.
    FullScreenShow(QMainWindow& window, std::function<bool()> presentation, std::function<void()> togglePresentation);

    bool active() const { return active_; }
    void toggle();
    void leave();

private:
    void enter();

    QMainWindow& window_;
    std::function<bool()> presentation_;
    std::function<void()> togglePresentation_;
    QShortcut* escape_;
    bool active_ = false;
    bool switchedPresentation_ = false; // 演示模式 was off before, so leaving turns it off
    Qt::WindowStates before_;
    QRect placeBefore_; // where the window stood, for a desktop without a window manager
    std::vector<QAction*> keys_; // the menu items whose keys the window carries meanwhile
};

} // namespace yhb
