#pragma once
#include <string>

#include "gfx/cp936.h"
#include "test_util.h"

namespace yhb::test {

// A one-line bank file: the CP936 text and CR LF.
inline void oneLine(const TempDir& d, const std::string& rel, const std::string& utf8) {
    d.write(rel, cp936::fromUtf8(utf8) + "\r\n");
}

// Question markup: UTF-8 lines joined with CR LF, converted to CP936.
inline std::string markup(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) out += cp936::fromUtf8(l) + "\r\n";
    return out;
}

} // namespace yhb::test
