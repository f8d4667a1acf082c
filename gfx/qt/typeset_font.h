// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <unordered_map>
#include <string>
#include <string_view>
#include <utility>

#include <QGlyphRun>

#include <QFont>
#include <QStringList>
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
    // Faces of the given families, the first that has a character drawing it: a print face.
    explicit TypesetFont(const QStringList& families);
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
    // A repaint sets the same few captions again and again: their widths at the reference
    // size, the faces at each size drawn, and the glyphs shaped for each (text, face) are kept
    // so that only the glyphs' drawing is left per paint.
    mutable std::unordered_map<std::string, double> advances_;     // text, then the italic flag
    mutable std::map<std::pair<double, bool>, QFont> faces_;
    struct Shaped {
        QList<QGlyphRun> runs;
    };
    mutable std::unordered_map<std::string, Shaped> shaped_; // text, face key, then points
};

} // namespace yhb
