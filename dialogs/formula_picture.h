#pragma once
#include <QImage>

#include "dialogs/family_table.h"

namespace yhb {

constexpr int kFormulaPictureWidth = 220;
constexpr int kFormulaPictureHeight = 120;

// The family's picture for its dialog: a sketch of the curve with the points and lines its
// boxes offer on the left, the general equation on the right with the coefficients in red.
QImage formulaPicture(const FamilySpec& family);

} // namespace yhb
