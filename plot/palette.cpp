// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/palette.h"

#include "plot/expression_table.h"

namespace yhb {

ColourMap presentationColourMap() {
    ColourMap map;
    for (std::size_t i = 1; i < SlotColours.size(); ++i) map.pairs.emplace_back(SlotColours[i], PresentationColours[i]);
    for (std::size_t i = 1; i < SlotColours.size(); ++i)
        map.pairs.emplace_back(trailColour(SlotColours[i]), trailColour(PresentationColours[i]));
    map.pairs.emplace_back(kGrey, kPresentationBackground);
    return map;
}

} // namespace yhb
