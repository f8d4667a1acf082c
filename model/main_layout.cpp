// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/main_layout.h"

namespace yhb {

MainLayout computeLayout(int w, int h, bool fullScreen, const std::vector<int>& counts) {
    MainLayout l;
    l.q = (w - 20) / 4;
    l.canvasWidth = 3 * l.q;
    l.rowHeight = (h - 70) / 5;
    l.labelFontHeight = l.rowHeight - 30;
    l.fullScreen = fullScreen;
    if (fullScreen) {
        l.canvas = {0, 0, w, h};
        return l;
    }
    for (int k = 0; k < 3; ++k) l.toolbar[k] = {30 + k * l.q, 10, 40, 40};
    const int cw = l.canvasWidth;
    for (std::size_t r = 0; r < counts.size(); ++r) {
        MainLayout::Row row;
        const int y = 40 + static_cast<int>(r) * l.rowHeight;
        row.modify = {w - 80, y, 30, 30};
        row.remove = {w - 40, y, 30, 30};
        // A label without characters is not laid out (and never divided by).
        if (counts[r] > 0) {
            row.labelCharWidth = (w - cw - 30) / counts[r];
            row.drawLabel = l.labelFontHeight > 0 && row.labelCharWidth > 0;
        }
        row.label = {cw + 20, y + 30, w - cw - 20, h - y - 40};
        l.rows.push_back(row);
    }
    l.canvas = {10, 60, cw, h - 70};
    return l;
}

} // namespace yhb
