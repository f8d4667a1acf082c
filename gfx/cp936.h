// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace yhb::cp936 {

// Conversions at the edges of the program. Invalid input never fails: an undecodable byte
// becomes U+FFFD when decoding, an unencodable character becomes '?' when encoding.
std::string toUtf8(std::string_view cp936);
std::string fromUtf8(std::string_view utf8);

// True when `text[i]` starts a double-byte character (a lead byte followed by a trail byte).
bool isDoubleByteAt(std::string_view text, std::size_t i);

// Full-width digits, signs, full stops (an input method's "１.５", "－３", "。") as their
// ASCII forms, so that a number typed in Chinese reads as the number; other bytes stay.
std::string foldNumberText(std::string_view text);

// Offset of the first byte that is not valid CP936, or npos.
std::size_t firstInvalid(std::string_view text);

} // namespace yhb::cp936

// Source literals are UTF-8; the core keeps CP936.
inline std::string operator""_gb(const char* s, std::size_t n) { return yhb::cp936::fromUtf8({s, n}); }
