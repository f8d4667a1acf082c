// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson file's text: writing it, and reading it back with a message for every way a
// file can be wrong.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "bank/bank_text.h"
#include "dialogs/expr_parser.h"
#include "gfx/cp936.h"
#include "lesson/lesson.h"

namespace yhb {
namespace {

// What the reader takes for a view; the writer keeps within it, so that every lesson it
// writes opens again.
constexpr int kScaleMin = 1, kScaleMax = 1000;
constexpr int kOriginLimit = 100000; // canvas pixels either way
constexpr int kCanvasLimit = 100000;

// ---- writing ------------------------------------------------------------------------

// Characters that would end a field, start the boxes or split the line are written as %XX,
// and '%' itself; everything else, Chinese included, stays readable.
std::string escapeText(const std::string& utf8) {
    std::string out;
    for (char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '%' || c == ',' || c == '+' || c == ' ' || c < 0x20 || c == 0x7f) {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out;
}

// The first `limit` characters. A dialog field holds no more, and the value is read from fewer,
// so a longer text typed on the command line loses nothing by it.
std::string firstCharacters(const std::string& utf8, std::size_t limit) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i)
        if ((utf8[i] & 0xC0) != 0x80 && ++chars > limit) return utf8.substr(0, i);
    return utf8;
}

// `colourTaken` holds the colours of the rows written before; a colour twice would be refused.
std::string writeRow(const LessonRow& r, std::array<bool, 6>& colourTaken) {
    std::string line = std::string("row ") + r.family->cliName;
    const std::size_t texts = std::min(r.texts.size(), r.family->fields.size());
    if (texts > 0) { // none: the family's defaults; one empty text is "FAMILY:"
        line += ':';
        for (std::size_t i = 0; i < texts; ++i)
            line += (i ? "," : "") + escapeText(firstCharacters(cp936::toUtf8(r.texts[i]), kLessonTextLimit));
    }
    for (int b : r.boxes) line += "+" + std::to_string(b);
    const int c = r.colourIndex;
    if (c >= 1 && c <= 5 && !colourTaken[static_cast<std::size_t>(c)]) {
        colourTaken[static_cast<std::size_t>(c)] = true;
        line += " colour=" + std::to_string(c);
    }
    if (!r.trail.empty()) line += " trail=" + trailText(r.trail);
    return line + "\n";
}

// ---- reading ------------------------------------------------------------------------

std::size_t utf8Length(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// "…" after 30 characters, so that a message never carries a whole long line.
std::string shown(std::string_view s) {
    std::size_t chars = 0, i = 0;
    for (; i < s.size(); ++i)
        if ((s[i] & 0xC0) != 0x80 && ++chars > 30) return std::string(s.substr(0, i)) + "…";
    return std::string(s);
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
        if (j > i) out.push_back(line.substr(i, j - i));
        i = j;
    }
    return out;
}

// A decimal integer in [lo, hi], nothing else.
bool readInt(std::string_view s, long lo, long hi, int& out) {
    if (s.empty() || s.size() > 12) return false;
    const std::string t(s);
    char* end = nullptr;
    const long v = std::strtol(t.c_str(), &end, 10);
    if (*end || !(std::isdigit(static_cast<unsigned char>(t.back()))) || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

bool readPair(std::string_view s, long lo, long hi, int& a, int& b) {
    const std::size_t comma = s.find(',');
    return comma != std::string_view::npos && readInt(s.substr(0, comma), lo, hi, a) &&
           readInt(s.substr(comma + 1), lo, hi, b);
}

bool unescape(std::string_view s, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size()) return false;
        const std::string hex(s.substr(i + 1, 2));
        if (!std::isxdigit(static_cast<unsigned char>(hex[0])) || !std::isxdigit(static_cast<unsigned char>(hex[1])))
            return false;
        out += static_cast<char>(std::strtol(hex.c_str(), nullptr, 16));
        i += 2;
    }
    return true;
}

class Reader {
public:
    Reader(Lesson& out, Problem& problem) : out_(out), problem_(problem) {}

    bool fail(int line, std::string what) {
        problem_ = problemAt(line, std::move(what));
        return false;
    }

    bool header(std::string_view line) {
        const std::vector<std::string_view> w = words(line);
        const std::string expected = std::string("“") + kLessonMagic + " " + std::to_string(kLessonMajor) + "." +
                                     std::to_string(kLessonMinor) + "”";
        if (w.empty() || w[0] != kLessonMagic)
            return fail(1, "不是云绘板课件：第一行应为" + expected + "。");
        int major = 0, minor = 0;
        const std::size_t dot = w.size() == 2 ? w[1].find('.') : std::string_view::npos;
        if (w.size() != 2 || dot == std::string_view::npos || !readInt(w[1].substr(0, dot), 0, 9999, major) ||
            !readInt(w[1].substr(dot + 1), 0, 9999, minor) || major < 1)
            return fail(1, "课件的格式版本写法不对：第一行应为" + expected + "。");
        if (major > kLessonMajor)
            return fail(1, "这个课件由更新版本的云绘板保存（格式 " + std::string(w[1]) + "），本程序只能打开 " +
                               std::to_string(kLessonMajor) + ".x 格式的课件。");
        return true;
    }

    bool view(int n, const std::vector<std::string_view>& w) {
        if (seenView_) return fail(n, "课件中只能有一行 view，这里是重复的一行。");
        seenView_ = true;
        LessonView& v = out_.view;
        for (std::size_t i = 1; i < w.size(); ++i) {
            std::string_view key, value;
            if (!keyValue(n, w[i], key, value)) return false;
            auto flag = [&](bool& target, const char* name) {
                int f = 0;
                if (!readInt(value, 0, 1, f))
                    return fail(n, std::string(name) + "的值应为 0 或 1，这里是“" + shown(value) + "”。");
                target = f != 0;
                return true;
            };
            if (key == "scale") {
                if (!readInt(value, kScaleMin, kScaleMax, v.pixelsPerUnit))
                    return fail(n, "比例 scale 应为 1 到 1000 的整数（每单位的像素数），这里是“" + shown(value) + "”。");
            } else if (key == "origin") {
                if (!readPair(value, -kOriginLimit, kOriginLimit, v.originX, v.originY))
                    return fail(n, "原点 origin 应为两个整数 X,Y（画布像素），这里是“" + shown(value) + "”。");
                v.hasOrigin = true;
            } else if (key == "canvas") {
                if (!readPair(value, 1, kCanvasLimit, v.canvasWidth, v.canvasHeight))
                    return fail(n, "画布大小 canvas 应为两个正整数 宽,高，这里是“" + shown(value) + "”。");
            } else if (key == "pi-axis") {
                if (!flag(v.piAxis, "X轴用PI显示 pi-axis")) return false;
            } else if (key == "numbers") {
                if (!flag(v.showLabels, "显示数字 numbers")) return false;
            } else if (key == "full-screen") {
                if (!flag(v.fullScreen, "全屏 full-screen")) return false;
            } else if (key == "presentation") {
                if (!flag(v.presentation, "演示模式 presentation")) return false;
            } else if (key == "textbook") {
                if (!flag(v.textbook, "教材记法 textbook")) return false;
            }
            // Other keys come from a later 1.x version and are left to it.
        }
        return true;
    }

    bool row(int n, const std::vector<std::string_view>& w) {
        if (out_.rows.size() >= static_cast<std::size_t>(kMaxSlots))
            return fail(n, "课件中的函数多于 " + std::to_string(kMaxSlots) + " 个，最多只能有 " + std::to_string(kMaxSlots) + " 个。");
        if (w.size() < 2) return fail(n, "row 后面缺少函数，例如“row ellipse-x:5,4+1010”。");
        LessonRow r;
        r.line = n;
        if (!expression(n, w[1], r)) return false;
        for (std::size_t i = 2; i < w.size(); ++i) {
            std::string_view key, value;
            if (!keyValue(n, w[i], key, value)) return false;
            if (key == "trail") {
                std::string why;
                if (!readTrailText(value, r.trail, why)) return fail(n, why);
                continue;
            }
            if (key != "colour") continue; // a later 1.x version's
            if (!readInt(value, 1, 5, r.colourIndex))
                return fail(n, "颜色 colour 应为 1 到 5 的整数，这里是“" + shown(value) + "”。");
            for (const LessonRow& other : out_.rows)
                if (other.colourIndex == r.colourIndex)
                    return fail(n, "颜色 " + std::to_string(r.colourIndex) + " 已经由第 " + std::to_string(other.line) +
                                       " 行的函数使用，每种颜色只能用一次。");
        }
        out_.rows.push_back(std::move(r));
        return true;
    }

private:
    bool keyValue(int n, std::string_view word, std::string_view& key, std::string_view& value) {
        const std::size_t eq = word.find('=');
        if (eq == std::string_view::npos || eq == 0)
            return fail(n, "“" + shown(word) + "”应写成 名称=值 的形式。");
        key = word.substr(0, eq);
        value = word.substr(eq + 1);
        return true;
    }

    // FAMILY[:T1,T2,...][+BOX...], the command line's EXPR with %XX in the texts.
    bool expression(int n, std::string_view e, LessonRow& r) {
        const std::size_t headEnd = e.find_first_of(":+");
        const std::string head(e.substr(0, headEnd));
        r.family = expressionFamily(head);
        if (!r.family) return fail(n, "未知的函数类型“" + shown(head) + "”（yunhuiban-cli --help 列出全部类型）。");
        const std::string name = std::string("函数“") + r.family->cliName + "”";
        std::size_t at = headEnd;
        if (at != std::string_view::npos && e[at] == ':') {
            const std::size_t plus = e.find('+', at);
            const std::string_view fields = e.substr(at + 1, plus == std::string_view::npos ? std::string_view::npos : plus - at - 1);
            std::size_t start = 0;
            for (;;) {
                const std::size_t comma = fields.find(',', start);
                const std::string_view raw = fields.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
                std::string text;
                const std::string which = "第 " + std::to_string(r.texts.size() + 1) + " 个参数";
                if (!unescape(raw, text)) return fail(n, name + "的" + which + "“" + shown(raw) + "”中有无效的 %XX 转义。");
                if (!isValidUtf8(text)) return fail(n, name + "的" + which + "不是有效的 UTF-8 文本。");
                if (utf8Length(text) > kLessonTextLimit)
                    return fail(n, name + "的" + which + "太长，最多 " + std::to_string(kLessonTextLimit) + " 个字符。");
                r.texts.push_back(cp936::fromUtf8(text));
                if (comma == std::string_view::npos) break;
                start = comma + 1;
            }
            if (r.texts.size() > r.family->fields.size())
                return fail(n, name + "只有 " + std::to_string(r.family->fields.size()) + " 个参数，这里给了 " +
                                   std::to_string(r.texts.size()) + " 个。");
            at = plus;
        }
        while (at != std::string_view::npos) {
            const std::size_t next = e.find('+', at + 1);
            const std::string_view box = e.substr(at + 1, next == std::string_view::npos ? std::string_view::npos : next - at - 1);
            int id = 0;
            const auto& boxes = r.family->boxes;
            if (!readInt(box, 0, 99999, id) ||
                std::none_of(boxes.begin(), boxes.end(), [id](const BoxSpec& b) { return b.id == id; }))
                return fail(n, name + "没有复选框“" + shown(box) + "”。");
            r.boxes.push_back(id);
            at = next;
        }
        return true;
    }

    Lesson& out_;
    Problem& problem_;
    bool seenView_ = false;
};

} // namespace

std::string writeLesson(const Lesson& lesson) {
    const LessonView& v = lesson.view;
    auto pair = [](int a, int b, int lo, int hi) {
        return std::to_string(std::clamp(a, lo, hi)) + "," + std::to_string(std::clamp(b, lo, hi));
    };
    auto flag = [](bool f) { return f ? "1" : "0"; };
    std::string out = std::string(kLessonMagic) + " " + std::to_string(kLessonMajor) + "." + std::to_string(kLessonMinor) + "\n";
    out += "view scale=" + std::to_string(std::clamp(v.pixelsPerUnit, kScaleMin, kScaleMax));
    // Opened on a far larger canvas, or doubled by leaving presentation mode, an origin can
    // pass the limit; the axes are long out of sight then, and the nearest place is written.
    if (v.hasOrigin) out += " origin=" + pair(v.originX, v.originY, -kOriginLimit, kOriginLimit);
    if (v.canvasWidth > 0 && v.canvasHeight > 0) out += " canvas=" + pair(v.canvasWidth, v.canvasHeight, 1, kCanvasLimit);
    out += std::string(" pi-axis=") + flag(v.piAxis) + " numbers=" + flag(v.showLabels) + " full-screen=" +
           flag(v.fullScreen) + " presentation=" + flag(v.presentation);
    // Only when on: a lesson in the classic notation stays the file earlier versions wrote.
    if (v.textbook) out += " textbook=1";
    out += "\n";
    std::array<bool, 6> colourTaken{};
    for (const LessonRow& r : lesson.rows)
        if (r.family) out += writeRow(r, colourTaken);
    return out;
}

bool parseLesson(std::string_view bytes, Lesson& out, Problem& problem) {
    out = Lesson{};
    problem = {};
    if (bytes.size() > kLessonMaxBytes) {
        problem = problemAt(0, "文件大于 1 MiB，不是云绘板课件。");
        return false;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3); // written by some editors
    Reader reader(out, problem);
    if (bytes.empty()) return reader.fail(1, "文件是空的，不是云绘板课件。");
    int n = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t nl = bytes.find('\n', pos);
        std::string_view line = bytes.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? bytes.size() : nl + 1;
        ++n;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!isValidUtf8(line)) return reader.fail(n, "这一行不是有效的 UTF-8 文本。");
        if (std::any_of(line.begin(), line.end(), [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f; }))
            return reader.fail(n, "这一行含有控制字符。");
        if (n == 1) {
            if (!reader.header(line)) return false;
            continue;
        }
        const std::vector<std::string_view> w = words(line);
        if (w.empty() || w[0][0] == '#') continue;
        if (w[0] == "view") {
            if (!reader.view(n, w)) return false;
        } else if (w[0] == "row") {
            if (!reader.row(n, w)) return false;
        } else {
            return reader.fail(n, "无法识别的行“" + shown(line) + "”：应以 view 或 row 开头。");
        }
    }
    return true;
}

} // namespace yhb
