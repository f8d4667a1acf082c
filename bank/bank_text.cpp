// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/bank_text.h"

#include "gfx/cp936.h"

namespace yhb {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Valid UTF-8 (no overlong forms, surrogates or values past U+10FFFF); `multiByte` tells
// whether any sequence was longer than one byte.
bool validUtf8(std::string_view s, bool& multiByte, bool& wide) {
    multiByte = false;
    wide = false;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n;
        unsigned int cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            n = 2, cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 3, cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 4, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        multiByte = true;
        wide = wide || n > 2;
        i += n;
    }
    return true;
}

} // namespace

bool isValidUtf8(std::string_view s) {
    bool multiByte = false, wide = false;
    return validUtf8(s, multiByte, wide);
}

bool isUtf8BankFile(std::string_view bytes) {
    if (bytes.substr(0, kBom.size()) == kBom) return true;
    bool multiByte = false, wide = false;
    if (!validUtf8(bytes, multiByte, wide) || !multiByte) return false;
    // A short CP936 text can be valid UTF-8 too ("圆" reads as an Armenian letter). Chinese in
    // UTF-8 takes three bytes a character, so bytes that are valid both ways and hold only
    // two-byte sequences stay CP936.
    return wide || cp936::firstInvalid(bytes) != std::string_view::npos;
}

namespace {

// The lines (from 1, CR LF ends) of CP936 text holding bytes that are no CP936.
void noteBadLines(std::string_view cp, std::vector<int>& lines) {
    int number = 1;
    for (std::size_t pos = 0; pos <= cp.size();) {
        std::size_t end = cp.find("\r\n", pos);
        if (end == std::string_view::npos) end = cp.size();
        if (cp936::firstInvalid(cp.substr(pos, end - pos)) != std::string_view::npos) lines.push_back(number);
        pos = end + 2;
        ++number;
    }
}

} // namespace

std::string bankText(std::string_view bytes, std::vector<int>* badLines) {
    if (!isUtf8BankFile(bytes)) {
        std::string cp;
        if (bytes.find('\n') == std::string_view::npos || bytes.find("\r\n") != std::string_view::npos) {
            cp = std::string(bytes);
        } else {
            cp.reserve(bytes.size() + bytes.size() / 8);
            for (char c : bytes) {
                if (c == '\n') cp += '\r';
                cp += c;
            }
        }
        if (badLines && cp936::firstInvalid(cp) != std::string_view::npos) noteBadLines(cp, *badLines);
        return cp936::toUtf8(cp);
    }
    if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t pos = 0; pos <= bytes.size();) {
        std::size_t end = bytes.find('\n', pos);
        const bool last = end == std::string_view::npos;
        if (last) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out += line;
        if (last) break;
        out += "\r\n";
        pos = end + 1;
    }
    return out;
}

std::string_view firstLineOf(std::string_view start) {
    if (start.substr(0, kBom.size()) == kBom) start.remove_prefix(kBom.size());
    std::string_view line = start.substr(0, start.find('\n'));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line;
}

std::string oneLineText(std::string_view bytes) {
    // An editor's LF alone ends the line too, rather than cut the last character off.
    const bool lfOnly = !bytes.empty() && bytes.back() == '\n' && (bytes.size() < 2 || bytes[bytes.size() - 2] != '\r');
    if (!isUtf8BankFile(bytes)) {
        if (lfOnly) return cp936::toUtf8(bytes.substr(0, bytes.size() - 1));
        return bytes.size() >= 2 ? cp936::toUtf8(bytes.substr(0, bytes.size() - 2)) : std::string();
    }
    const std::string text = bankText(bytes);
    return text.substr(0, text.find("\r\n"));
}

} // namespace yhb
