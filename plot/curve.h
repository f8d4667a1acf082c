#pragma once
#include <cmath>

namespace yhb {

// Family ids; each equals the command id of its menu item.
namespace kind {
constexpr int SlopeIntercept = 32773, PointSlope = 32774, TwoPoint = 32775, Intercept = 32776, GeneralLine = 32777;
constexpr int Sin = 32778, Cos = 32779, Tan = 32780;
constexpr int EllipseX = 32781, HyperbolaX = 32782, HyperbolaY = 32783;
constexpr int ParabolaRight = 32784, ParabolaLeft = 32785, ParabolaUp = 32786, ParabolaDown = 32787;
constexpr int EllipseY = 32788, Exponential = 32789, Logarithm = 32790;
constexpr int CircleOrigin = 32792, CircleCentre = 32793, CircleGeneral = 32794, ParabolaGeneral = 32795;
} // namespace kind

// Curves whose two branches are joined where they end.
bool isClosedCurve(int k);

// The first value of the family at x; the second value of two-branch families goes to
// `second`. `undefined` is set where the family has no real point, and for unknown kinds.
inline double evaluateCurve(int k, const double* p, double x, double& second, int& undefined) {
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
