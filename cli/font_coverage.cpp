// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/font_coverage.h"

#include <QFontDatabase>
#include <QRawFont>

#include <unordered_map>
#include <vector>

namespace yhb {

bool installedFontsDraw(char32_t c) {
    static std::vector<QRawFont> fonts = [] {
        std::vector<QRawFont> out;
        for (const QString& family : QFontDatabase::families()) {
            QRawFont raw = QRawFont::fromFont(QFont(family));
            if (raw.isValid()) out.push_back(raw);
        }
        return out;
    }();
    static std::unordered_map<char32_t, bool> known;
    const auto it = known.find(c);
    if (it != known.end()) return it->second;
    bool drawn = false;
    for (const QRawFont& f : fonts)
        if (f.supportsCharacter(static_cast<uint>(c))) {
            drawn = true;
            break;
        }
    known.emplace(c, drawn);
    return drawn;
}

} // namespace yhb
