// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/picture_export.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>

#include "gfx/svg_surface.h"
#include "io/saving.h"
#include "res/strings.h"

namespace yhb {

std::string canvasSvg(const Document& doc) {
    SvgSurface svg(doc.canvas.canvasWidth, doc.canvas.canvasHeight);
    paintDocument(svg, doc);
    return svg.document();
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(image) ? bytes : QByteArray();
}

QByteArray canvasPicture(const Document& doc, const QImage& image, const QString& path) {
    if (!path.endsWith(".svg", Qt::CaseInsensitive)) return pngBytes(image);
    const std::string svg = canvasSvg(doc);
    return QByteArray(svg.data(), static_cast<qsizetype>(svg.size()));
}

bool saveCanvasPicture(const Document& doc, const QImage& image, const QString& path, Notifier& notifier) {
    const QByteArray bytes = canvasPicture(doc, image, path);
    if (bytes.isEmpty()) { // an empty canvas image: nothing to encode
        notifier.message(appTitleUtf8(), "无法写入文件“" + path.toStdString() + "”：图片是空的。");
        return false;
    }
    return saveAsking(notifier, {}, QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size()));
}

} // namespace yhb
