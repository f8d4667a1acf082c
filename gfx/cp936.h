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

// ---- cells of UTF-8 text --------------------------------------------------------------------
// Text is UTF-8 inside the program, but the classic layouts give a character one cell per byte
// it takes in CP936, as they always have: these count the cells from the UTF-8.

// The character at byte `i` and its length in bytes; a byte that starts no valid sequence is
// U+FFFD of length 1.
char32_t decodeAt(std::string_view utf8, std::size_t i, std::size_t& length);
// A character's cells: ASCII (and the euro sign, one byte in CP936) one, any other two, also
// one CP936 lacks.
inline int cellsOf(char32_t c) { return c < 0x80 || c == 0x20AC ? 1 : 2; }
// The cells of a whole text: its size in CP936 bytes where CP936 holds it.
int cp936Width(std::string_view utf8);
// The byte where cell `cell` begins: characters are taken while they fit in `cell` cells, so a
// cell inside a two-cell character rounds down to its start; the size when past the end.
std::size_t byteAtCell(std::string_view utf8, int cell);
// The character as UTF-8.
std::string encodeUtf8(char32_t c);

} // namespace yhb::cp936

// CP936 bytes of a UTF-8 literal: what an old bank file holds (tests write such files).
inline std::string operator""_gb(const char* s, std::size_t n) { return yhb::cp936::fromUtf8({s, n}); }
