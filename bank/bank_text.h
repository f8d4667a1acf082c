// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace yhb {

// Valid UTF-8: no overlong forms, surrogates or values past U+10FFFF.
bool isValidUtf8(std::string_view s);

// A bank file may be CP936 with CR LF line ends, as banks always were, or UTF-8 as every
// editor on this system saves it: behind a byte-order mark, or valid UTF-8 holding at least
// one multi-byte sequence.
bool isUtf8BankFile(std::string_view bytes);

// The file as the readers take it: UTF-8 text with CR LF line ends. A CP936 file is decoded
// with its line ends as they are (a lone LF stays a byte of its line), unless it holds no CR LF
// at all and so was saved with LF line ends (an all-ASCII file from any editor here): then each
// LF ends a line. Bytes that are no CP936 become U+FFFD and the numbers of their lines (from 1)
// go to `badLines`. A UTF-8 file keeps its text; its lines end at LF (a CR before it dropped).
std::string bankText(std::string_view bytes, std::vector<int>* badLines = nullptr);

// The first line of a file from its first bytes, as an author wrote it: behind a byte-order
// mark, up to the first line end of either kind, spaces and tabs around it taken off.
std::string_view firstLineOf(std::string_view start);

// A one-line file's text (version, menu or category name) in UTF-8: a CP936 file less its last
// two bytes (its CR LF; a lone LF at the end is one byte), a UTF-8 file up to its first line end.
std::string oneLineText(std::string_view bytes);

} // namespace yhb
