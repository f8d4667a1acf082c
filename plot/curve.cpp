// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/curve.h"

namespace yhb {

bool isClosedCurve(int k) {
    return k == kind::EllipseX || k == kind::EllipseY || k == kind::CircleOrigin || k == kind::CircleCentre ||
           k == kind::CircleGeneral;
}


} // namespace yhb
