// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/svg_surface.h"

#include <cstdio>

#include "gfx/cp936.h"

namespace yhb {

SvgSurface::SvgSurface(int width, int height) : width_(width), height_(height) {}

std::string SvgSurface::colourAttr(Colour c) const {
    char hex[7];
    formatHex(c, hex);
    return std::string("#") + hex;
}

void SvgSurface::lineTo(int x, int y) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"%s\"/>\n",
                  current_.x + origin_.x, current_.y + origin_.y, x + origin_.x, y + origin_.y,
                  colourAttr(pen_).c_str());
    body_ += buf;
    current_ = {x, y};
}

void SvgSurface::polyline(const Point* pts, int count) {
    if (count < 2) return;
    body_ += "<polyline fill=\"none\" stroke=\"" + colourAttr(pen_) + "\" points=\"";
    char buf[48];
    Point last{};
    for (int i = 0; i < count; ++i) {
        if (i > 0 && pts[i] == last) continue;
        last = pts[i];
        std::snprintf(buf, sizeof buf, "%s%d,%d", i ? " " : "", pts[i].x + origin_.x, pts[i].y + origin_.y);
        body_ += buf;
    }
    body_ += "\"/>\n";
}

void SvgSurface::ellipse(int left, int top, int right, int bottom) {
    char buf[200];
    double cx = origin_.x + (left + right) / 2.0, cy = origin_.y + (top + bottom) / 2.0;
    std::string fill = brush_ == Brush::None ? "none" : colourAttr(brush_ == Brush::Grey ? kGrey : kWhite);
    std::snprintf(buf, sizeof buf, "<ellipse cx=\"%.1f\" cy=\"%.1f\" rx=\"%.1f\" ry=\"%.1f\" fill=\"%s\" stroke=\"%s\"/>\n",
                  cx, cy, (right - left) / 2.0, (bottom - top) / 2.0, fill.c_str(), colourAttr(pen_).c_str());
    body_ += buf;
}

void SvgSurface::fillRect(int left, int top, int right, int bottom, Colour c) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                  left + origin_.x, top + origin_.y, right - left, bottom - top, colourAttr(c).c_str());
    body_ += buf;
}

namespace {
std::string escapeXml(const std::string& utf8) {
    std::string escaped;
    for (char ch : utf8) {
        switch (ch) {
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '&': escaped += "&amp;"; break;
        case '"': escaped += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t') escaped += ch;
        }
    }
    return escaped;
}
} // namespace

void SvgSurface::textOut(int x, int y, std::string_view text, CellFont font) {
    if (text.empty()) return;
    const std::string escaped = escapeXml(std::string(text));
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "<text x=\"%d\" y=\"%d\" font-size=\"%d\" textLength=\"%d\" lengthAdjust=\"spacingAndGlyphs\" "
                  "fill=\"%s\" font-family=\"WenQuanYi Micro Hei, Noto Sans CJK SC, sans-serif\">",
                  x + origin_.x, y + origin_.y + font.height * 4 / 5, font.height,
                  cp936::cp936Width(text) * font.width, colourAttr(textColour_).c_str());
    body_ += buf;
    body_ += escaped;
    body_ += "</text>\n";
}

// The width the table measures is kept with textLength, so that the layout made with it holds
// whatever face the viewer substitutes.
void SvgSurface::drawText(double x, double baseline, std::string_view utf8, TextStyle style) {
    if (utf8.empty()) return;
    char buf[320];
    std::snprintf(buf, sizeof buf,
                  "<text x=\"%.2f\" y=\"%.2f\" font-size=\"%.2f\" textLength=\"%.2f\" lengthAdjust=\"spacingAndGlyphs\" "
                  "font-style=\"%s\" fill=\"%s\" font-family=\"DejaVu Sans, Noto Sans CJK SC, sans-serif\">",
                  x + origin_.x, baseline + origin_.y, style.size, measureText(utf8, style).width,
                  style.italic ? "italic" : "normal", colourAttr(textColour_).c_str());
    body_ += buf;
    body_ += escapeXml(std::string(utf8));
    body_ += "</text>\n";
}

void SvgSurface::drawRule(double x0, double y0, double x1, double y1, double width) {
    char buf[200];
    std::snprintf(buf, sizeof buf,
                  "<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\" stroke=\"%s\" stroke-width=\"%.2f\"/>\n",
                  x0 + origin_.x, y0 + origin_.y, x1 + origin_.x, y1 + origin_.y, colourAttr(textColour_).c_str(), width);
    body_ += buf;
}

std::string SvgSurface::document() const {
    char head[256];
    std::snprintf(head, sizeof head,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                  "width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n<g shape-rendering=\"crispEdges\">\n",
                  width_, height_, width_, height_);
    return head + body_ + "</g>\n</svg>\n";
}

} // namespace yhb
