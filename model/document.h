// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <string>

#include "families/family_table.h"
#include "io/notifier.h"
#include "plot/canvas_scene.h"
#include "plot/expression_table.h"
#include "plot/view_settings.h"

namespace yhb {

// What each family's dialog keeps between its openings.
struct FamilyState {
    int targetRow = 0;
    int claimPending = 1;
};

// The program's document and view: the entered expressions, the canvas view, the label
// sizes and the family dialogs' own state. Lives as long as the main window.
struct Document {
    ExpressionTable table;
    ViewSettings view;
    CanvasView canvas;
    LabelMetrics metrics;
    std::map<Family, FamilyState> familyStates;

    FamilyState& familyState(Family kind) { return familyStates[kind]; }
};

// The menu's way to a new expression: refuses a sixth one with StringId::TooManyExpressions, else sets new mode.
bool beginNew(Document& doc, Notifier& notifier);
// The modify button's way: modify mode on `row`.
void beginModify(Document& doc, int row);

// The canvas of the document as the canvas widget shows it: the view's origin, transparent
// text, the whole scene at the canvas size; in the presentation palette with captions kept
// apart when the view is in presentation mode.
void paintDocument(Surface& s, const Document& doc);

// The text of StringId::TooManyExpressions formatted with 5 (UTF-8).
std::string tooManyExpressionsText();

} // namespace yhb
