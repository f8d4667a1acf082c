// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/curve.h"

namespace yhb {

bool isClosedCurve(int k) {
    const CurveSpec* c = curveOf(k);
    return c && c->closed;
}

double evaluateCurve(int k, const double* p, double x, double& second, int& undefined) {
    second = 0.0;
    undefined = 0;
    const CurveSpec* c = curveOf(k);
    if (!c) {
        undefined = 1;
        return 0.0;
    }
    return c->evaluate(p, x, second, undefined);
}

} // namespace yhb
