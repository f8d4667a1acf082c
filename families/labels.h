// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "items/item_list.h"

namespace yhb {

// "%.1f" as the labels and fields show numbers; a value whose "%.1f" would run past 24
// characters (1e100 has over a hundred digits) is written with "%.6g" instead.
std::string formatNumber(double v);

// Label building blocks. Parts of a composite are appended first and taken out of the
// display sequence by the composite, so the list owns them.
TextItem* labelText(ItemList& labels, const std::string& cp936, int height, int width);
TextItem* partText(ItemList& labels, const std::string& cp936);
// A square of `base`, built with the item defaults (10, 6).
SuperscriptItem* square(ItemList& labels, const std::string& cp936Base);
SuperscriptItem* power(ItemList& labels, const std::string& base, const std::string& exponent);
// The last two display items become numerator and denominator.
FractionItem* fractionOfLastTwo(ItemList& labels, int height, int width);

} // namespace yhb
