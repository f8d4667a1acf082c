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
