// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "io/exit_code.h"

namespace yhb {

// Says on stderr what is wrong with the command line; returns ExitCode::Usage.
ExitCode usageError(const std::string& what);

// A whole number from `low` to `high` and nothing after it; false for a null or empty text.
bool wholeNumber(const char* text, long long low, long long high, long long& value);

} // namespace yhb
