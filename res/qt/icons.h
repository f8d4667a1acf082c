// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QIcon>
#include <QImage>

namespace yhb {

// The button pictures by bitmap id: 176/177 zoom in, 175/179 zoom out, 183/184 numbers
// (40 x 40); 172/181 modify, 170/180 delete (30 x 30). Each pressed picture is its released
// picture on a grey ground. `scale` device pixels per pixel: the art is drawn at that size.
QImage buttonPicture(int bitmapId, double scale = 1.0);
QIcon appIcon();

} // namespace yhb
