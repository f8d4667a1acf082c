// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include <QPoint>

#include "plot/expression_table.h"

class QMenu;

namespace yhb {

class MainWindow;

// 复制方程: a row's equation in textbook notation put on the clipboard, for a worksheet or a
// document, whatever notation the panel shows.
enum class EquationFormat { Text, Latex, MathMl };

// The row's equation written out: x²/4+y²/3=1 (½ and ¾ where a textbook sets them in the
// line), \frac{x^{2}}{4}+…, or a MathML <math> element.
std::string equationOf(const ExpressionSlot& slot, EquationFormat format);

// Puts the row's equation on the clipboard; MathML both as application/mathml+xml, which word
// processors paste as an equation, and as plain text.
void copyEquation(const ExpressionSlot& slot, EquationFormat format);

// The right-click on the label panel: over a row's label, pops up 复制方程 with its three
// items for that row and returns the menu (it deletes itself when closed); elsewhere null.
QMenu* openLabelMenu(MainWindow& window, QPoint clientPos, QPoint globalPos);

} // namespace yhb
