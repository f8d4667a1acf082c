// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

#include <QFont>
#include <QFontMetricsF>

#include "gfx/surface.h"

class QPainter;

namespace yhb {

// The program's UI face for typeset text, measured unhinted at one reference size and scaled:
// widths then grow in proportion to the size, so that a layout measured at one size and drawn
// at another device ratio keeps its proportions.
class TypesetFont {
public:
    TypesetFont();
    TextExtent measure(std::string_view utf8, TextStyle style) const;
    // Draws with the painter's current pen; (x, baseline) in the painter's coordinates.
    void draw(QPainter& painter, double x, double baseline, std::string_view utf8, TextStyle style) const;
    // The same without scaling the painter: a face of the size itself, as a raster target
    // draws fastest.
    void drawAt(QPainter& painter, double x, double baseline, std::string_view utf8, TextStyle style) const;

private:
    const QFont& face(bool italic) const { return italic ? italic_ : upright_; }
    QFont upright_, italic_;
    QFontMetricsF uprightMetrics_, italicMetrics_;
};

} // namespace yhb
