// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/curve.h"

namespace yhb {

Family familyOfId(int id) {
    const bool known = (id >= familyId(Family::SlopeIntercept) && id <= familyId(Family::Logarithm)) ||
                       (id >= familyId(Family::CircleOrigin) && id <= familyId(Family::ParabolaGeneral));
    return known ? static_cast<Family>(id) : Family::None;
}

bool isClosedCurve(Family f) {
    const CurveSpec* c = curveOf(f);
    return c && c->closed;
}

double evaluateCurve(Family f, const double* p, double x, double& second, int& undefined) {
    second = 0.0;
    undefined = 0;
    const CurveSpec* c = curveOf(f);
    if (!c) {
        undefined = 1;
        return 0.0;
    }
    return c->evaluate(p, x, second, undefined);
}

} // namespace yhb
