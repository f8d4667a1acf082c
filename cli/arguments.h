// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace yhb {

// The tool's exit status for a command line it cannot use.
constexpr int kUsageStatus = 2;

// Says on stderr what is wrong with the command line; returns kUsageStatus.
int usageError(const std::string& what);

// A whole number from `low` to `high` and nothing after it; false for a null or empty text.
bool wholeNumber(const char* text, long long low, long long high, long long& value);

} // namespace yhb
