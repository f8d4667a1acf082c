// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/describe.h"

#include "families/textbook.h"
#include "items/math_text.h"

namespace yhb {

bool readDescribeOption(const std::string& arg, DescribeFormat& format, std::string& error) {
    const std::string option = "--describe";
    if (arg.compare(0, option.size(), option) != 0) return false;
    if (arg == option || arg == option + "=text") {
        format = DescribeFormat::Text;
    } else if (arg == option + "=latex") {
        format = DescribeFormat::Latex;
    } else if (arg.size() > option.size() && arg[option.size()] == '=') {
        error = "--describe 只能写成 --describe（文本）或 --describe=latex，这里是“" + arg.substr(option.size() + 1) + "”";
        return true;
    } else {
        return false; // --describer and the like: not ours, an unknown option
    }
    return true;
}

std::string describeRows(const Document& doc, DescribeFormat format) {
    // Vulgar fractions where a textbook sets a small fraction in the line: y=−½x−2, y=¾x.
    const math::UnicodeStyle style{true};
    auto write = [&](const math::Node& n) {
        return format == DescribeFormat::Latex ? math::toLatex(n) : math::toUnicode(n, style);
    };
    std::string out;
    for (int r = 0; r < doc.table.slotCount; ++r) {
        const ExpressionSlot& slot = doc.table.slot(r);
        const TextbookForm* form = textbookForm(slot.kind);
        if (!form) continue;
        out += write(form->equation(RowValues::of(slot))) + "\n";
        for (const TextbookName& name : namesOfRow(slot)) out += write(caption(name)) + "\n";
    }
    return out;
}

} // namespace yhb
