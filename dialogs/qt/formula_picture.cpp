// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/qt/formula_picture.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bank/question_reader.h"
#include "gfx/cp936.h"
#include "gfx/forwarding_surface.h"
#include "gfx/qt/qt_surface.h"
#include "plot/curve.h"
#include "plot/plotter.h"

namespace yhb {
namespace {

// Where a name goes from its anchor. For a vertical line E and W put it beside the line's top,
// for a horizontal one N and S above or below its left end.
enum class Dir { NE, NW, SE, SW, E, W, N, S };

struct Name {
    const char* text;
    Dir dir;
};

// A mark that no box records but the picture shows: a point, or a segment with its name at
// the middle (plane coordinates).
struct Extra {
    double x0, y0, x1, y1;
    const char* name;
    Dir dir;
    bool point;
};

struct Sketch {
    Family kind;
    int pixelsPerUnit;
    std::vector<double> params;
    std::vector<const char*> equation;      // lines of question markup, items separated by '|'
    std::vector<std::string> coefficients;  // the equation's red tokens
    std::vector<std::vector<Name>> names;   // per box, one per record it adds
    std::vector<Extra> extras;
};

Extra dot(double x, double y, const char* name, Dir d) { return {x, y, x, y, name, d, true}; }
Extra seg(double x0, double y0, double x1, double y1, const char* name, Dir d) { return {x0, y0, x1, y1, name, d, false}; }

// Sketch parameters are chosen so that every mark and name has room in 104 x 112 pixels, not
// the family defaults.
const std::vector<Sketch>& sketches() {
    const std::vector<std::vector<Name>> conicX = {{{"A1", Dir::NW}, {"A2", Dir::NE}, {"B1", Dir::SE}, {"B2", Dir::NE}},
                                                   {{"F1", Dir::SE}, {"F2", Dir::NW}},
                                                   {{"l", Dir::W}, {"l", Dir::E}}};
    const std::vector<std::vector<Name>> conicY = {{{"A1", Dir::SW}, {"A2", Dir::NW}, {"B1", Dir::NW}, {"B2", Dir::NE}},
                                                   {{"F1", Dir::NE}, {"F2", Dir::SE}},
                                                   {{"l", Dir::S}, {"l", Dir::N}}};
    const std::vector<std::vector<Name>> hyperX = {{{"A1", Dir::NW}, {"A2", Dir::NE}},
                                                   {{"F1", Dir::SW}, {"F2", Dir::SE}},
                                                   {{"l", Dir::E}, {"l", Dir::W}},
                                                   {}};
    const std::vector<std::vector<Name>> hyperY = {{{"A1", Dir::SE}, {"A2", Dir::NE}},
                                                   {{"F1", Dir::SW}, {"F2", Dir::NW}},
                                                   {{"l", Dir::N}, {"l", Dir::S}},
                                                   {}};
    static const std::vector<Sketch> table = {
        {Family::SlopeIntercept, 10, {0.8, 1.5}, {"y=|k|x+|b"}, {"k", "b"}, {}, {dot(0, 1.5, "b", Dir::NW)}},
        {Family::PointSlope, 10, {1, 1, 0.7}, {"y-|y1|=|k|(x-|x1|)"}, {"k", "x1", "y1"}, {{{"(x1,y1)", Dir::NW}}},
         {seg(1, 1, 3.5, 1, nullptr, Dir::S), seg(3.5, 1, 3.5, 2.75, "k", Dir::E)}},
        {Family::TwoPoint, 10, {-3, -2, 2, 2}, {"{|y-|y1|}|{|y2|-|y1|}|fs|=|{|x-|x1|}|{|x2|-|x1|}|fs"},
         {"x1", "y1", "x2", "y2"}, {{{"(x1,y1)", Dir::SE}}, {{"(x2,y2)", Dir::NW}}}, {}},
        {Family::Intercept, 13, {3, 2}, {"x|a|fs|+|y|b|fs|=1"}, {"a", "b"}, {},
         {dot(3, 0, "a", Dir::SW), dot(0, 2, "b", Dir::NE)}},
        {Family::GeneralLine, 10, {1, 2, -2}, {"A|x+|B|y+|C|=0"}, {"A", "B", "C"}, {}, {}},
        {Family::Sin, 10, {2, 1, 0}, {"y=|A|sin(|B|x)+|C"}, {"A", "B", "C"}, {}, {}},
        {Family::Cos, 10, {2, 1, 0}, {"y=|A|cos(|B|x)+|C"}, {"A", "B", "C"}, {}, {}},
        {Family::Tan, 10, {1, 0.7, 0}, {"y=|A|tan(|B|x)+|C"}, {"A", "B", "C"}, {}, {}},
        {Family::EllipseX, 10, {3, 2.4}, {"x|2|zs|a|2|zs|fs|+|y|2|zs|b|2|zs|fs|=1"}, {"a", "b"}, conicX, {}},
        {Family::EllipseY, 10, {3, 2.34}, {"x|2|zs|b|2|zs|fs|+|y|2|zs|a|2|zs|fs|=1"}, {"a", "b"}, conicY, {}},
        {Family::HyperbolaX, 14, {1, 2}, {"x|2|zs|a|2|zs|fs|-|y|2|zs|b|2|zs|fs|=1"}, {"a", "b"}, hyperX, {}},
        {Family::HyperbolaY, 16, {1, 2}, {"y|2|zs|a|2|zs|fs|-|x|2|zs|b|2|zs|fs|=1"}, {"a", "b"}, hyperY, {}},
        {Family::ParabolaRight, 16, {1.5}, {"y|2|zs|=2|p|x"}, {"p"}, {{{"l", Dir::W}}, {{"F", Dir::SE}}}, {}},
        {Family::ParabolaLeft, 16, {1.5}, {"y|2|zs|=-2|p|x"}, {"p"}, {{{"l", Dir::E}}, {{"F", Dir::SW}}}, {}},
        {Family::ParabolaUp, 16, {1.5}, {"x|2|zs|=2|p|y"}, {"p"}, {{{"l", Dir::S}}, {{"F", Dir::NE}}}, {}},
        {Family::ParabolaDown, 16, {1.5}, {"x|2|zs|=-2|p|y"}, {"p"}, {{{"l", Dir::N}}, {{"F", Dir::SE}}}, {}},
        {Family::ParabolaGeneral, 10, {0.5, 0, -2}, {"y=|A|x|2|zs|+|B|x+|C"}, {"A", "B", "C"}, {}, {}},
        {Family::CircleOrigin, 12, {3.5}, {"x|2|zs|+|y|2|zs|=|r|2|zs"}, {"r"}, {},
         {dot(0, 0, "O", Dir::SW), seg(0, 0, 3.5 * 0.7071, 3.5 * 0.7071, "r", Dir::NW)}},
        {Family::CircleCentre, 12, {1, 1, 3}, {"{|(x-|a|)|}|2|zs|+|{|(y-|b|)|}|2|zs", "=|r|2|zs", "C(|a|,|b|)"}, {"a", "b", "r"},
         {{{"C", Dir::SE}}}, {seg(1, 1, 1 + 3 * 0.7071, 1 + 3 * 0.7071, "r", Dir::NW)}},
        {Family::CircleGeneral, 12, {-2, -2, -7}, {"x|2|zs|+|y|2|zs|+|D|x+|E|y+|F|=0", "C(-|D|/2,-|E|/2)"}, {"D", "E", "F"},
         {{{"C", Dir::SE}}}, {}},
        {Family::Exponential, 10, {1, 2}, {"y=|A|b|x|zs"}, {"A", "b"}, {}, {dot(0, 1, "A", Dir::NW)}},
        {Family::Logarithm, 10, {3}, {"y=|A|lg|x"}, {"A"}, {}, {dot(1, 0, "1", Dir::SE)}},
    };
    return table;
}

const Sketch* findSketch(Family kind) {
    for (const Sketch& s : sketches())
        if (s.kind == kind) return &s;
    return nullptr;
}

// The sketch's frame: its origin in the picture and the band the plotter draws in.
constexpr int kSketchWidth = 104, kSketchHeight = 112;
constexpr int kOriginX = 4 + kSketchWidth / 2, kOriginY = 4 + kSketchHeight / 2;
const Band kBand{-kSketchWidth / 2, kSketchHeight / 2, kSketchWidth / 2, -kSketchHeight / 2};
constexpr int kEquationLeft = kFormulaPictureRule + 3, kEquationRight = kFormulaPictureWidth - 3;

const Colour kAxisColour = rgb(150, 150, 150), kCurveColour = rgb(0, 0, 220);
const Colour kMarkColour = rgb(0, 130, 0), kNameColour = rgb(0, 110, 0), kRed = rgb(220, 0, 0);

// Names are set as in a book: letters italic, digits as indices, in a serif face whose
// "l", "I" and "1" differ.
QFont nameFont(int pixelSize, bool italic) {
    static const QString family = [] {
        const QStringList have = QFontDatabase::families();
        for (const QString& w : {QStringLiteral("DejaVu Serif"), QStringLiteral("Noto Serif")})
            if (have.contains(w)) return w;
        return QtSurface::fontFamily();
    }();
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

struct NamePiece {
    QString text;
    QFont font;
    double dy; // below the baseline
};

std::vector<NamePiece> namePieces(const QString& name) {
    std::vector<NamePiece> pieces;
    for (QChar c : name) {
        NamePiece p{QString(c), nameFont(12, c.isLetter()), 0};
        if (c.isDigit() && !pieces.empty() && pieces.back().text.back().isLetter()) p = {QString(c), nameFont(9, false), 3};
        if (!pieces.empty() && pieces.back().font == p.font && pieces.back().dy == p.dy) pieces.back().text += c;
        else pieces.push_back(p);
    }
    return pieces;
}

QSizeF nameSize(const QString& name) {
    double w = 0;
    for (const NamePiece& p : namePieces(name)) w += QFontMetricsF(p.font).horizontalAdvance(p.text);
    return {std::ceil(w) + 1, 13};
}

// The name's box for an anchor in picture pixels.
QRectF placeName(const QString& name, QPointF a, Dir dir) {
    const QSizeF sz = nameSize(name);
    const double gap = 3;
    switch (dir) {
    case Dir::NE: return {QPointF(a.x() + gap, a.y() - gap - sz.height()), sz};
    case Dir::NW: return {QPointF(a.x() - gap - sz.width(), a.y() - gap - sz.height()), sz};
    case Dir::SE: return {QPointF(a.x() + gap, a.y() + gap), sz};
    case Dir::SW: return {QPointF(a.x() - gap - sz.width(), a.y() + gap), sz};
    case Dir::E: return {QPointF(a.x() + gap, a.y()), sz};
    case Dir::W: return {QPointF(a.x() - gap - sz.width(), a.y()), sz};
    case Dir::N: return {QPointF(a.x(), a.y() - gap - sz.height()), sz};
    case Dir::S: return {QPointF(a.x(), a.y() + gap), sz};
    }
    return {};
}

void drawName(QPainter& p, const QString& name, const QRectF& box) {
    double x = box.left();
    const double baseline = box.top() + 10;
    for (const NamePiece& piece : namePieces(name)) {
        p.setFont(piece.font);
        p.drawText(QPointF(x, baseline + piece.dy), piece.text);
        x += QFontMetricsF(piece.font).horizontalAdvance(piece.text);
    }
}

QPointF pixelOf(const Sketch& sk, double x, double y) {
    return {kOriginX + sk.pixelsPerUnit * x, kOriginY - sk.pixelsPerUnit * y};
}

struct PlacedName {
    QString text;
    QRectF box;
    bool axis = false;
};

const QRectF kSketchArea(2, 2, kFormulaPictureRule - 4, kFormulaPictureHeight - 4);

// The records of every box, as the dialog would store them for the sketch's parameters,
// with their names placed.
std::vector<PlacedName> sketchNames(const FamilySpec& family, const Sketch& sk, std::vector<ExtraPlot>* records) {
    std::vector<PlacedName> out;
    double p[10] = {};
    for (std::size_t i = 0; i < sk.params.size() && i < 10; ++i) p[i] = sk.params[i];
    const double top = kOriginY + kBand.top + 2, left = kOriginX + kBand.left + 2;
    for (std::size_t b = 0; family.records && b < family.boxes.size(); ++b) {
        ExpressionSlot slot;
        RecordSink sink(slot, family.boxes[b].id);
        family.records(family.boxes[b].id, p, sink);
        for (int j = 0; j < slot.extraCount; ++j) {
            const ExtraPlot& e = slot.extras[j];
            if (records) records->push_back(e);
            if (b >= sk.names.size() || static_cast<std::size_t>(j) >= sk.names[b].size()) continue;
            const Name& n = sk.names[b][static_cast<std::size_t>(j)];
            QPointF anchor;
            if (e.plotOp == PlotOp::PointMark) anchor = pixelOf(sk, e.params[0], e.params[1]);
            else if (e.plotOp == PlotOp::VerticalLine) anchor = {pixelOf(sk, e.params[0], 0).x(), top};
            else if (e.plotOp == PlotOp::HorizontalLine) anchor = {left, pixelOf(sk, 0, e.params[0]).y()};
            else continue;
            const QString text = QString::fromUtf8(n.text);
            out.push_back({text, placeName(text, anchor, n.dir)});
        }
    }
    for (const Extra& x : sk.extras) {
        if (!x.name) continue;
        const QPointF a = pixelOf(sk, (x.x0 + x.x1) / 2, (x.y0 + x.y1) / 2);
        const QString text = QString::fromUtf8(x.name);
        out.push_back({text, placeName(text, a, x.dir)});
    }
    return out;
}

// The axes, the curve and the marks, without names.
void drawSketch(QtSurface& s, const FamilySpec& family, const Sketch& sk) {
    s.setOrigin(kOriginX, kOriginY);
    ViewSettings view;
    view.pixelsPerUnit = sk.pixelsPerUnit;
    view.showLabels = false;

    s.setPen(kAxisColour);
    s.moveTo(kBand.left, 0);
    s.lineTo(kBand.right, 0);
    s.moveTo(0, kBand.bottom);
    s.lineTo(0, kBand.top);

    double p[10] = {};
    for (std::size_t i = 0; i < sk.params.size() && i < 10; ++i) p[i] = sk.params[i];
    s.setPen(kCurveColour);
    plot(s, view, family.twoBranches, PlotOp::Curve, family.kind, p, kBand);

    std::vector<ExtraPlot> records;
    sketchNames(family, sk, &records);
    s.setPen(kMarkColour);
    s.setBrush(Brush::White);
    auto mark = [&](double x, double y) {
        const int X = static_cast<int>(std::lround(sk.pixelsPerUnit * x)), Y = static_cast<int>(std::lround(-sk.pixelsPerUnit * y));
        s.ellipse(X - 2, Y - 2, X + 3, Y + 3);
    };
    for (const ExtraPlot& e : records) {
        if (e.plotOp == PlotOp::PointMark) mark(e.params[0], e.params[1]);
        else plot(s, view, e.twoBranches, e.plotOp, e.kind, e.params, kBand);
    }
    for (const Extra& x : sk.extras) {
        if (x.point) {
            mark(x.x0, x.y0);
            continue;
        }
        const int sc = sk.pixelsPerUnit;
        s.moveTo(static_cast<int>(std::lround(sc * x.x0)), static_cast<int>(std::lround(-sc * x.y0)));
        s.lineTo(static_cast<int>(std::lround(sc * x.x1)), static_cast<int>(std::lround(-sc * x.y1)));
    }
}

// The axis names go at the axes' ends, where no other name is and nothing but white ground
// and the axes is drawn; an axis whose end is taken stays unnamed rather than have its name
// read as part of another.
void placeAxisNames(std::vector<PlacedName>& names, const QImage& sketch) {
    const QPointF xEnd(kOriginX + kBand.right, kOriginY), yEnd(kOriginX, kOriginY + kBand.top);
    const struct {
        const char* text;
        std::vector<std::pair<QPointF, Dir>> places;
    } axes[] = {{"x", {{xEnd, Dir::SW}, {xEnd, Dir::NW}}}, {"y", {{yEnd, Dir::E}, {yEnd, Dir::W}}}};
    auto clear = [&](const QRectF& box) {
        const QRect r = box.adjusted(-1, -1, 1, 1).toAlignedRect().intersected(sketch.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb c = sketch.pixel(x, y);
                if (c != qRgb(255, 255, 255) && c != qRgb(red(kAxisColour), green(kAxisColour), blue(kAxisColour))) return false;
            }
        return true;
    };
    for (const auto& axis : axes) {
        for (const auto& [anchor, dir] : axis.places) {
            const QRectF box = placeName(axis.text, anchor, dir);
            bool free = kSketchArea.contains(box) && clear(box);
            for (const PlacedName& n : names) free = free && !n.box.intersects(box);
            if (!free) continue;
            names.push_back({axis.text, box, true});
            break;
        }
    }
}

// Every name of the sketch, the axis names placed against its pixels at ratio 1 so that
// they go to the same place at every ratio.
std::vector<PlacedName> allNames(const FamilySpec& family, const Sketch& sk) {
    QImage plain(kFormulaPictureWidth, kFormulaPictureHeight, QImage::Format_RGB32);
    plain.fill(Qt::white);
    QtSurface s(&plain);
    drawSketch(s, family, sk);
    std::vector<PlacedName> names = sketchNames(family, sk, nullptr);
    placeAxisNames(names, plain);
    return names;
}

void drawNames(QImage& image, double dpr, const std::vector<PlacedName>& placed) {
    QPainter names(&image);
    names.setRenderHint(QPainter::TextAntialiasing);
    names.scale(dpr, dpr);
    for (const PlacedName& n : placed) {
        names.setPen(toQColor(n.axis ? kAxisColour : kNameColour));
        drawName(names, n.text, n.box);
    }
}

// Draws through another surface, writing the coefficient tokens in red.
class CoefficientSurface : public ForwardingSurface {
public:
    CoefficientSurface(Surface& s, const std::vector<std::string>& coefficients) : ForwardingSurface(s) {
        for (const auto& c : coefficients) red_.insert(c);
    }
    void setTextColour(Colour c) override {
        colour_ = c;
        s_.setTextColour(c);
    }
    void textOut(int x, int y, std::string_view text, CellFont font) override {
        const bool red = red_.count(std::string(text)) != 0;
        if (red) s_.setTextColour(kRed);
        s_.textOut(x, y, text, font);
        if (red) s_.setTextColour(colour_);
    }
    // Captions are text too: a coefficient written as one is red.
    void caption(int x, int y, std::string_view text, CellFont font, int, int, int, int) override {
        textOut(x, y, text, font);
    }

private:
    std::set<std::string> red_;
    Colour colour_ = kBlack;
};

// One line of the equation: its items, each drawn with its middle on the line's axis (a
// fraction with its bar there).
struct EquationLine {
    std::unique_ptr<ItemList> items = std::make_unique<ItemList>(50);
    int width = 0, above = 0, below = 0;
};

int itemAbove(DrawItem* item) {
    if (auto* f = dynamic_cast<FractionItem*>(item)) return f->numerator->height() + 1;
    return (item->height() + 1) / 2 + 2; // a raised exponent reaches above the item
}
int itemBelow(DrawItem* item) {
    if (auto* f = dynamic_cast<FractionItem*>(item)) return f->denominator->height() + 2;
    return item->height() / 2 + 2;
}
int itemTop(DrawItem* item, int axis) {
    if (auto* f = dynamic_cast<FractionItem*>(item)) return axis - f->numerator->height();
    return axis - item->height() / 2;
}

std::vector<EquationLine> layOutEquation(const Sketch& sk) {
    // The largest cell width at which every line fits between the rule and the border.
    for (int w : {9, 8, 7, 6}) {
        std::vector<EquationLine> lines;
        bool fits = true;
        for (const char* source : sk.equation) {
            std::string markup = "function\r\ntm\r\n";
            for (const char* c = source; *c; ++c) markup += *c == '|' ? std::string("\r\n") : std::string(1, *c);
            EquationLine line;
            ItemList unused(50);
            parseQuestion(markup, *line.items, unused);
            for (DrawItem* item : line.items->display()) {
                // Fractions get twice the height so that their halves read at the text's size.
                if (dynamic_cast<FractionItem*>(item)) item->setFontSize(4 * w, w);
                else item->setFontSize(2 * w, w);
                line.width += item->width();
                line.above = std::max(line.above, itemAbove(item));
                line.below = std::max(line.below, itemBelow(item));
            }
            fits = fits && line.width <= kEquationRight - kEquationLeft - 2;
            lines.push_back(std::move(line));
        }
        if (fits || w == 6) return lines;
    }
    return {};
}

template <class Visit>
void drawEquation(const Sketch& sk, Visit visit) {
    std::vector<EquationLine> lines = layOutEquation(sk);
    int total = 0;
    for (const EquationLine& l : lines) total += l.above + l.below + 4;
    int y = (kFormulaPictureHeight - total) / 2;
    for (const EquationLine& l : lines) {
        const int axis = y + l.above;
        int x = kEquationLeft + (kEquationRight - kEquationLeft - l.width) / 2;
        for (DrawItem* item : l.items->display()) {
            visit(item, x, itemTop(item, axis));
            x += item->width();
        }
        y += l.above + l.below + 4;
    }
}

// The text cells an item writes, the way its draw lays them out.
void collectCells(DrawItem* item, int x, int y, std::vector<PictureText>& out, const QRectF* raises = nullptr) {
    if (auto* t = dynamic_cast<TextItem*>(item)) {
        PictureText cell{cp936::toUtf8(t->text), QRectF(x, y, t->width(), t->charHeight), raises != nullptr, {}};
        if (raises) cell.baseBox = *raises;
        out.push_back(cell);
    } else if (auto* sup = dynamic_cast<SuperscriptItem*>(item)) {
        const std::size_t first = out.size();
        collectCells(sup->base, x, y + sup->shift, out);
        QRectF base;
        for (std::size_t i = first; i < out.size(); ++i) base = base.united(out[i].box);
        collectCells(sup->exponent, x + sup->base->width() + sup->gap, y - sup->shift, out, &base);
    } else if (auto* f = dynamic_cast<FractionItem*>(item)) {
        const int wf = f->width(), hn = f->numerator->height();
        collectCells(f->numerator, x + wf / 2 - f->numerator->width() / 2, y - f->vGap, out);
        collectCells(f->denominator, x + wf / 2 - f->denominator->width() / 2, y + hn + f->vGap, out);
    } else if (auto* row = dynamic_cast<RowItem*>(item)) {
        for (DrawItem* child : row->children()) {
            collectCells(child, x, y, out);
            x += child->width();
        }
    }
}

} // namespace

QImage formulaPicture(const FamilySpec& family, double dpr) {
    dpr = std::clamp(dpr, 1.0, 4.0);
    QImage image(static_cast<int>(std::lround(kFormulaPictureWidth * dpr)), static_cast<int>(std::lround(kFormulaPictureHeight * dpr)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    const Sketch* sketch = findSketch(family.kind);
    if (sketch) {
        QtSurface s(&image, normalStyle(dpr));
        s.setBkMode(BkMode::Transparent);
        drawSketch(s, family, *sketch);
        drawNames(image, dpr, allNames(family, *sketch));
        s.setOrigin(0, 0);
        s.setPen(rgb(200, 200, 200));
        s.moveTo(kFormulaPictureRule, 6);
        s.lineTo(kFormulaPictureRule, kFormulaPictureHeight - 6);
        s.setPen(kBlack); // fraction bars and root signs
        s.setTextColour(kBlack);
        CoefficientSurface red(s, sketch->coefficients);
        drawEquation(*sketch, [&](DrawItem* item, int x, int y) {
            int ignored = 0;
            item->draw(red, x, y, ignored, 0, 0);
        });
    }
    image.setDevicePixelRatio(dpr);
    return image;
}

std::vector<PictureText> formulaPictureTexts(const FamilySpec& family) {
    std::vector<PictureText> out;
    const Sketch* sketch = findSketch(family.kind);
    if (!sketch) return out;
    for (const PlacedName& n : allNames(family, *sketch)) out.push_back({n.text.toStdString(), n.box, false, {}});
    drawEquation(*sketch, [&](DrawItem* item, int x, int y) { collectCells(item, x, y, out); });
    return out;
}

} // namespace yhb
