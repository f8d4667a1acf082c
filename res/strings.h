// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace yhb {

// The string table, by resource id. Texts are UTF-8 here; gbString gives the CP936 bytes the
// core works with.
const char* utf8String(int id);
const std::string& gbString(int id);

// "云绘板v5.0" followed by the contact notice.
std::string appTitleUtf8();
const std::string& appTitle();

// v, or +0 when v would be written with `decimals` places as a signed zero ("-0.00"):
// a zero is shown without a sign.
double unsignedZero(double v, int decimals);

constexpr const char* kAuthorEmail = "yunhuiban@example.org";

} // namespace yhb
