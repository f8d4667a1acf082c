// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <utility>

namespace yhb {

// What went wrong, said for the user: one whole sentence in Chinese (UTF-8) and, where it
// applies, the file and the place in it (from 1; 0 when the sentence is about the file as a
// whole or no file is involved).
//
// A function that can fail returns false and fills the `Problem&` it was given (untouched on
// success); one that finds many things (the bank checker) returns them as a std::vector<Problem>.
struct Problem {
    std::string message;
    std::string file;
    int line = 0;
    int column = 0;
    // Reads, but is likely a slip: said to a bank author, and fails no check unless asked.
    bool warning = false;
    // The same in English, where a tool prints it for scripts (yunhuiban-cli bank --lang en).
    std::string english;
};

// A problem at a line of the file being read.
inline Problem problemAt(int line, std::string message) {
    Problem p;
    p.message = std::move(message);
    p.line = line;
    return p;
}

} // namespace yhb
