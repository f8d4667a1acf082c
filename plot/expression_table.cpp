// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/expression_table.h"

namespace yhb {

int ExpressionTable::allocateColour() {
    for (int c = 1; c <= 5; ++c) {
        if (colourInUse[static_cast<std::size_t>(c)] == 0) {
            colourInUse[static_cast<std::size_t>(c)] = 1;
            return c;
        }
    }
    return 0;
}

void ExpressionTable::resetSlot(int row) {
    ExpressionSlot& s = slot(row);
    s.twoBranches = false;
    s.extraCount = 0;
    s.kind = Family::None;
    s.plotOp = PlotOp::Curve;
    s.labels.clear();
    s.typed.clear();
    if (s.colourIndex >= 1 && s.colourIndex <= 5) colourInUse[static_cast<std::size_t>(s.colourIndex)] = 0;
    s.colourIndex = 0;
    for (double& p : s.params) p = 0.0;
    for (auto& e : s.exactParams) e.reset();
    for (ExtraPlot& e : s.extras) e = ExtraPlot{};
    s.trail = RowTrail{};
}

void ExpressionTable::copySlot(int source, int target) {
    ExpressionSlot& from = slot(source);
    ExpressionSlot& to = slot(target);
    to.extraCount = from.extraCount;
    to.kind = from.kind;
    to.twoBranches = from.twoBranches;
    to.plotOp = from.plotOp;
    to.labels.takeFrom(from.labels);
    to.colourIndex = from.colourIndex;
    to.typed = from.typed;
    to.trail = from.trail;
    for (int i = 0; i < 10; ++i) to.params[i] = from.params[i];
    for (int i = 0; i < 10; ++i) to.exactParams[i] = from.exactParams[i];
    for (int i = 0; i < kMaxExtras; ++i) to.extras[i] = from.extras[i];
}

void ExpressionTable::deleteSlot(int row) {
    if (row < 0 || row >= slotCount) return;
    ExpressionSlot& s = slot(row);
    if (s.colourIndex >= 1 && s.colourIndex <= 5) colourInUse[static_cast<std::size_t>(s.colourIndex)] = 0;
    for (int i = row + 1; i < slotCount; ++i) copySlot(i, i - 1);
    slot(slotCount - 1).colourIndex = 0;
    slot(slotCount - 1).trail = RowTrail{}; // a new row there starts without one
    --slotCount;
    ++trailGeneration;
}

void ExpressionTable::clearTrails() {
    for (ExpressionSlot& s : slots_) s.trail = RowTrail{};
    ++trailGeneration;
}

bool ExpressionTable::hasTrails() const {
    for (int r = 0; r < slotCount; ++r)
        if (!slot(r).trail.empty()) return true;
    return false;
}

} // namespace yhb
