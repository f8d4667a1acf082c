// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/cp936.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace yhb::cp936 {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; on an invalid or unconvertible sequence writes `replacement` and skips
    // `skip(in, pos)` bytes.
    template <class Skip>
    std::string run(std::string_view in, std::string_view replacement, Skip skip) {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::string(in);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 3 / 2 + 4);
        std::vector<char> buf(4096);
        size_t pos = 0;
        while (pos < in.size()) {
            char* src = const_cast<char*>(in.data() + pos);
            size_t srcLeft = in.size() - pos;
            char* dst = buf.data();
            size_t dstLeft = buf.size();
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            int err = errno;
            out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
            pos = in.size() - srcLeft;
            if (r == static_cast<size_t>(-1) && err != E2BIG) {
                out.append(replacement);
                pos += skip(in, pos);
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t cd_;
};

size_t utf8SequenceLength(std::string_view s, size_t pos) {
    unsigned char c = static_cast<unsigned char>(s[pos]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    size_t i = 1;
    while (i < n && pos + i < s.size() && (static_cast<unsigned char>(s[pos + i]) & 0xC0) == 0x80) ++i;
    return i;
}

bool isLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

} // namespace

bool isDoubleByteAt(std::string_view text, std::size_t i) {
    return i + 1 < text.size() && isLead(static_cast<unsigned char>(text[i])) &&
           isTrail(static_cast<unsigned char>(text[i + 1]));
}

std::string toUtf8(std::string_view in) {
    thread_local Converter conv("UTF-8", "GBK");
    return conv.run(in, "\xEF\xBF\xBD", [](std::string_view s, size_t pos) -> size_t {
        return isDoubleByteAt(s, pos) ? 2 : 1;
    });
}

std::string fromUtf8(std::string_view in) {
    thread_local Converter conv("GBK", "UTF-8");
    return conv.run(in, "?", utf8SequenceLength);
}

std::size_t firstInvalid(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) { ++i; continue; }
        if (!isDoubleByteAt(text, i)) return i;
        // A pair in the lead/trail ranges may still be unassigned; let iconv decide.
        std::string u = toUtf8(text.substr(i, 2));
        if (u == "\xEF\xBF\xBD") return i;
        i += 2;
    }
    return std::string_view::npos;
}

char32_t decodeAt(std::string_view s, std::size_t i, std::size_t& length) {
    length = 1;
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) return c;
    std::size_t n;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) n = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) n = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4) n = 4, cp = c & 0x07;
    else return 0xFFFD;
    if (i + n > s.size()) return 0xFFFD;
    for (std::size_t k = 1; k < n; ++k) {
        const auto t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (t & 0x3F);
    }
    if ((n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
        return 0xFFFD;
    length = n;
    return cp;
}

int cp936Width(std::string_view utf8) {
    int cells = 0;
    for (std::size_t i = 0, n = 0; i < utf8.size(); i += n) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            n = 1;
            ++cells;
        } else {
            cells += cellsOf(decodeAt(utf8, i, n));
        }
    }
    return cells;
}

std::size_t byteAtCell(std::string_view utf8, int cell) {
    std::size_t i = 0;
    int at = 0;
    while (i < utf8.size()) {
        std::size_t n = 1;
        const int w = static_cast<unsigned char>(utf8[i]) < 0x80 ? 1 : cellsOf(decodeAt(utf8, i, n));
        if (at + w > cell) break;
        at += w;
        i += n;
    }
    return i;
}

std::string encodeUtf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string foldNumberText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isDoubleByteAt(text, i)) {
            out += text[i];
            continue;
        }
        const auto lead = static_cast<unsigned char>(text[i]), trail = static_cast<unsigned char>(text[i + 1]);
        char ascii = 0;
        if (lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9) ascii = static_cast<char>('0' + (trail - 0xB0)); // ０..９
        else if (lead == 0xA3 && trail == 0xAB) ascii = '+';                                            // ＋
        else if (lead == 0xA3 && trail == 0xAD) ascii = '-';                                            // －
        else if (lead == 0xA3 && trail == 0xAE) ascii = '.';                                            // ．
        else if (lead == 0xA1 && trail == 0xA3) ascii = '.';                                            // 。
        if (ascii) {
            out += ascii;
        } else {
            out += text[i];
            out += text[i + 1];
        }
        ++i;
    }
    return out;
}

} // namespace yhb::cp936
