// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace yhb {

// What one record of a row draws. The values are kept: the form tests print them.
enum class PlotOp : int { None = 0, Curve = 1074, PointMark = 1075, VerticalLine = 1076, HorizontalLine = 1077, Circle = 1078 };

} // namespace yhb
