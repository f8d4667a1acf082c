// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/colour.h"

#include <algorithm>
#include <cmath>

namespace yhb {

void formatHex(Colour c, char out[7]) {
    static const char digits[] = "0123456789abcdef";
    const int parts[3] = {red(c), green(c), blue(c)};
    for (int i = 0; i < 3; ++i) {
        out[2 * i] = digits[parts[i] >> 4];
        out[2 * i + 1] = digits[parts[i] & 15];
    }
    out[6] = '\0';
}

double relativeLuminance(Colour c) {
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(red(c)) + 0.7152 * linear(green(c)) + 0.0722 * linear(blue(c));
}

double contrastRatio(Colour a, Colour b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace yhb
