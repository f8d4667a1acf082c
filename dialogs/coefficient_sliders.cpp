// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/coefficient_sliders.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "families/labels.h"
#include "dialogs/parameter_form.h"
#include "gfx/cp936.h"
#include "plot/curve.h"

namespace yhb {

namespace {

int clampTo(SliderSpan s, int p) { return std::max(s.min, std::min(s.max, p)); }

} // namespace

bool parseSliderRange(const std::string& fromText, const std::string& toText, SliderRange& out, Problem& problem) {
    SliderRange r;
    if (!readWholeNumber(fromText, r.from)) {
        problem = problemAt(0, "起点“" + cp936::toUtf8(fromText) + "”不是数");
        return false;
    }
    if (!readWholeNumber(toText, r.to)) {
        problem = problemAt(0, "终点“" + cp936::toUtf8(toText) + "”不是数");
        return false;
    }
    if (std::fabs(r.from) > kSliderLimit || std::fabs(r.to) > kSliderLimit) {
        problem = problemAt(0, "范围不能超出 -10000 到 10000");
        return false;
    }
    const SliderSpan s = sliderSpan(r);
    if (s.max <= s.min) {
        problem = problemAt(0, "起点必须小于终点，且至少相差 0.1");
        return false;
    }
    out = r;
    return true;
}

SliderSpan sliderSpan(SliderRange r) {
    // A little slack, so that 0.3 typed is the position 3 although 0.3 * 10 may not be exactly 3.
    constexpr double slack = 1e-7;
    return {static_cast<int>(std::ceil(r.from * kSliderTicksPerUnit - slack)),
            static_cast<int>(std::floor(r.to * kSliderTicksPerUnit + slack))};
}

bool sliderPositionOf(double value, SliderSpan span, int& position) {
    if (std::isnan(value)) return false;
    const double ticks = value * kSliderTicksPerUnit;
    if (ticks <= span.min) position = span.min;
    else if (ticks >= span.max) position = span.max;
    else position = static_cast<int>(std::lround(ticks));
    return true;
}

std::string sliderText(int position) { return formatNumber(static_cast<double>(position) / kSliderTicksPerUnit); }

Bounce::Bounce(int position, SliderSpan span) : position_(clampTo(span, position)), direction_(1), span_(span) {
    if (position_ >= span_.max) direction_ = -1;
}

int Bounce::next() {
    if (span_.max <= span_.min) return position_;
    position_ += direction_;
    if (position_ >= span_.max) {
        position_ = span_.max;
        direction_ = -1;
    } else if (position_ <= span_.min) {
        position_ = span_.min;
        direction_ = 1;
    }
    return position_;
}

void Bounce::setSpan(SliderSpan span) {
    span_ = span;
    position_ = clampTo(span_, position_);
    if (position_ >= span_.max) direction_ = -1;
    else if (position_ <= span_.min) direction_ = 1;
}

SliderSet::SliderSet(ParameterForm& form) : form_(form) { reset(); }

void SliderSet::reset() {
    const std::size_t n = form_.family().fields.size();
    ranges_.assign(n, SliderRange{});
    positions_.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        ranges_[i] = form_.family().fields[i].slider;
        follow(i);
    }
    lastRefused_ = false;
    stop();
}

bool SliderSet::setRange(std::size_t i, const std::string& fromText, const std::string& toText, Problem& problem) {
    SliderRange r;
    if (!parseSliderRange(fromText, toText, r, problem)) return false;
    ranges_[i] = r;
    sliderPositionOf(readField(form_.fieldTexts[i]), span(i), positions_[i]);
    positions_[i] = clampTo(span(i), positions_[i]);
    if (animated_ == static_cast<int>(i)) bounce_.setSpan(span(i));
    return true;
}

bool SliderSet::follow(std::size_t i) {
    const double v = readField(form_.fieldTexts[i]);
    bool widened = false;
    if (std::isfinite(v) && std::fabs(v) <= kSliderLimit) {
        const long ticks = std::lround(v * kSliderTicksPerUnit);
        const SliderSpan s = span(i);
        if (ticks < s.min) {
            ranges_[i].from = static_cast<double>(ticks) / kSliderTicksPerUnit;
            widened = true;
        } else if (ticks > s.max) {
            ranges_[i].to = static_cast<double>(ticks) / kSliderTicksPerUnit;
            widened = true;
        }
    }
    sliderPositionOf(v, span(i), positions_[i]);
    positions_[i] = clampTo(span(i), positions_[i]);
    return widened;
}

SliderSet::Outcome SliderSet::move(std::size_t i, int position) {
    stop(); // touching any slider ends an animation
    return moveTo(i, clampTo(span(i), position));
}

SliderSet::Outcome SliderSet::moveTo(std::size_t i, int position) {
    const int previous = positions_[i];
    positions_[i] = position;
    form_.fieldTexts[i] = sliderText(position);
    // A run of refused values says so once; a refused Apply changes nothing anyway.
    if (lastRefused_ && !form_.refusal().empty()) return Outcome::Refused;
    // Recorded before the Apply, whose repaint then shows the trail with the curve it ends at.
    if (tracing_ && form_.refusal().empty()) recordTrail(i, previous, position);
    lastRefused_ = !form_.apply();
    return lastRefused_ ? Outcome::Refused : Outcome::Applied;
}

void SliderSet::setTracing(bool on) {
    tracing_ = on;
    if (!on) recorder_.endRun();
}

void SliderSet::recordTrail(std::size_t i, int from, int to) {
    double p[10] = {};
    for (std::size_t k = 0; k < form_.fieldTexts.size() && k < 10; ++k) p[k] = readField(form_.fieldTexts[k]);
    recorder_.record(form_.document().table, form_.targetRow(), form_.family(), i, from, to, p);
}

void SliderSet::start(std::size_t i) {
    animated_ = static_cast<int>(i);
    bounce_ = Bounce(positions_[i], span(i));
}

SliderSet::Outcome SliderSet::tick() {
    if (!running()) return Outcome::Unchanged;
    const Outcome o = moveTo(static_cast<std::size_t>(animated_), bounce_.next());
    if (o == Outcome::Refused) stop();
    return o;
}

} // namespace yhb
