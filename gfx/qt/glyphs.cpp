// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/qt/glyphs.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

#include "gfx/qt/qt_surface.h"

namespace yhb {
namespace {

// Latin text in a sans face whose "l" is a bare stem; Chinese in the CJK face.
QString latinFamily() {
    static const QString family = [] {
        const QStringList have = QFontDatabase::families();
        for (const QString& w : {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans")})
            if (have.contains(w)) return w;
        return QtSurface::fontFamily();
    }();
    return family;
}

// A capital I with bars, so that "I" never reads as "l" or "|".
QString barredIFamily() {
    static const QString family = [] {
        const QStringList have = QFontDatabase::families();
        for (const QString& w : {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono")})
            if (have.contains(w)) return w;
        return latinFamily();
    }();
    return family;
}

QFont makeFont(const QString& family, int pixelSize) {
    QFont f(family);
    f.setPixelSize(std::max(1, pixelSize));
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// The font of a cell height: the largest pixel size whose ascent and descent fit in it,
// with the mean advance of printable ASCII as its average glyph.
struct CellFace {
    int pixelSize = 1;
    double ascent = 0, descent = 0, average = 1;
};

const CellFace& cellFace(int height) {
    static std::unordered_map<int, CellFace> faces;
    auto it = faces.find(height);
    if (it != faces.end()) return it->second;
    const QFontMetricsF ref(makeFont(latinFamily(), 100));
    const double perPixel = (ref.ascent() + ref.descent()) / 100.0;
    CellFace face;
    face.pixelSize = std::max(1, static_cast<int>(std::floor(height / perPixel)));
    for (;;) {
        const QFontMetricsF fm(makeFont(latinFamily(), face.pixelSize));
        face.ascent = fm.ascent();
        face.descent = fm.descent();
        double sum = 0;
        for (char c = 0x20; c < 0x7F; ++c) sum += fm.horizontalAdvance(QChar(c));
        face.average = std::max(sum / (0x7F - 0x20), 0.01);
        if (face.ascent + face.descent <= height + 0.5 || face.pixelSize == 1) break;
        --face.pixelSize;
    }
    if (faces.size() > 4096) faces.clear();
    return faces.emplace(height, face).first->second;
}

GlyphMask render(std::string_view bytes, int cellW, int height, double averageWidth) {
    GlyphMask m;
    m.width = cellW;
    m.height = height;
    m.alpha.assign(static_cast<std::size_t>(cellW) * static_cast<std::size_t>(height), 0);
    const QString ch = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (ch.trimmed().isEmpty() || cellW <= 0 || height <= 0) return m;

    const CellFace& face = cellFace(height);
    const bool latin = bytes.size() == 1 && static_cast<unsigned char>(bytes[0]) < 0x80;
    const QString family = !latin ? QtSurface::fontFamily() : ch == QLatin1String("I") ? barredIFamily() : latinFamily();
    const QFont font = makeFont(family, face.pixelSize);
    const QFontMetricsF fm(font);
    const double advance = fm.horizontalAdvance(ch);
    if (advance <= 0) return m;
    double sx = averageWidth / face.average;
    if (advance * sx > cellW) sx = cellW / advance; // narrowed only to stay in its cells
    // The CJK face sits on the Latin baseline, its own ascent and descent centred in the cell.
    const double asc = latin ? face.ascent : fm.ascent(), desc = latin ? face.descent : fm.descent();
    double baseline = (height - (asc + desc)) / 2.0 + asc;
    // A glyph that reaches past the cell (an underscore, a descender at a rounded size) is
    // moved in rather than cut off, as far as the other edge allows.
    const QRectF ink = fm.tightBoundingRect(ch);
    if (!ink.isEmpty()) {
        const double over = baseline + ink.bottom() - height, room = baseline + ink.top();
        if (over > 0) baseline -= std::min(over, std::max(0.0, room));
        const double under = -(baseline + ink.top()), space = height - (baseline + ink.bottom());
        if (under > 0) baseline += std::min(under, std::max(0.0, space));
    }

    QImage cell(cellW, height, QImage::Format_ARGB32_Premultiplied);
    cell.fill(Qt::transparent);
    QPainter p(&cell);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.translate((cellW - advance * sx) / 2.0, baseline);
    p.scale(sx, 1.0);
    p.drawText(QPointF(0, 0), ch);
    p.end();
    for (int y = 0; y < height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(cell.constScanLine(y));
        for (int x = 0; x < cellW; ++x) m.alpha[static_cast<std::size_t>(y * cellW + x)] = static_cast<std::uint8_t>(qAlpha(row[x]));
    }
    return m;
}

} // namespace

const GlyphMask& glyphMask(std::string_view bytes, int cellW, int height, double averageWidth) {
    static std::unordered_map<std::string, GlyphMask> cache;
    std::string key(bytes);
    key += '\0';
    key += std::to_string(cellW) + "x" + std::to_string(height) + "/" + std::to_string(std::lround(averageWidth * 64));
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() > 8192) cache.clear(); // sizes change with zooming; stay bounded
    return cache.emplace(std::move(key), render(bytes, cellW, height, averageWidth)).first->second;
}

} // namespace yhb
