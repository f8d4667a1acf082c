// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "model/document.h"
#include "families/family_table.h"
#include "io/notifier.h"
#include "io/problem.h"

namespace yhb {

// One expression of the command line: FAMILY[:T1,T2,...][+BOX...].
struct CliExpression {
    const FamilySpec* family = nullptr;
    std::vector<std::string> texts; // UTF-8, as typed into the fields in field order
    std::vector<int> boxes;
};

// The FAMILY of an EXPR: a family's number or its command-line name; null for neither.
const FamilySpec* expressionFamily(const std::string& head);

// Parses one EXPR; on failure returns false and puts a message naming the problem in `error`.
bool parseExpression(const std::string& text, CliExpression& out, Problem& error);

// Enters the expression as its dialog would: the menu's refusal of a sixth one, the fields
// (missing ones keep the family's default), the boxes, then OK. False when refused; the
// notifier got the dialog's message then.
bool enterExpression(Document& doc, const CliExpression& e, Notifier& notifier);

// A question's figure line: one or more EXPRs separated by spaces, at most five, each of
// which its dialog would accept. On failure `error` names the problem (UTF-8, Chinese).
bool parseFigure(const std::string& line, std::vector<CliExpression>& out, Problem& error);

// The figure in place of the document's rows, on a view reset to its start values.
// False (and nothing changed) when the line is not a figure parseFigure accepts.
bool enterFigure(Document& doc, const std::string& line);

} // namespace yhb
