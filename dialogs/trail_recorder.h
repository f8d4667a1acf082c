// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <vector>

#include "families/family_table.h"
#include "plot/expression_table.h"
#include "plot/loci.h"

namespace yhb {

// Records a row's trails while one of its coefficients moves by slider or ▶. A run is one
// coefficient moving while the others stay: its positions are kept by slider position, so a
// jump of the slider is filled in step by step and running back adds nothing. Moving another
// coefficient, or changing one by typing, starts a new run beside the old one's strokes.
class TrailRecorder {
public:
    // Slider `field` goes from position `from` to `to` (tenths) with `params` the row's other
    // coefficients; the trail of row `row` of `table` gets the characteristic points at every
    // position between. A row full of trail points (kTrailPointLimit) takes no more.
    void record(ExpressionTable& table, int row, const FamilySpec& family, std::size_t field, int from, int to,
                const double* params);
    // The next move starts a new run.
    void endRun() { active_ = false; }

private:
    bool continues(const ExpressionTable& table, int row, const FamilySpec& family, std::size_t field,
                   const double* params) const;

    bool active_ = false;
    int row_ = -1;
    Family kind_ = Family::None;
    std::size_t field_ = 0;
    double params_[10] = {};
    unsigned generation_ = 0;
    std::size_t firstStroke_ = 0; // where this run's strokes begin in the row's trail
    TrailRun run_;
};

} // namespace yhb
