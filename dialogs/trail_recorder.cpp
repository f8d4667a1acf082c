// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/trail_recorder.h"

#include <algorithm>
#include <cstdlib>

#include "dialogs/coefficient_sliders.h"
#include "families/trail_points.h"

namespace yhb {
namespace {

// A jump across a huge range is sampled at no more positions than this.
constexpr int kMostSteps = 2000;

} // namespace

bool TrailRecorder::continues(const ExpressionTable& table, int row, const FamilySpec& family, std::size_t field,
                              const double* params) const {
    if (!active_ || row != row_ || family.kind != kind_ || field != field_ || table.trailGeneration != generation_)
        return false;
    if (table.slot(row).trail.strokes.size() < firstStroke_) return false;
    for (std::size_t k = 0; k < 10; ++k)
        if (k != field && params[k] != params_[k]) return false;
    return true;
}

void TrailRecorder::record(ExpressionTable& table, int row, const FamilySpec& family, std::size_t field, int from,
                           int to, const double* params) {
    if (row < 0 || row >= kMaxSlots || field >= family.fields.size() || field >= 10) return;
    RowTrail& trail = table.slot(row).trail;
    if (!continues(table, row, family, field, params)) {
        active_ = true;
        row_ = row;
        kind_ = family.kind;
        field_ = field;
        std::copy(params, params + 10, params_);
        generation_ = table.trailGeneration;
        firstStroke_ = trail.strokes.size();
        run_ = TrailRun{};
    }
    std::size_t others = 0; // the points of the row's earlier runs
    for (std::size_t s = 0; s < firstStroke_; ++s) others += trail.strokes[s].size();

    double p[10];
    std::copy(params, params + 10, p);
    const int distance = std::abs(to - from);
    const int stride = std::max(1, (distance + kMostSteps - 1) / kMostSteps);
    const int direction = to >= from ? 1 : -1;
    bool added = false;
    for (int step = 0;; step += stride) {
        const int position = step >= distance ? to : from + direction * step;
        if (!run_.has(position)) {
            p[field] = static_cast<double>(position) / kSliderTicksPerUnit;
            const std::vector<PlanePoint> points = tracedPoints(family, p);
            if (others + run_.pointCount() + points.size() > kTrailPointLimit) break;
            run_.add(position, points);
            added = true;
        }
        if (position == to) break;
    }
    if (!added) return;
    trail.strokes.resize(firstStroke_);
    for (TrailStroke& s : run_.strokes()) trail.strokes.push_back(std::move(s));
}

} // namespace yhb
