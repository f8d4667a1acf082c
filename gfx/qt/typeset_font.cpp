// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/qt/typeset_font.h"

#include <QPainter>
#include <QTextLayout>

#include "gfx/qt/qt_surface.h"

namespace yhb {
namespace {

constexpr double kReference = 100.0;

QFont makeFace(const QStringList& families, bool italic) {
    QFont f(families.value(0));
    f.setFamilies(families);
    f.setPixelSize(static_cast<int>(kReference));
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace

TypesetFont::TypesetFont() : TypesetFont(QStringList{QtSurface::fontFamily()}) {}

TypesetFont::TypesetFont(const QStringList& families)
    : upright_(makeFace(families, false)), italic_(makeFace(families, true)), uprightMetrics_(upright_),
      italicMetrics_(italic_) {}

TextExtent TypesetFont::measure(std::string_view utf8, TextStyle style) const {
    const QFontMetricsF& fm = style.italic ? italicMetrics_ : uprightMetrics_;
    const double k = style.size / kReference;
    std::string key(utf8);
    key += style.italic ? '\1' : '\0';
    auto it = advances_.find(key);
    if (it == advances_.end()) {
        const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        if (advances_.size() > 512) advances_.clear();
        it = advances_.emplace(std::move(key), fm.horizontalAdvance(text)).first;
    }
    return {it->second * k, fm.ascent() * k, fm.descent() * k};
}

void TypesetFont::draw(QPainter& painter, double x, double baseline, std::string_view utf8, TextStyle style) const {
    const double k = style.size / kReference;
    painter.save();
    painter.setFont(face(style.italic));
    painter.translate(x, baseline);
    painter.scale(k, k);
    painter.drawText(QPointF(0, 0), QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    painter.restore();
}

void TypesetFont::drawAt(QPainter& painter, double x, double baseline, std::string_view utf8, TextStyle style) const {
    const double points = style.size * 72.0 / painter.device()->logicalDpiY();
    const auto key = std::make_pair(points, style.italic);
    std::string textKey(utf8);
    textKey += style.italic ? '\1' : '\0';
    textKey.append(reinterpret_cast<const char*>(&points), sizeof points);
    auto it = shaped_.find(textKey);
    if (it == shaped_.end()) {
        auto f = faces_.find(key);
        if (f == faces_.end()) {
            QFont font = face(style.italic);
            font.setPointSizeF(points);
            f = faces_.emplace(key, font).first;
        }
        // Shaped as drawText shapes a line of text, glyph positions relative to the baseline.
        QTextLayout layout(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), f->second);
        layout.setCacheEnabled(true);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        Shaped shaped;
        if (line.isValid()) {
            shaped.runs = layout.glyphRuns();
            const double ascent = line.ascent();
            for (QGlyphRun& run : shaped.runs) {
                QList<QPointF> positions = run.positions();
                for (QPointF& p : positions) p.ry() -= ascent;
                run.setPositions(positions);
            }
        }
        // Labels change as a slider moves: the shapes of a few hundred stay.
        if (shaped_.size() > 512) shaped_.clear();
        it = shaped_.emplace(std::move(textKey), std::move(shaped)).first;
    }
    for (const QGlyphRun& run : it->second.runs) painter.drawGlyphRun(QPointF(x, baseline), run);
}

} // namespace yhb
