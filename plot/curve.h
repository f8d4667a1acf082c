// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>

namespace yhb {

// The curve families. Each value is the command id of the family's menu item, and the number
// a lesson of old and the tool's numeric EXPR heads use; None marks an empty row or an extra
// that is no curve.
enum class Family : int {
    None = 0,
    SlopeIntercept = 32773,
    PointSlope = 32774,
    TwoPoint = 32775,
    Intercept = 32776,
    GeneralLine = 32777,
    Sin = 32778,
    Cos = 32779,
    Tan = 32780,
    EllipseX = 32781,
    HyperbolaX = 32782,
    HyperbolaY = 32783,
    ParabolaRight = 32784,
    ParabolaLeft = 32785,
    ParabolaUp = 32786,
    ParabolaDown = 32787,
    EllipseY = 32788,
    Exponential = 32789,
    Logarithm = 32790,
    CircleOrigin = 32792,
    CircleCentre = 32793,
    CircleGeneral = 32794,
    ParabolaGeneral = 32795,
};

constexpr int familyId(Family f) { return static_cast<int>(f); }
// The family whose id this is; Family::None for any other number.
Family familyOfId(int id);

// A curve function: the first value of the family at x, the second value of two-branch families
// in `second`, `undefined` set where the family has no real point. Each expects `second` = 0
// and `undefined` = 0 on entry.
using CurveFunction = double (*)(const double* p, double x, double& second, int& undefined);

// Where the sampling of a pass may stop (the value under the root shrinks outwards from a centre).
enum class DomainRule {
    Everywhere,
    AroundYAxis,       // symmetric about x = 0 (ellipses, the circle about the origin)
    AroundX0,          // about x = p0 (the circle with its centre given)
    AroundHalfMinusX0, // about x = -p0/2 (the general circle)
    OpensRight,        // y² = 2px
    OpensLeft,         // y² = -2px
    PositiveX,         // lg x
};

struct SamplePass;
struct SampleDomain;
using SampleLoop = void (*)(SamplePass&, const double*, int scale, double step, int pass, const SampleDomain&, int until);

// What the plotter knows of a family's curve; each family's table entry holds one
// (curveSpec in plot/sampling_loop.h makes it).
struct CurveSpec {
    CurveFunction evaluate;
    SampleLoop sample; // the sampling loop specialised for evaluate
    DomainRule domain;
    bool closed; // two branches joined where they end
};

// The curve of a family id, from its family table entry; null for an unknown id.
const CurveSpec* curveOf(Family family);

// Curves whose two branches are joined where they end.
bool isClosedCurve(Family f);

// One curve function per family, shared by evaluateCurve and the plotter's sampling loops so
// that both compute the same bits.
namespace curve {

// Square-root families: v > 0 gives the two values upper + sqrt(v) and lower - sqrt(v).
inline double branches(double v, double upperOffset, double lowerOffset, double& second, int& undefined) {
    if (!(v > 0)) {
        undefined = 1;
        return 0.0;
    }
    double r = std::sqrt(v);
    second = lowerOffset - r;
    return upperOffset + r;
}

inline double slopeIntercept(const double* p, double x, double&, int&) { return p[0] * x + p[1]; }
inline double pointSlope(const double* p, double x, double&, int&) { return (x - p[0]) * p[2] + p[1]; }
inline double twoPoint(const double* p, double x, double&, int&) { return (p[3] - p[1]) * (x - p[0]) / (p[2] - p[0]) + p[1]; }
inline double intercept(const double* p, double x, double&, int&) { return p[1] - x * p[1] / p[0]; }
inline double generalLine(const double* p, double x, double&, int&) { return -(p[0] * x + p[2]) / p[1]; }
inline double sine(const double* p, double x, double&, int&) { return p[0] * std::sin(p[1] * x) + p[2]; }
inline double cosine(const double* p, double x, double&, int&) { return p[0] * std::cos(p[1] * x) + p[2]; }
inline double tangent(const double* p, double x, double&, int&) { return p[0] * std::tan(p[1] * x) + p[2]; }
inline double ellipseX(const double* p, double x, double& second, int& undefined) {
    double b2 = p[1] * p[1];
    return branches(b2 - b2 * x * x / (p[0] * p[0]), 0, 0, second, undefined);
}
inline double ellipseY(const double* p, double x, double& second, int& undefined) {
    double a2 = p[0] * p[0];
    return branches(a2 - a2 * x * x / (p[1] * p[1]), 0, 0, second, undefined);
}
inline double hyperbolaX(const double* p, double x, double& second, int& undefined) {
    double b2 = p[1] * p[1];
    return branches(b2 * x * x / (p[0] * p[0]) - b2, 0, 0, second, undefined);
}
inline double hyperbolaY(const double* p, double x, double& second, int& undefined) {
    double a2 = p[0] * p[0];
    return branches(a2 + a2 * x * x / (p[1] * p[1]), 0, 0, second, undefined);
}
inline double parabolaRight(const double* p, double x, double& second, int& undefined) {
    return branches(2 * p[0] * x, 0, 0, second, undefined);
}
inline double parabolaLeft(const double* p, double x, double& second, int& undefined) {
    return branches(-2 * p[0] * x, 0, 0, second, undefined);
}
inline double parabolaUp(const double* p, double x, double&, int&) { return x * x / (2 * p[0]); }
inline double parabolaDown(const double* p, double x, double&, int&) { return x * x / (-2 * p[0]); }
inline double parabolaGeneral(const double* p, double x, double&, int&) { return (p[0] * x + p[1]) * x + p[2]; }
inline double circleOrigin(const double* p, double x, double& second, int& undefined) {
    return branches(p[0] * p[0] - x * x, 0, 0, second, undefined);
}
inline double circleCentre(const double* p, double x, double& second, int& undefined) {
    return branches(p[2] * p[2] - (x - p[0]) * (x - p[0]), p[1], p[1], second, undefined);
}
inline double circleGeneral(const double* p, double x, double& second, int& undefined) {
    double v = (p[0] * p[0] + p[1] * p[1] - 4 * p[2]) / 4 - (x + p[0] / 2) * (x + p[0] / 2);
    if (!(v > 0)) {
        undefined = 1;
        return 0.0;
    }
    double r = std::sqrt(v);
    second = -(p[1] / 2 + r);
    return r - p[1] / 2;
}
inline double exponential(const double* p, double x, double&, int&) { return p[0] * std::pow(p[1], x); }
inline double logarithm(const double* p, double x, double&, int&) { return p[0] * std::log10(x); }

} // namespace curve

// The first value of the family at x; the second value of two-branch families goes to
// `second`. `undefined` is set where the family has no real point, and for unknown kinds.
double evaluateCurve(Family f, const double* p, double x, double& second, int& undefined);

} // namespace yhb
