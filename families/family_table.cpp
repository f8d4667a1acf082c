// SPDX-License-Identifier: GPL-3.0-or-later
#include "families/family_table.h"

#include <cmath>

#include "families/labels.h"
#include "families/textbook_forms.h"
#include "plot/curve.h"
#include "plot/plotter.h"
#include "plot/sampling_loop.h"

namespace yhb {

const char* const kTrigHint = "使用此三角函数时，建议使用菜单上\"坐标设置\"----->\"X轴用PI的值显示\"这个功能";

// ---- records -------------------------------------------------------------------

ExtraPlot* RecordSink::next() {
    if (slot_.extraCount >= kMaxExtras) return nullptr;
    ExtraPlot& e = slot_.extras[slot_.extraCount++];
    e = ExtraPlot{};
    e.sourceControl = source_;
    return &e;
}
void RecordSink::point(double x, double y) {
    if (ExtraPlot* e = next()) {
        e->plotOp = PlotOp::PointMark;
        e->params[0] = x;
        e->params[1] = y;
    }
}
void RecordSink::verticalLine(double x) {
    if (ExtraPlot* e = next()) {
        e->plotOp = PlotOp::VerticalLine;
        e->params[0] = x;
    }
}
void RecordSink::horizontalLine(double y) {
    if (ExtraPlot* e = next()) {
        e->plotOp = PlotOp::HorizontalLine;
        e->params[0] = y;
    }
}
void RecordSink::line(double slope, double intercept) {
    if (ExtraPlot* e = next()) {
        e->plotOp = PlotOp::Curve;
        e->kind = Family::SlopeIntercept;
        e->params[0] = slope;
        e->params[1] = intercept;
    }
}

namespace {

std::string n1(double v) { return formatNumber(v); }

// ---- straight lines ------------------------------------------------------------

void slopeLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    labelText(L, "y=" + n1(p[0]) + "x+" + n1(p[1]), m.labelFontHeight, m.labelCharWidth + m.wideLabelExtra);
}
void pointSlopeLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    labelText(L, "y-" + n1(p[1]) + "=" + n1(p[2]) + "(x-" + n1(p[0]) + ")", m.labelFontHeight, m.labelCharWidth);
}
void pointSlopeRecords(int, const double* p, RecordSink& out) { out.point(p[0], p[1]); }

void twoPointLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    partText(L, "y-" + n1(p[1]));
    partText(L, n1(p[3]) + "-" + n1(p[1]));
    fractionOfLastTwo(L, m.fractionFontHeight, m.fractionCharWidth);
    labelText(L, " = ", m.labelFontHeight, m.labelCharWidth);
    partText(L, "x-" + n1(p[0]));
    partText(L, n1(p[2]) + "-" + n1(p[0]));
    fractionOfLastTwo(L, m.fractionFontHeight, m.fractionCharWidth);
}
void twoPointRecords(int box, const double* p, RecordSink& out) {
    if (box == 1010) out.point(p[0], p[1]);
    else out.point(p[2], p[3]);
}

void interceptLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    partText(L, "x");
    partText(L, n1(p[0]));
    fractionOfLastTwo(L, m.fractionFontHeight, m.fractionCharWidth);
    labelText(L, " + ", m.labelFontHeight, m.labelCharWidth);
    partText(L, "y");
    partText(L, n1(p[1]));
    fractionOfLastTwo(L, m.fractionFontHeight, m.fractionCharWidth);
    labelText(L, " =1", m.labelFontHeight, m.labelCharWidth);
}

void generalLineLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    labelText(L, n1(p[0]) + "x+" + n1(p[1]) + "y+" + n1(p[2]) + "=0", m.labelFontHeight, m.labelCharWidth);
}

// ---- trigonometric, exponential, logarithm -----------------------------------------

template <const char* Name>
void trigLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    // The argument is written with its x: "sin2.0" alone would be an equation without x.
    labelText(L, "y=" + n1(p[0]) + Name + "(" + n1(p[1]) + "x)+" + n1(p[2]), m.labelFontHeight, m.labelCharWidth);
}
constexpr char kSin[] = "sin", kCos[] = "cos", kTan[] = "tan";

void logLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    labelText(L, "y=" + n1(p[0]) + "*lgX", m.labelFontHeight, m.labelCharWidth + m.wideLabelExtra);
}
void expLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    const int w = m.labelCharWidth + m.wideLabelExtra;
    labelText(L, "y=" + n1(p[0]) + "*", m.labelFontHeight, w);
    power(L, n1(p[1]), "X")->setFontSize(m.labelFontHeight, w);
}

// ---- circles -----------------------------------------------------------------

void sizedSquare(ItemList& L, const std::string& base, int h, int w) { square(L, base)->setFontSize(h, w); }

void circleOriginLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    const int h = m.labelFontHeight, w = m.labelCharWidth + m.wideLabelExtra;
    sizedSquare(L, "x", h, w);
    labelText(L, "+", h, w);
    sizedSquare(L, "y", h, w);
    labelText(L, "=", h, w);
    sizedSquare(L, n1(p[0]), h, w);
}
void circleCentreLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    const int h = m.labelFontHeight, w = m.labelCharWidth - 2;
    sizedSquare(L, "(x-" + n1(p[0]) + ")", h, w);
    labelText(L, "+", h, w);
    sizedSquare(L, "(y-" + n1(p[1]) + ")", h, w);
    labelText(L, "=", h, m.labelCharWidth + m.wideLabelExtra);
    sizedSquare(L, n1(p[2]), h, w);
}
void circleCentreRecords(int, const double* p, RecordSink& out) { out.point(p[0], p[1]); }

void circleGeneralLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    const int h = m.labelFontHeight, w = m.labelCharWidth - 2;
    sizedSquare(L, "x", h, w);
    labelText(L, "+", h, w);
    sizedSquare(L, "y", h, w);
    labelText(L, "+", h, w);
    labelText(L, n1(p[0]) + "x+" + n1(p[1]) + "y+" + n1(p[2]) + "=0", h, w);
}
void circleGeneralRecords(int, const double* p, RecordSink& out) { out.point(p[0] * -0.5, p[1] * -0.5); }

// ---- ellipses and hyperbolas ---------------------------------------------------------

void conicLabel(ItemList& L, const LabelMetrics& m, const char* v1, double d1, const char* sign, const char* v2,
                double d2) {
    square(L, v1);
    square(L, n1(d1));
    fractionOfLastTwo(L, m.fractionFontHeight, m.fractionCharWidth);
    labelText(L, sign, m.labelFontHeight, m.labelCharWidth);
    square(L, v2);
    square(L, n1(d2));
    fractionOfLastTwo(L, m.fractionFontHeight, m.fractionCharWidth);
    labelText(L, " =1", m.labelFontHeight, m.labelCharWidth);
}
void ellipseXLabel(const double* p, ItemList& L, const LabelMetrics& m) { conicLabel(L, m, "x", p[0], " + ", "y", p[1]); }
void ellipseYLabel(const double* p, ItemList& L, const LabelMetrics& m) { conicLabel(L, m, "x", p[1], " + ", "y", p[0]); }
void hyperbolaXLabel(const double* p, ItemList& L, const LabelMetrics& m) { conicLabel(L, m, "x", p[0], " - ", "y", p[1]); }
void hyperbolaYLabel(const double* p, ItemList& L, const LabelMetrics& m) { conicLabel(L, m, "y", p[0], " - ", "x", p[1]); }

double ellipseC(const double* p) { return std::sqrt(p[0] * p[0] - p[1] * p[1]); }
double hyperbolaC(const double* p) { return std::sqrt(p[0] * p[0] + p[1] * p[1]); }

void ellipseXRecords(int box, const double* p, RecordSink& out) {
    const double a = p[0], b = p[1];
    if (box == 1010) {
        out.point(-a, 0); out.point(a, 0); out.point(0, -b); out.point(0, b);
    } else if (box == 1011) {
        const double c = ellipseC(p);
        out.point(-c, 0); out.point(c, 0);
    } else {
        const double d = a * a / ellipseC(p);
        out.verticalLine(d); out.verticalLine(-d);
    }
}
void ellipseYRecords(int box, const double* p, RecordSink& out) {
    const double a = p[0], b = p[1];
    if (box == 1010) {
        out.point(0, -a); out.point(0, a); out.point(-b, 0); out.point(b, 0);
    } else if (box == 1011) {
        const double c = ellipseC(p);
        out.point(0, -c); out.point(0, c);
    } else {
        const double d = a * a / ellipseC(p);
        out.horizontalLine(d); out.horizontalLine(-d);
    }
}
void hyperbolaXRecords(int box, const double* p, RecordSink& out) {
    const double a = p[0], b = p[1];
    switch (box) {
    case 1010: out.point(-a, 0); out.point(a, 0); break;
    case 1011: { const double c = hyperbolaC(p); out.point(-c, 0); out.point(c, 0); break; }
    case 1012: { const double d = a * a / hyperbolaC(p); out.verticalLine(d); out.verticalLine(-d); break; }
    default: { const double k = b / a; out.line(k, 0); out.line(-k, 0); break; }
    }
}
void hyperbolaYRecords(int box, const double* p, RecordSink& out) {
    const double a = p[0], b = p[1];
    switch (box) {
    case 1010: out.point(0, -a); out.point(0, a); break;
    case 1011: { const double c = hyperbolaC(p); out.point(0, -c); out.point(0, c); break; }
    case 1012: { const double d = a * a / hyperbolaC(p); out.horizontalLine(d); out.horizontalLine(-d); break; }
    default: { const double k = a / b; out.line(k, 0); out.line(-k, 0); break; }
    }
}

// ---- parabolas ---------------------------------------------------------------

template <const char* Var, const char* Rhs>
void parabolaLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    const int h = m.labelFontHeight, w = m.labelCharWidth + m.wideLabelExtra;
    square(L, Var)->setFontSize(h, w);
    std::string rhs = Rhs;
    std::size_t at = rhs.find('#');
    labelText(L, rhs.substr(0, at) + n1(p[0]) + rhs.substr(at + 1), h, w);
}
constexpr char kX[] = "x", kY[] = "y";
constexpr char kRight[] = "=2*#x", kLeft[] = "=-2*#x", kUp[] = "=2*#y", kDown[] = "=-2*#y";

void parabolaRightRecords(int box, const double* p, RecordSink& out) {
    const double h = p[0] * 0.5;
    if (box == 1010) out.verticalLine(-h); else out.point(h, 0);
}
void parabolaLeftRecords(int box, const double* p, RecordSink& out) {
    const double h = p[0] * 0.5;
    if (box == 1010) out.verticalLine(h); else out.point(-h, 0);
}
void parabolaUpRecords(int box, const double* p, RecordSink& out) {
    const double h = p[0] * 0.5;
    if (box == 1010) out.horizontalLine(-h); else out.point(0, h);
}
void parabolaDownRecords(int box, const double* p, RecordSink& out) {
    const double h = p[0] * 0.5;
    if (box == 1010) out.horizontalLine(h); else out.point(0, -h);
}

void parabolaGeneralLabel(const double* p, ItemList& L, const LabelMetrics& m) {
    const int h = m.labelFontHeight, w = m.labelCharWidth;
    labelText(L, "y=" + n1(p[0]), h, w);
    square(L, "x")->setFontSize(h, w);
    labelText(L, "+" + n1(p[1]) + "x+" + n1(p[2]), h, w);
}

std::vector<FamilySpec> buildFamilies() {
    using G = FamilyGroup;
    const std::vector<BoxSpec> parabolaBoxes = {{1010, "画出准线L"}, {1011, "画出焦点F"}};
    const std::vector<FieldSpec> abc = {{"A=", 1}, {"B=", 1}, {"C=", 0}};
    const std::vector<FieldSpec> trig = {{"A=", 1, kMediumRange}, {"B=", 1, kFrequencyRange}, {"C=", 0, kMediumRange}};
    const std::vector<FieldSpec> semiAxes = {{"a=", 5, kSizeRange}, {"b=", 4, kSizeRange}};
    const std::vector<FieldSpec> focalParameter = {{"p=", 2, kSizeRange}};
    return {
        {Family::SlopeIntercept, curveSpec<curve::slopeIntercept>(DomainRule::Everywhere),
         133, G::Line, "斜截式", "直线函数-------斜截式", "line-slope",
         {{"k=", 1}, {"b=", 0}}, {}, false, false, false, nullptr, slopeLabel,
         {textbook::slopeInterceptEquation, nullptr}},
        {Family::PointSlope, curveSpec<curve::pointSlope>(DomainRule::Everywhere),
         137, G::Line, "点斜式", "直线函数------点斜式", "line-point-slope",
         {{"x1=", 0}, {"y1=", 0}, {"k=", 1}}, {{1010, "画出(x1,y1)的点"}}, false, false, false, pointSlopeRecords,
         pointSlopeLabel,
         {textbook::pointSlopeEquation, textbook::pointSlopeNames}},
        {Family::TwoPoint, curveSpec<curve::twoPoint>(DomainRule::Everywhere),
         134, G::Line, "两点式", "直线函数------两点式", "line-two-point",
         {{"x1=", 0}, {"y1=", 0}, {"x2=", 1}, {"y2=", 1}}, {{1010, "画出(x1,y1)的点"}, {1011, "画出(x2,y2)的点"}}, false,
         false, false, twoPointRecords, twoPointLabel,
         {textbook::twoPointEquation, textbook::twoPointNames}},
        {Family::Intercept, curveSpec<curve::intercept>(DomainRule::Everywhere),
         135, G::Line, "截距式", "直线函数------截距式", "line-intercept", {{"a=", 1}, {"b=", -1}}, {},
         false, false, false, nullptr, interceptLabel,
         {textbook::interceptEquation, nullptr}},
        {Family::GeneralLine, curveSpec<curve::generalLine>(DomainRule::Everywhere),
         136, G::Line, "一般式", "直线函数------一般式", "line-general", abc, {}, false, false, false, nullptr, generalLineLabel,
         {textbook::generalLineEquation, nullptr}},
        {Family::Sin, curveSpec<curve::sine>(DomainRule::Everywhere),
         130, G::Trig, "sin函数", "SIN函数", "sin", trig, {}, false, true, false, nullptr, trigLabel<kSin>,
         {textbook::sinEquation, nullptr}},
        {Family::Cos, curveSpec<curve::cosine>(DomainRule::Everywhere),
         131, G::Trig, "cos函数", "COS函数", "cos", trig, {}, false, true, false, nullptr, trigLabel<kCos>,
         {textbook::cosEquation, nullptr}},
        {Family::Tan, curveSpec<curve::tangent>(DomainRule::Everywhere),
         132, G::Trig, "tan函数", "TAN函数", "tan", trig, {}, false, true, false, nullptr, trigLabel<kTan>,
         {textbook::tanEquation, nullptr}},
        {Family::EllipseX, curveSpec<curve::ellipseX>(DomainRule::AroundYAxis, true),
         139, G::Conic, "椭圆标准式1焦点在X轴上", "椭圆标准式1------焦点在X轴", "ellipse-x",
         semiAxes,
         {{1010, "画出x轴和y轴上的4个顶点"}, {1011, "画出焦点F1，F2"}, {1012, "画出准线------x=+-a^2/c"}}, true, false,
         false, ellipseXRecords, ellipseXLabel,
         {textbook::ellipseXEquation, textbook::ellipseXNames}},
        {Family::EllipseY, curveSpec<curve::ellipseY>(DomainRule::AroundYAxis, true),
         138, G::Conic, "椭圆标准式2焦点在Y轴上", "椭圆标准式2------焦点在Y轴", "ellipse-y",
         semiAxes,
         {{1010, "画出x轴和y轴上的4个顶点"}, {1011, "画出焦点F1，F2"}, {1012, "画出准线-------y=+-a^2/c"}}, true, false,
         false, ellipseYRecords, ellipseYLabel,
         {textbook::ellipseYEquation, textbook::ellipseYNames}},
        {Family::HyperbolaX, curveSpec<curve::hyperbolaX>(DomainRule::Everywhere),
         140, G::Conic, "双曲线标准式1焦点在X轴上", "双曲线标准式1------焦点在X轴", "hyperbola-x",
         semiAxes,
         {{1010, "画出x轴的2个顶点"}, {1011, "画出焦点F1，F2"}, {1012, "画出准线------x=+-a^2/c"},
          {1013, "画出渐近线------y=+-(b/a)x"}},
         true, false, false, hyperbolaXRecords, hyperbolaXLabel,
         {textbook::hyperbolaXEquation, textbook::hyperbolaXNames}},
        {Family::HyperbolaY, curveSpec<curve::hyperbolaY>(DomainRule::Everywhere),
         141, G::Conic, "双曲线标准式2焦点在Y轴上", "双曲线标准式2------焦点在Y轴", "hyperbola-y",
         semiAxes,
         {{1010, "画出y轴的2个顶点"}, {1011, "画出焦点F1，F2"}, {1012, "画出准线------y=+-a^2/c"},
          {1013, "画出渐近线------y=+-(a/b)x"}},
         true, false, false, hyperbolaYRecords, hyperbolaYLabel,
         {textbook::hyperbolaYEquation, textbook::hyperbolaYNames}},
        {Family::ParabolaRight, curveSpec<curve::parabolaRight>(DomainRule::OpensRight),
         142, G::Conic, "抛物线1　y^2=2px (p>0)", "抛物线标准式1", "parabola-right", focalParameter,
         parabolaBoxes, true, false, false, parabolaRightRecords, parabolaLabel<kY, kRight>,
         {textbook::parabolaRightEquation, textbook::parabolaRightNames}},
        {Family::ParabolaLeft, curveSpec<curve::parabolaLeft>(DomainRule::OpensLeft),
         143, G::Conic, "抛物线2　y^2=-2px (p>0)", "抛物线标准式2", "parabola-left", focalParameter,
         parabolaBoxes, true, false, false, parabolaLeftRecords, parabolaLabel<kY, kLeft>,
         {textbook::parabolaLeftEquation, textbook::parabolaLeftNames}},
        {Family::ParabolaUp, curveSpec<curve::parabolaUp>(DomainRule::Everywhere),
         144, G::Conic, "抛物线3　x^2=2py (p>0)", "抛物线标准式3", "parabola-up", focalParameter,
         parabolaBoxes, false, false, false, parabolaUpRecords, parabolaLabel<kX, kUp>,
         {textbook::parabolaUpEquation, textbook::parabolaUpNames}},
        {Family::ParabolaDown, curveSpec<curve::parabolaDown>(DomainRule::Everywhere),
         145, G::Conic, "抛物线4　x^2=-2py (p>0)", "抛物线标准式4", "parabola-down", focalParameter,
         parabolaBoxes, false, false, false, parabolaDownRecords, parabolaLabel<kX, kDown>,
         {textbook::parabolaDownEquation, textbook::parabolaDownNames}},
        {Family::ParabolaGeneral, curveSpec<curve::parabolaGeneral>(DomainRule::Everywhere),
         146, G::Conic, "抛物线一般式y=Ax^2+Bx+C", "抛物线------一般式", "parabola-general",
         {{"A=", 1, kMediumRange}, {"B=", 0}, {"C=", 0}}, {}, false, false, false, nullptr, parabolaGeneralLabel,
         {textbook::parabolaGeneralEquation, nullptr}},
        {Family::CircleOrigin, curveSpec<curve::circleOrigin>(DomainRule::AroundYAxis, true),
         147, G::Conic, "圆的标准方程,圆心在原点,半径为r", "圆的标准方程------圆心在原点",
         "circle-origin", {{"r=", 2, kSizeRange}}, {}, true, false, false, nullptr, circleOriginLabel,
         {textbook::circleOriginEquation, nullptr}},
        {Family::CircleCentre, curveSpec<curve::circleCentre>(DomainRule::AroundX0, true),
         148, G::Conic, "圆心在点C(a,b),半径为r的圆", "圆心在点C(a,b)，半径为r的圆方程",
         "circle-centre", {{"a=", 1}, {"b=", 1}, {"r=", 3, kSizeRange}}, {{1010, "画出圆心C(a,b)"}}, true, false, false,
         circleCentreRecords, circleCentreLabel,
         {textbook::circleCentreEquation, textbook::circleCentreNames}},
        {Family::CircleGeneral, curveSpec<curve::circleGeneral>(DomainRule::AroundHalfMinusX0, true),
         149, G::Conic, "圆的一般方程-----二元二次方程", "圆的一般方程", "circle-general",
         {{"D=", -3}, {"E=", -3}, {"F=", 1}}, {{1010, "画出圆心C"}}, true, false, true, circleGeneralRecords,
         circleGeneralLabel,
         {textbook::circleGeneralEquation, textbook::circleGeneralNames}},
        {Family::Exponential, curveSpec<curve::exponential>(DomainRule::Everywhere),
         150, G::ExpLog, "指数函数", "指数函数", "exponential", {{"A=", 1, kMediumRange}, {"b=", 2, kFrequencyRange}}, {}, false, false,
         false, nullptr, expLabel,
         {textbook::exponentialEquation, nullptr}},
        {Family::Logarithm, curveSpec<curve::logarithm>(DomainRule::PositiveX),
         151, G::ExpLog, "对数函数", "对数函数", "logarithm", {{"A=", 1, kMediumRange}}, {}, false, false, false, nullptr,
         logLabel,
         {textbook::logarithmEquation, nullptr}},
    };
}

} // namespace

const std::vector<FamilySpec>& families() {
    static const std::vector<FamilySpec> table = buildFamilies();
    return table;
}

const FamilySpec* findFamily(Family k) {
    for (const FamilySpec& f : families())
        if (f.kind == k) return &f;
    return nullptr;
}

const CurveSpec* curveOf(Family kind) {
    const FamilySpec* f = findFamily(kind);
    return f ? &f->curve : nullptr;
}

const FamilySpec* findFamilyByName(const std::string& name) {
    for (const FamilySpec& f : families())
        if (name == f.cliName) return &f;
    return nullptr;
}

const char* groupCaption(FamilyGroup g) {
    switch (g) {
    case FamilyGroup::Line: return "直线函数";
    case FamilyGroup::Trig: return "三角函数";
    case FamilyGroup::Conic: return "圆锥曲线";
    case FamilyGroup::ExpLog: return "指数对数";
    }
    return "";
}

} // namespace yhb
