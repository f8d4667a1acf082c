// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's EXPR parser, and entering what it accepts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dialogs/expr_parser.h"

using namespace yhb;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CliExpression e;
    Problem error;
    if (parseExpression(text, e, error)) {
        if (!e.family) __builtin_trap();
        Document doc;
        RecordingNotifier n;
        enterExpression(doc, e, n);
    } else if (error.message.empty()) {
        __builtin_trap(); // a refusal always says why
    }
    return 0;
}
