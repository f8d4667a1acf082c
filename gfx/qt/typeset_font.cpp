// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/qt/typeset_font.h"

#include <QPainter>

#include "gfx/qt/qt_surface.h"

namespace yhb {
namespace {

constexpr double kReference = 100.0;

QFont makeFace(bool italic) {
    QFont f(QtSurface::fontFamily());
    f.setPixelSize(static_cast<int>(kReference));
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace

TypesetFont::TypesetFont()
    : upright_(makeFace(false)), italic_(makeFace(true)), uprightMetrics_(upright_), italicMetrics_(italic_) {}

TextExtent TypesetFont::measure(std::string_view utf8, TextStyle style) const {
    const QFontMetricsF& fm = style.italic ? italicMetrics_ : uprightMetrics_;
    const double k = style.size / kReference;
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return {fm.horizontalAdvance(text) * k, fm.ascent() * k, fm.descent() * k};
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
    QFont f = face(style.italic);
    f.setPointSizeF(style.size * 72.0 / painter.device()->logicalDpiY());
    painter.setFont(f);
    painter.drawText(QPointF(x, baseline), QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

} // namespace yhb
