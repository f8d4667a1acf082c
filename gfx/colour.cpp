#include "gfx/colour.h"

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

} // namespace yhb
