#include "dialogs/formula_picture.h"

#include <set>
#include <string>
#include <vector>

#include "bank/question_reader.h"
#include "gfx/cp936.h"
#include "gfx/qt_surface.h"
#include "plot/curve.h"
#include "plot/plotter.h"

namespace yhb {
namespace {

struct Sketch {
    int kind;
    int pixelsPerUnit;
    std::vector<double> params;
    const char* equation;                  // question markup lines separated by '|'
    std::vector<std::string> coefficients; // the equation's red tokens
    std::vector<std::vector<const char*>> names; // per box, one per record it adds
};

// Sketch parameters are chosen to fit 100 x 110 pixels, not the family defaults.
const std::vector<Sketch>& sketches() {
    using namespace kind;
    static const std::vector<Sketch> table = {
        {SlopeIntercept, 10, {0.8, 1.5}, "y=|k|x+|b", {"k", "b"}, {}},
        {PointSlope, 10, {1, 1, 0.7}, "y-|y1|=|k|(x-|x1|)", {"k", "x1", "y1"}, {{"(x1,y1)"}}},
        {TwoPoint, 10, {-2, -1, 2, 2}, "{|y-|y1|}|{|y2|-|y1|}|fs|=|{|x-|x1|}|{|x2|-|x1|}|fs",
         {"x1", "y1", "x2", "y2"}, {{"(x1,y1)"}, {"(x2,y2)"}}},
        {Intercept, 10, {3, 2}, "x|a|fs|+|y|b|fs|=1", {"a", "b"}, {}},
        {GeneralLine, 10, {1, 2, -2}, "A|x+|B|y+|C|=0", {"A", "B", "C"}, {}},
        {Sin, 10, {2, 1, 0}, "y=|A|sin(|B|x)+|C", {"A", "B", "C"}, {}},
        {Cos, 10, {2, 1, 0}, "y=|A|cos(|B|x)+|C", {"A", "B", "C"}, {}},
        {Tan, 10, {1, 0.7, 0}, "y=|A|tan(|B|x)+|C", {"A", "B", "C"}, {}},
        {EllipseX, 9, {4, 2.6}, "x|2|zs|a|2|zs|fs|+|y|2|zs|b|2|zs|fs|=1", {"a", "b"},
         {{"A1", "A2", "B1", "B2"}, {"F1", "F2"}, {"l", "l"}}},
        {EllipseY, 9, {4, 2.6}, "y|2|zs|a|2|zs|fs|+|x|2|zs|b|2|zs|fs|=1", {"a", "b"},
         {{"A1", "A2", "B1", "B2"}, {"F1", "F2"}, {"l", "l"}}},
        {HyperbolaX, 9, {2, 1.5}, "x|2|zs|a|2|zs|fs|-|y|2|zs|b|2|zs|fs|=1", {"a", "b"},
         {{"A1", "A2"}, {"F1", "F2"}, {"l", "l"}, {"", ""}}},
        {HyperbolaY, 9, {2, 1.5}, "y|2|zs|a|2|zs|fs|-|x|2|zs|b|2|zs|fs|=1", {"a", "b"},
         {{"A1", "A2"}, {"F1", "F2"}, {"l", "l"}, {"", ""}}},
        {ParabolaRight, 10, {1.5}, "y|2|zs|=2|p|x", {"p"}, {{"l"}, {"F"}}},
        {ParabolaLeft, 10, {1.5}, "y|2|zs|=-2|p|x", {"p"}, {{"l"}, {"F"}}},
        {ParabolaUp, 10, {1.5}, "x|2|zs|=2|p|y", {"p"}, {{"l"}, {"F"}}},
        {ParabolaDown, 10, {1.5}, "x|2|zs|=-2|p|y", {"p"}, {{"l"}, {"F"}}},
        {ParabolaGeneral, 10, {0.5, 0, -2}, "y=|A|x|2|zs|+|B|x+|C", {"A", "B", "C"}, {}},
        {CircleOrigin, 10, {3.5}, "x|2|zs|+|y|2|zs|=|r|2|zs", {"r"}, {}},
        {CircleCentre, 10, {1, 1, 3}, "(x-|a|)|2|zs|+(y-|b|)|2|zs|=|r|2|zs", {"a", "b", "r"}, {{"C"}}},
        {CircleGeneral, 10, {-2, -2, -7}, "x|2|zs|+|y|2|zs|+|D|x+|E|y+|F|=0", {"D", "E", "F"}, {{"C"}}},
        {Exponential, 10, {1, 2}, "y=|A|b|x|zs", {"A", "b"}, {}},
        {Logarithm, 10, {3}, "y=|A|lg|x", {"A"}, {}},
    };
    return table;
}

// Draws through another surface, writing the coefficient tokens in red.
class CoefficientSurface : public Surface {
public:
    CoefficientSurface(Surface& s, const std::vector<std::string>& coefficients) : s_(s) {
        for (const auto& c : coefficients) red_.insert(c);
    }
    void setPen(Colour c) override { s_.setPen(c); }
    void setBrush(Brush b) override { s_.setBrush(b); }
    void setTextColour(Colour c) override {
        colour_ = c;
        s_.setTextColour(c);
    }
    void setBkMode(BkMode m) override { s_.setBkMode(m); }
    void setOrigin(int x, int y) override { s_.setOrigin(x, y); }
    Point origin() const override { return s_.origin(); }
    void moveTo(int x, int y) override { s_.moveTo(x, y); }
    void lineTo(int x, int y) override { s_.lineTo(x, y); }
    void polyline(const Point* pts, int count) override { s_.polyline(pts, count); }
    void ellipse(int l, int t, int r, int b) override { s_.ellipse(l, t, r, b); }
    void fillRect(int l, int t, int r, int b, Colour c) override { s_.fillRect(l, t, r, b, c); }
    void textOut(int x, int y, std::string_view text, CellFont font) override {
        const bool red = red_.count(std::string(text)) != 0;
        if (red) s_.setTextColour(rgb(230, 0, 0));
        s_.textOut(x, y, text, font);
        if (red) s_.setTextColour(colour_);
    }

private:
    Surface& s_;
    std::set<std::string> red_;
    Colour colour_ = kBlack;
};

const Sketch* findSketch(int kind) {
    for (const Sketch& s : sketches())
        if (s.kind == kind) return &s;
    return nullptr;
}

void drawSketch(QtSurface& s, const FamilySpec& family, const Sketch& sketch) {
    constexpr int kWidth = 104, kHeight = 112;
    const int ox = 4 + kWidth / 2, oy = 4 + kHeight / 2;
    s.setOrigin(ox, oy);
    const Band band{-kWidth / 2, kHeight / 2, kWidth / 2, -kHeight / 2};
    ViewSettings view;
    view.pixelsPerUnit = sketch.pixelsPerUnit;
    view.showLabels = 0;

    s.setPen(rgb(150, 150, 150));
    s.moveTo(band.left, 0);
    s.lineTo(band.right, 0);
    s.moveTo(0, band.bottom);
    s.lineTo(0, band.top);
    s.textOut(band.right - 6, 2, "x", CellFont{10, 5});
    s.textOut(3, band.top, "y", CellFont{10, 5});

    double p[10] = {};
    for (std::size_t i = 0; i < sketch.params.size() && i < 10; ++i) p[i] = sketch.params[i];
    s.setPen(rgb(0, 0, 220));
    plot(s, view, family.twoBranches, plotop::Curve, family.kind, p, band);

    if (!family.records) return;
    s.setPen(rgb(0, 140, 0));
    s.setBrush(Brush::White);
    s.setTextColour(rgb(0, 110, 0));
    for (std::size_t b = 0; b < family.boxes.size(); ++b) {
        ExpressionSlot slot;
        RecordSink sink(slot, family.boxes[b].id);
        family.records(family.boxes[b].id, p, sink);
        for (int j = 0; j < slot.extraCount; ++j) {
            const ExtraPlot& e = slot.extras[j];
            plot(s, view, e.twoBranches, e.plotOp, e.kind, e.params, band);
            const char* name = b < sketch.names.size() && static_cast<std::size_t>(j) < sketch.names[b].size()
                                   ? sketch.names[b][static_cast<std::size_t>(j)]
                                   : "";
            if (!*name) continue;
            const int sc = view.pixelsPerUnit;
            int x = 0, y = 0;
            if (e.plotOp == plotop::PointMark) {
                // Foci below their mark, vertices above it, so that close pairs stay apart.
                x = static_cast<int>(sc * e.params[0]) + 3;
                y = static_cast<int>(-sc * e.params[1]) + (name[0] == 'F' ? 3 : -12);
            } else if (e.plotOp == plotop::VerticalLine) {
                x = static_cast<int>(sc * e.params[0]) + 2;
                y = band.top + 2;
            } else {
                continue;
            }
            s.textOut(x, y, name, CellFont{10, 5});
        }
    }
}

void drawEquation(QtSurface& s, const Sketch& sketch) {
    std::string markup = "function\r\ntm\r\n";
    for (const char* c = sketch.equation; *c; ++c) markup += *c == '|' ? std::string("\r\n") : std::string(1, *c);
    ItemList equation(50), unused(50);
    if (!parseQuestion(markup, equation, unused)) return;
    // Fractions get twice the height so that their halves read at the text's size.
    for (int i = 0; i < equation.count(); ++i) {
        DrawItem* item = equation.at(i);
        if (dynamic_cast<FractionItem*>(item))
            item->setFontSize(30, 8);
        else
            item->setFontSize(16, 8);
    }
    const int left = 114, width = kFormulaPictureWidth - left - 2;
    const int top = (kFormulaPictureHeight - equation.measure(width)) / 2;
    s.setPen(kBlack); // fraction bars and root signs
    CoefficientSurface red(s, sketch.coefficients);
    equation.draw(red, left, top, width, kFormulaPictureHeight);
}

} // namespace

QImage formulaPicture(const FamilySpec& family) {
    QImage image(kFormulaPictureWidth, kFormulaPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    const Sketch* sketch = findSketch(family.kind);
    if (!sketch) return image;
    QtSurface s(&image);
    s.setBkMode(BkMode::Transparent);
    drawSketch(s, family, *sketch);
    s.setOrigin(0, 0);
    s.setPen(rgb(200, 200, 200));
    s.moveTo(110, 6);
    s.lineTo(110, kFormulaPictureHeight - 6);
    drawEquation(s, *sketch);
    return image;
}

} // namespace yhb
