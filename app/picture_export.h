// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

#include "model/document.h"
#include "io/notifier.h"

namespace yhb {

// The canvas scene as SVG: the same drawing as the window, onto the vector surface.
std::string canvasSvg(const Document& doc);

// A picture as the bytes of a PNG file, encoded in memory so that the file is written whole.
QByteArray pngBytes(const QImage& image);

// The canvas as the file `path` holds it: SVG when the name ends in .svg, else PNG of `image`.
QByteArray canvasPicture(const Document& doc, const QImage& image, const QString& path);

// 保存图片: writes the canvas to `path`, asking before it replaces a write-protected file;
// a failure is a message box naming the file and the reason.
bool saveCanvasPicture(const Document& doc, const QImage& image, const QString& path, Notifier& notifier);

} // namespace yhb
