#include "plot/curve.h"

#include <cmath>

namespace yhb {

bool isCurveKind(int k) { return (k >= 32773 && k <= 32790) || (k >= 32792 && k <= 32795); }

bool isClosedCurve(int k) {
    return k == kind::EllipseX || k == kind::EllipseY || k == kind::CircleOrigin || k == kind::CircleCentre ||
           k == kind::CircleGeneral;
}

double evaluateCurve(int k, const double* p, double x, double& second, int& undefined) {
    second = 0.0;
    undefined = 0;
    // Square-root families: v > 0 gives the two values c + sqrt(v) and c - sqrt(v).
    auto branches = [&](double v, double upperOffset, double lowerOffset) -> double {
        if (!(v > 0)) {
            undefined = 1;
            return 0.0;
        }
        double r = std::sqrt(v);
        second = lowerOffset - r;
        return upperOffset + r;
    };
    switch (k) {
    case kind::SlopeIntercept: return p[0] * x + p[1];
    case kind::PointSlope: return (x - p[0]) * p[2] + p[1];
    case kind::TwoPoint: return (p[3] - p[1]) * (x - p[0]) / (p[2] - p[0]) + p[1];
    case kind::Intercept: return p[1] - x * p[1] / p[0];
    case kind::GeneralLine: return -(p[0] * x + p[2]) / p[1];
    case kind::Sin: return p[0] * std::sin(p[1] * x) + p[2];
    case kind::Cos: return p[0] * std::cos(p[1] * x) + p[2];
    case kind::Tan: return p[0] * std::tan(p[1] * x) + p[2];
    case kind::EllipseX: {
        double b2 = p[1] * p[1];
        return branches(b2 - b2 * x * x / (p[0] * p[0]), 0, 0);
    }
    case kind::EllipseY: {
        double a2 = p[0] * p[0];
        return branches(a2 - a2 * x * x / (p[1] * p[1]), 0, 0);
    }
    case kind::HyperbolaX: {
        double b2 = p[1] * p[1];
        return branches(b2 * x * x / (p[0] * p[0]) - b2, 0, 0);
    }
    case kind::HyperbolaY: {
        double a2 = p[0] * p[0];
        return branches(a2 + a2 * x * x / (p[1] * p[1]), 0, 0);
    }
    case kind::ParabolaRight: return branches(2 * p[0] * x, 0, 0);
    case kind::ParabolaLeft: return branches(-2 * p[0] * x, 0, 0);
    case kind::ParabolaUp: return x * x / (2 * p[0]);
    case kind::ParabolaDown: return x * x / (-2 * p[0]);
    case kind::ParabolaGeneral: return (p[0] * x + p[1]) * x + p[2];
    case kind::CircleOrigin: return branches(p[0] * p[0] - x * x, 0, 0);
    case kind::CircleCentre: return branches(p[2] * p[2] - (x - p[0]) * (x - p[0]), p[1], p[1]);
    case kind::CircleGeneral: {
        double v = (p[0] * p[0] + p[1] * p[1] - 4 * p[2]) / 4 - (x + p[0] / 2) * (x + p[0] / 2);
        if (!(v > 0)) {
            undefined = 1;
            return 0.0;
        }
        double r = std::sqrt(v);
        second = -(p[1] / 2 + r);
        return r - p[1] / 2;
    }
    case kind::Exponential: return p[0] * std::pow(p[1], x);
    case kind::Logarithm: return p[0] * std::log10(x);
    default:
        undefined = 1;
        return 0.0;
    }
}

} // namespace yhb
