// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

#include <cstdio>
#include <cstdlib>

namespace yhb {

ExitCode usageError(const std::string& what) {
    std::fprintf(stderr, "yunhuiban-cli: %s (see --help)\n", what.c_str());
    return ExitCode::Usage;
}

bool wholeNumber(const char* text, long long low, long long high, long long& value) {
    if (!text || !*text) return false;
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return *end == '\0' && value >= low && value <= high;
}

} // namespace yhb
