// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/recording_surface.h"

#include <cmath>
#include <cstdio>


namespace yhb {

void RecordingSurface::setPen(Colour c) {
    SurfaceState::setPen(c);
    ops_.push_back({Kind::Pen, {}, 0, 0, 0, 0, c, Brush::White, BkMode::Transparent, {}, {}});
}
void RecordingSurface::setBrush(Brush b) {
    SurfaceState::setBrush(b);
    Op op{Kind::Brush, {}, 0, 0, 0, 0, 0, b, BkMode::Transparent, {}, {}};
    ops_.push_back(op);
}
void RecordingSurface::setTextColour(Colour c) {
    SurfaceState::setTextColour(c);
    ops_.push_back({Kind::TextColour, {}, 0, 0, 0, 0, c, Brush::White, BkMode::Transparent, {}, {}});
}
void RecordingSurface::setBkMode(BkMode m) {
    SurfaceState::setBkMode(m);
    ops_.push_back({Kind::BkMode, {}, 0, 0, 0, 0, 0, Brush::White, m, {}, {}});
}
void RecordingSurface::setOrigin(int x, int y) {
    SurfaceState::setOrigin(x, y);
    ops_.push_back({Kind::Origin, {}, x, y, 0, 0, 0, Brush::White, BkMode::Transparent, {}, {}});
}
void RecordingSurface::lineTo(int x, int y) {
    ops_.push_back({Kind::Line, {current_, {x, y}}, 0, 0, 0, 0, pen_, Brush::White, BkMode::Transparent, {}, {}});
    current_ = {x, y};
}
void RecordingSurface::polyline(const Point* pts, int count) {
    ops_.push_back({Kind::Polyline, std::vector<Point>(pts, pts + (count > 0 ? count : 0)), 0, 0, 0, 0, pen_,
                    Brush::White, BkMode::Transparent, {}, {}});
}
void RecordingSurface::ellipse(int left, int top, int right, int bottom) {
    ops_.push_back({Kind::Ellipse, {}, left, top, right, bottom, pen_, brush_, BkMode::Transparent, {}, {}});
}
void RecordingSurface::fillRect(int left, int top, int right, int bottom, Colour c) {
    ops_.push_back({Kind::Fill, {}, left, top, right, bottom, c, Brush::White, BkMode::Transparent, {}, {}});
}
void RecordingSurface::textOut(int x, int y, std::string_view text, CellFont font) {
    ops_.push_back({Kind::Text, {}, x, y, 0, 0, textColour_, Brush::White, bkMode_, std::string(text), font});
}

void RecordingSurface::drawText(double x, double baseline, std::string_view utf8, TextStyle style) {
    Op op{Kind::TypesetText, {}, 0, 0, 0, 0, textColour_, Brush::White, bkMode_, std::string(utf8), {}};
    op.x = x;
    op.y = baseline;
    op.w = measureText(utf8, style).width;
    op.size = style.size;
    op.italic = style.italic;
    ops_.push_back(std::move(op));
}

void RecordingSurface::drawRule(double x0, double y0, double x1, double y1, double width) {
    Op op{Kind::Rule, {}, 0, 0, 0, 0, textColour_, Brush::White, bkMode_, {}, {}};
    op.x = x0;
    op.y = y0;
    op.x2 = x1;
    op.y2 = y1;
    op.w = width;
    ops_.push_back(std::move(op));
}

std::vector<const RecordingSurface::Op*> RecordingSurface::ofKind(Kind k) const {
    std::vector<const Op*> out;
    for (const Op& op : ops_)
        if (op.kind == k) out.push_back(&op);
    return out;
}

std::string quoteTraceText(const std::string& utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

std::string RecordingSurface::trace() const {
    std::string out;
    char buf[128];
    char hex[7];
    const bool plain = style_ == RenderStyle{};
    auto at = [&](int v) { return plain ? v : static_cast<int>(std::lround(v * style_.scale)); };
    if (!plain) {
        std::snprintf(buf, sizeof buf, "style scale %g pen %g %s\n", style_.scale, style_.penWidth * style_.scale,
                      style_.antialias ? "antialiased" : "aliased");
        out += buf;
    }
    for (const Op& op : ops_) {
        switch (op.kind) {
        case Kind::Origin:
            std::snprintf(buf, sizeof buf, "origin %d %d\n", at(op.l), at(op.t));
            out += buf;
            break;
        case Kind::Fill:
            formatHex(op.colour, hex);
            std::snprintf(buf, sizeof buf, "fill %d %d %d %d %s\n", at(op.l), at(op.t), at(op.r), at(op.b), hex);
            out += buf;
            break;
        case Kind::Pen:
            formatHex(op.colour, hex);
            out += std::string("pen ") + hex + "\n";
            break;
        case Kind::TextColour:
            formatHex(op.colour, hex);
            out += std::string("textcolour ") + hex + "\n";
            break;
        case Kind::Brush:
            if (op.brush == Brush::None) {
                out += "brush none\n";
            } else {
                formatHex(op.brush == Brush::Grey ? kGrey : kWhite, hex);
                out += std::string("brush ") + hex + "\n";
            }
            break;
        case Kind::BkMode:
            out += op.mode == BkMode::Opaque ? "bkmode opaque\n" : "bkmode transparent\n";
            break;
        case Kind::Polyline:
            if (op.points.size() < 2) break;
            out += "polyline " + std::to_string(op.points.size());
            for (const Point& p : op.points) {
                std::snprintf(buf, sizeof buf, " %d,%d", at(p.x), at(p.y));
                out += buf;
            }
            out += '\n';
            break;
        case Kind::Line:
            std::snprintf(buf, sizeof buf, "line %d,%d %d,%d\n", at(op.points[0].x), at(op.points[0].y), at(op.points[1].x),
                          at(op.points[1].y));
            out += buf;
            break;
        case Kind::Ellipse:
            std::snprintf(buf, sizeof buf, "ellipse %d %d %d %d\n", at(op.l), at(op.t), at(op.r), at(op.b));
            out += buf;
            break;
        case Kind::Text:
            std::snprintf(buf, sizeof buf, "text %d %d %d %d ", at(op.l), at(op.t), at(op.font.width), at(op.font.height));
            out += buf;
            out += quoteTraceText(op.text);
            out += '\n';
            break;
        case Kind::TypesetText:
            std::snprintf(buf, sizeof buf, "mtext %.1f %.1f %.1f %s ", op.x * style_.scale, op.y * style_.scale,
                          op.size * style_.scale, op.italic ? "italic" : "upright");
            out += buf;
            out += quoteTraceText(op.text);
            out += '\n';
            break;
        case Kind::Rule:
            std::snprintf(buf, sizeof buf, "rule %.1f,%.1f %.1f,%.1f %.1f\n", op.x * style_.scale, op.y * style_.scale,
                          op.x2 * style_.scale, op.y2 * style_.scale, op.w * style_.scale);
            out += buf;
            break;
        }
    }
    return out;
}

} // namespace yhb
