#include "plot/curve.h"

namespace yhb {

bool isCurveKind(int k) { return (k >= 32773 && k <= 32790) || (k >= 32792 && k <= 32795); }

bool isClosedCurve(int k) {
    return k == kind::EllipseX || k == kind::EllipseY || k == kind::CircleOrigin || k == kind::CircleCentre ||
           k == kind::CircleGeneral;
}


} // namespace yhb
