// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>
#include <vector>

#include "gfx/colour.h"
#include "items/item_list.h"
#include "numbers/exact_value.h"
#include "plot/curve.h"
#include "plot/loci.h"
#include "plot/plot_op.h"

namespace yhb {

// One characteristic point or line of a row.
struct ExtraPlot {
    bool twoBranches = false;
    int sourceControl = 0; // the check box that asked for it
    Family kind = Family::None;
    PlotOp plotOp = PlotOp::None;
    double params[10] = {};
};

struct ExpressionSlot {
    PlotOp plotOp = PlotOp::Curve;
    int extraCount = 0;
    bool twoBranches = false;
    Family kind = Family::None;
    double params[10] = {};
    std::optional<ExactValue> exactParams[10]; // what was typed, where it is exact (√3 beside 1.732…)
    ExtraPlot extras[10];
    ItemList labels{50};
    int colourIndex = 0; // 1..5, 0 = none
    // The field texts (CP936) of the Apply that stored the row, so that a lesson keeps what
    // was typed; empty for rows stored otherwise.
    std::vector<std::string> typed;
    // Where its characteristic points went while a slider moved (留下轨迹); an Apply keeps it.
    RowTrail trail;
};

constexpr int kMaxSlots = 5;
constexpr int kMaxExtras = 10;

// Colour index 1..5: magenta, green, blue, cyan, yellow; index 0 is black.
constexpr std::array<Colour, 6> SlotColours = {rgb(0, 0, 0),     rgb(255, 0, 255), rgb(0, 255, 0),
                                               rgb(0, 0, 255),   rgb(0, 255, 255), rgb(255, 255, 0)};

// The entered expressions: rows 0 .. slotCount-1 are in use, in creation order.
class ExpressionTable {
public:
    int allocateColour();
    void resetSlot(int row);
    void copySlot(int source, int target);
    void deleteSlot(int row);
    // 清除轨迹: every row's trails. Also tells a recorder that its run is gone.
    void clearTrails();
    bool hasTrails() const;

    ExpressionSlot& slot(int row) { return slots_[static_cast<std::size_t>(row)]; }
    const ExpressionSlot& slot(int row) const { return slots_[static_cast<std::size_t>(row)]; }

    int slotCount = 0;
    int editMode = 1; // 1: the next dialog writes a new row; 0: it modifies editRow
    int editRow = 0;
    std::array<int, 6> colourInUse{}; // by colour index; entry 0 unused
    // Counts the times trails were cleared or rows moved, so that a run being recorded starts
    // afresh instead of rewriting strokes that are no longer its own.
    unsigned trailGeneration = 0;

private:
    std::array<ExpressionSlot, kMaxSlots> slots_;
};

} // namespace yhb
