#pragma once

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

bool isCurveKind(int k);
// Curves whose two branches are joined where they end.
bool isClosedCurve(int k);

// The first value of the family at x; the second value of two-branch families goes to
// `second`. `undefined` is set where the family has no real point, and for unknown kinds.
double evaluateCurve(int kind, const double* params, double x, double& second, int& undefined);

} // namespace yhb
