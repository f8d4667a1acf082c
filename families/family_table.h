// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "families/textbook.h"
#include "items/item_list.h"
#include "plot/curve.h"
#include "plot/expression_table.h"

namespace yhb {

// Label sizes: the panel's layout recomputes the character width and the heights.
struct LabelMetrics {
    int labelCharWidth = 8;
    int wideLabelExtra = 6;
    int labelFontHeight = 30;
    int fractionCharWidth = 14;
    int fractionFontHeight = 30;
};

// The range a field's slider starts with; it holds the field's default value.
struct SliderRange {
    double from = 0;
    double to = 0;
};
constexpr SliderRange kWideRange{-10, 10}, kMediumRange{-5, 5}, kSizeRange{0.5, 10}, kFrequencyRange{0.1, 5};

struct FieldSpec {
    const char* label; // UTF-8
    int defaultValue;
    SliderRange slider = kWideRange;
};

struct BoxSpec {
    int id;
    const char* caption; // UTF-8
};

// Where a check box's records go: the row's extras, at most ten.
class RecordSink {
public:
    explicit RecordSink(ExpressionSlot& slot, int sourceControl) : slot_(slot), source_(sourceControl) {}
    void point(double x, double y);
    void verticalLine(double x);
    void horizontalLine(double y);
    void line(double slope, double intercept); // a sampled slope-intercept line

private:
    ExtraPlot* next();
    ExpressionSlot& slot_;
    int source_;
};

enum class FamilyGroup { Line, Trig, Conic, ExpLog };

// One entry per curve family: everything its dialog shows, stores and labels.
struct FamilySpec {
    Family kind;
    CurveSpec curve; // what the plotter draws
    int templateId;
    FamilyGroup group;
    const char* menuCaption; // UTF-8
    const char* title;       // UTF-8
    const char* cliName;
    std::vector<FieldSpec> fields;
    std::vector<BoxSpec> boxes;
    bool twoBranches;
    bool trigHint;
    bool validatesCircle; // the general circle: D*D + E*E - 4F must be greater than 0
    void (*records)(int box, const double* p, RecordSink& out);
    void (*label)(const double* p, ItemList& labels, const LabelMetrics& m); // classic notation
    TextbookForm textbook;                                                    // 教材记法
};

// In the order of the menu "添加新函数".
const std::vector<FamilySpec>& families();
const FamilySpec* findFamily(Family kind);
const FamilySpec* findFamilyByName(const std::string& cliName);
const char* groupCaption(FamilyGroup g); // UTF-8

// The trigonometric families' hint under the picture (UTF-8).
extern const char* const kTrigHint;

} // namespace yhb
