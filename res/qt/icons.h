// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QIcon>
#include <QImage>

namespace yhb {

// The toolbar's pictures are 40 x 40, a row's modify and delete 30 x 30.
enum class Picture { ZoomIn, ZoomOut, Numbers, Modify, Delete };

// A button's picture; pressed, it is the released picture on a grey ground. `scale` device
// pixels per pixel: the art is drawn at that size.
QImage buttonPicture(Picture picture, bool pressed, double scale = 1.0);
// The art's own size in pixels, at scale 1.
int buttonPictureSize(Picture picture);
QIcon appIcon();

} // namespace yhb
