// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QString>

#include "dialogs/document.h"

namespace yhb {

// The canvas scene as SVG: the same drawing as the window, onto the vector surface.
std::string canvasSvg(const Document& doc);

// Writes the canvas to `path`: SVG when the name ends in .svg, else PNG from `image`.
// Returns false when the file could not be written.
bool saveCanvasPicture(const Document& doc, const QImage& image, const QString& path);

} // namespace yhb
