// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

#include "gfx/presentation_surface.h"

namespace yhb {

// The presentation palette: the five row hues of the slot colours (magenta, green, blue, cyan,
// yellow), dark enough to stand at 4.5:1 or more on the white canvas and panel of
// presentation mode; index 0 is black.
constexpr std::array<Colour, 6> PresentationColours = {rgb(0, 0, 0),     rgb(176, 0, 176), rgb(0, 128, 0),
                                                       rgb(0, 0, 255),   rgb(0, 128, 140), rgb(140, 110, 0)};
constexpr Colour kPresentationBackground = kWhite;

// The slot colours to the presentation palette, the grey canvas to white.
ColourMap presentationColourMap();

} // namespace yhb
