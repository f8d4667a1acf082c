// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include "gfx/surface.h"
#include "model/document.h"
#include "model/main_layout.h"

class QAction;

namespace yhb {

// 教材记法 in 坐标设置: switches the view's notation; while 演示模式 is on it stays on.
void toggleTextbook(ViewSettings& view);
// The menu item as the view has it: checked while the notation is textbook, fixed while
// 演示模式 holds it on.
void showNotation(QAction& item, const ViewSettings& view);

// How the label panel writes the rows' labels, chosen once per paint from the view: the
// classic cell layout, or each row's textbook equation typeset, all at one text size that
// lets the widest fit its place.
class LabelPainter {
public:
    virtual ~LabelPainter() = default;
    virtual void draw(Surface& s, ExpressionSlot& slot, int row, const MainLayout::Row& place) = 0;
};

std::unique_ptr<LabelPainter> labelPainterFor(const ViewSettings& view, const ExpressionTable& table,
                                              const MainLayout& layout, const Surface& measure);

// The one text size of the textbook labels for this layout (0 when none is shown).
double textbookLabelSize(const ExpressionTable& table, const MainLayout& layout, const Surface& measure);

} // namespace yhb
