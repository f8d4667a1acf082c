// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/presentation_surface.h"

namespace yhb {

void PresentationSurface::setBrush(Brush b) {
    if (b == Brush::Grey && colours_(kGrey) == kWhite) b = Brush::White;
    s_.setBrush(b);
}

} // namespace yhb
