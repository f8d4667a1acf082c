// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog_placement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "plot/qt/canvas_widget.h"
#include "plot/view_fit.h"

namespace yhb {

namespace {

constexpr int kGap = 8;
// What the window manager adds round a dialog that has not been shown yet.
constexpr int kFrameWidth = 8, kFrameHeight = 32;

} // namespace

QPoint besideCanvas(QSize size, const QRect& canvas, const QRect& window, const QRect& screen, const QRect& figure) {
    const int w = size.width(), right = screen.x() + screen.width(), bottom = screen.y() + screen.height();
    const int top = std::max(screen.top(), std::min(canvas.top(), bottom - size.height()));
    if (window.right() + 1 + kGap + w <= right) return {window.right() + 1 + kGap, top}; // outside, on the right
    if (window.right() + 1 - (canvas.right() + 1 + kGap) >= w && canvas.right() + 1 + kGap + w <= right)
        return {canvas.right() + 1 + kGap, top}; // over the label panel
    if (window.left() - kGap - w >= screen.left()) return {window.left() - kGap - w, top}; // outside, on the left
    const int low = std::max(screen.top(), bottom - size.height());
    const QPoint corners[] = {{right - w, top}, {right - w, low}, {screen.left(), top}, {screen.left(), low}};
    QPoint best = corners[0];
    long least = -1;
    for (const QPoint& p : corners) {
        const QRect covered = QRect(p, size).intersected(figure);
        const long area = covered.isEmpty() ? 0 : static_cast<long>(covered.width()) * covered.height();
        if (least < 0 || area < least) {
            least = area;
            best = p;
        }
    }
    return {std::max(best.x(), screen.left()), best.y()};
}

QRect figureOnScreen(CanvasWidget& canvas) {
    const Document& doc = canvas.document();
    const PlaneBox box = sceneExtent(doc.table);
    const double ppu = doc.view.pixelsPerUnit, m = canvas.magnification();
    auto at = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6))); };
    const QRect inCanvas = QRect(QPoint(at((doc.canvas.originX + box.left * ppu) * m), at((doc.canvas.originY - box.top * ppu) * m)),
                                 QPoint(at((doc.canvas.originX + box.right * ppu) * m), at((doc.canvas.originY - box.bottom * ppu) * m)))
                               .intersected(canvas.rect());
    return inCanvas.translated(canvas.mapToGlobal(QPoint(0, 0)));
}

void placeBesideCanvas(QWidget& dialog, CanvasWidget& canvas) {
    const QScreen* screen = canvas.screen();
    if (!screen) return;
    // Not yet shown, it will take its size hint; its frame is still to come.
    const QSize size = dialog.isVisible() ? dialog.frameGeometry().size()
                                          : dialog.sizeHint().expandedTo(dialog.minimumSize()) + QSize(kFrameWidth, kFrameHeight);
    const QRect c(canvas.mapToGlobal(QPoint(0, 0)), canvas.size());
    dialog.move(besideCanvas(size, c, canvas.window()->frameGeometry(), screen->availableGeometry(), figureOnScreen(canvas)));
}

} // namespace yhb
