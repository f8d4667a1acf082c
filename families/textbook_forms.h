// SPDX-License-Identifier: GPL-3.0-or-later
// Each family's two textbook functions; its table entry (families/family_table.cpp) holds them.
#pragma once
#include <vector>

#include "families/textbook.h"

namespace yhb::textbook {

using Names = std::vector<TextbookName>;

math::Node slopeInterceptEquation(const RowValues& r);
math::Node pointSlopeEquation(const RowValues& r);
Names pointSlopeNames(int box, const RowValues& r);
math::Node twoPointEquation(const RowValues& r);
Names twoPointNames(int box, const RowValues& r);
math::Node interceptEquation(const RowValues& r);
math::Node generalLineEquation(const RowValues& r);
math::Node sinEquation(const RowValues& r);
math::Node cosEquation(const RowValues& r);
math::Node tanEquation(const RowValues& r);
math::Node exponentialEquation(const RowValues& r);
math::Node logarithmEquation(const RowValues& r);

math::Node ellipseXEquation(const RowValues& r);
Names ellipseXNames(int box, const RowValues& r);
math::Node ellipseYEquation(const RowValues& r);
Names ellipseYNames(int box, const RowValues& r);
math::Node hyperbolaXEquation(const RowValues& r);
Names hyperbolaXNames(int box, const RowValues& r);
math::Node hyperbolaYEquation(const RowValues& r);
Names hyperbolaYNames(int box, const RowValues& r);
math::Node parabolaRightEquation(const RowValues& r);
Names parabolaRightNames(int box, const RowValues& r);
math::Node parabolaLeftEquation(const RowValues& r);
Names parabolaLeftNames(int box, const RowValues& r);
math::Node parabolaUpEquation(const RowValues& r);
Names parabolaUpNames(int box, const RowValues& r);
math::Node parabolaDownEquation(const RowValues& r);
Names parabolaDownNames(int box, const RowValues& r);
math::Node parabolaGeneralEquation(const RowValues& r);
math::Node circleOriginEquation(const RowValues& r);
math::Node circleCentreEquation(const RowValues& r);
Names circleCentreNames(int box, const RowValues& r);
math::Node circleGeneralEquation(const RowValues& r);
Names circleGeneralNames(int box, const RowValues& r);

} // namespace yhb::textbook
