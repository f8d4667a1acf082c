// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "dialogs/parameter_form.h"
#include "dialogs/trail_recorder.h"
#include "io/problem.h"

namespace yhb {

// Sliders move a coefficient in tenths: position n stands for the value n / 10, which the
// field shows as "%.1f".
constexpr int kSliderTicksPerUnit = 10;
constexpr int kSliderPageTicks = 10;
// The animation takes one tenth a step, about 30 steps a second.
constexpr int kAnimationIntervalMs = 33;
// A range reaches no further than this either way (a slider has whole positions).
constexpr double kSliderLimit = 10000;

// The range typed into the two small fields (CP936 text). False, with the problem naming
// what is wrong, when either is not a number or they leave no room for a step.
bool parseSliderRange(const std::string& fromText, const std::string& toText, SliderRange& out, Problem& problem);

// The first and last slider positions of a range.
struct SliderSpan {
    int min = 0;
    int max = 0;
};
SliderSpan sliderSpan(SliderRange r);

// Where a value stands: its nearest position, held to the span. False for NaN.
bool sliderPositionOf(double value, SliderSpan span, int& position);

// The field text of a position: "%.1f", as the fields show numbers (CP936, plain ASCII).
std::string sliderText(int position);

// The animation's course: from where it starts towards the range's upper end, then back and
// forth between the ends, one position a step.
class Bounce {
public:
    Bounce(int position, SliderSpan span);
    int next();
    int position() const { return position_; }
    int direction() const { return direction_; }
    void setSpan(SliderSpan span); // a range edited while it runs

private:
    int position_;
    int direction_;
    SliderSpan span_;
};

// The sliders of one dialog over its form: a range per field, the slider positions, and what
// a move does. A move writes the value into the field and applies, exactly as 应用 does; the
// general circle's refusal is shown once for a run of refused moves, and stops an animation.
class SliderSet {
public:
    explicit SliderSet(ParameterForm& form);
    // Each field's default range, widened to hold the value the field shows; no animation.
    void reset();

    std::size_t count() const { return ranges_.size(); }
    SliderRange range(std::size_t i) const { return ranges_[i]; }
    SliderSpan span(std::size_t i) const { return sliderSpan(ranges_[i]); }
    int position(std::size_t i) const { return positions_[i]; }

    // The range fields were edited: false (range unchanged) with the problem when they are bad.
    bool setRange(std::size_t i, const std::string& fromText, const std::string& toText, Problem& problem);
    // The field's text changed by typing: the slider follows it, the range widening to hold
    // it. True when the range changed.
    bool follow(std::size_t i);

    enum class Outcome { Applied, Refused, Unchanged };
    // The user moved slider i. The form's other fields and boxes must be current.
    Outcome move(std::size_t i, int position);

    // The animation of one coefficient; at most one runs.
    void start(std::size_t i);
    void stop() { animated_ = -1; }
    bool running() const { return animated_ >= 0; }
    int animated() const { return animated_; }
    // One step of the running animation; a refusal stops it.
    Outcome tick();

    // 留下轨迹: while on, every move that applies first records the row's characteristic points
    // at each position from the slider's last one to the new one.
    void setTracing(bool on);
    bool tracing() const { return tracing_; }

private:
    Outcome moveTo(std::size_t i, int position);
    void recordTrail(std::size_t i, int from, int to);

    ParameterForm& form_;
    std::vector<SliderRange> ranges_;
    std::vector<int> positions_;
    bool lastRefused_ = false;
    int animated_ = -1;
    Bounce bounce_{0, {}};
    bool tracing_ = false;
    TrailRecorder recorder_;
};

} // namespace yhb
