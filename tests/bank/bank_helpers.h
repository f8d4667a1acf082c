// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include <gtest/gtest.h>

#include "bank/catalogue.h"
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

// The index of the category named `utf8`; -1, and a failure, if there is none.
inline int categoryNamed(const Catalogue& c, const char* utf8) {
    for (int i = 0; i < c.categoryCount(); ++i)
        if (c.category(i)->name == utf8) return i;
    ADD_FAILURE() << "no category " << utf8;
    return -1;
}

} // namespace yhb::test
