// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace yhb {

// True for a character one of the installed fonts draws: the program draws with its own faces
// and Qt falls back to any other that has the character. Needs a QGuiApplication.
bool installedFontsDraw(char32_t c);

} // namespace yhb
