// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include <QImage>
#include <QRectF>

#include "families/family_table.h"

namespace yhb {

constexpr int kFormulaPictureWidth = 220;
constexpr int kFormulaPictureHeight = 120;
// The sketch lies left of the rule, the equation right of it.
constexpr int kFormulaPictureRule = 110;

// The family's picture for its dialog: a sketch of the curve with the points and lines its
// boxes offer on the left, the general equation on the right with the coefficients in red.
// Drawn at `devicePixelRatio` device pixels per pixel (the image carries the ratio).
QImage formulaPicture(const FamilySpec& family, double devicePixelRatio = 1.0);

// What the picture writes, with where: the names in the sketch and the equation's text cells
// (in picture pixels), so that a reader can be checked against the pixels.
struct PictureText {
    std::string text; // UTF-8
    QRectF box;
    bool exponent = false; // a raised part of the equation
    QRectF baseBox;        // for an exponent: the cell of what it raises
};
std::vector<PictureText> formulaPictureTexts(const FamilySpec& family);

} // namespace yhb
