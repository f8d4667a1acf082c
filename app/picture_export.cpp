// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/picture_export.h"

#include <QFile>

#include "gfx/svg_surface.h"

namespace yhb {

std::string canvasSvg(const Document& doc) {
    SvgSurface svg(doc.canvas.canvasWidth, doc.canvas.canvasHeight);
    paintDocument(svg, doc);
    return svg.document();
}

bool saveCanvasPicture(const Document& doc, const QImage& image, const QString& path) {
    if (path.endsWith(".svg", Qt::CaseInsensitive)) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        const std::string svg = canvasSvg(doc);
        return f.write(svg.data(), static_cast<qint64>(svg.size())) == static_cast<qint64>(svg.size()) && f.flush();
    }
    return image.save(path, "PNG");
}

} // namespace yhb
