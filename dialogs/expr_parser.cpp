// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/expr_parser.h"

#include <algorithm>
#include <cstdlib>

#include "dialogs/parameter_form.h"
#include "gfx/cp936.h"
#include "numbers/exact_value.h"

namespace yhb {
namespace {

bool allDigits(const std::string& s) {
    return !s.empty() && s.size() <= 9 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

const FamilySpec* expressionFamily(const std::string& head) {
    return allDigits(head) ? findFamily(familyOfId(std::atoi(head.c_str()))) : findFamilyByName(head);
}

namespace {

// The family, field texts and boxes of an EXPR, without looking at the values.
bool parseParts(const std::string& text, CliExpression& out, Problem& error) {
    out = {};
    const std::size_t plus = text.find('+', 0);
    const std::size_t colon = text.find(':');
    // A '+' inside the field texts ("1e+5,2") belongs to them: the boxes are the first '+'
    // after which only digits and '+' follow.
    std::size_t boxesAt = std::string::npos;
    for (std::size_t i = text.find('+', colon == std::string::npos ? 0 : colon); i != std::string::npos;
         i = text.find('+', i + 1))
        if (text.find_first_not_of("0123456789+", i) == std::string::npos) {
            boxesAt = i;
            break;
        }
    if (colon == std::string::npos && boxesAt == std::string::npos) boxesAt = plus;
    const std::string head = text.substr(0, std::min(colon, boxesAt));
    out.family = expressionFamily(head);
    if (!out.family) {
        error = problemAt(0, "unknown family \"" + head + "\" in \"" + text + "\"");
        return false;
    }
    if (colon != std::string::npos && colon < boxesAt) {
        const std::string fields = text.substr(colon + 1, boxesAt == std::string::npos ? std::string::npos : boxesAt - colon - 1);
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = fields.find(',', start);
            out.texts.push_back(fields.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        if (out.texts.size() > out.family->fields.size()) {
            error = problemAt(0, "\"" + text + "\": " + out.family->cliName + " has " + std::to_string(out.family->fields.size()) +
                                   " fields");
            return false;
        }
    }
    std::size_t at = boxesAt;
    while (at != std::string::npos) {
        const std::size_t next = text.find('+', at + 1);
        const std::string box = text.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        const int id = allDigits(box) ? std::atoi(box.c_str()) : -1;
        const auto& boxes = out.family->boxes;
        if (std::none_of(boxes.begin(), boxes.end(), [id](const BoxSpec& b) { return b.id == id; })) {
            error = problemAt(0, "\"" + text + "\": " + out.family->cliName + " has no box \"" + box + "\"");
            return false;
        }
        out.boxes.push_back(id);
        at = next;
    }
    return true;
}

// The first text that is no number ("abc", "2x") or not a finite one ("1e999"): a dialog would
// draw another curve from it, or refuse it. Empty when every text is a number.
std::string badValue(const CliExpression& e) {
    for (std::size_t i = 0; i < e.texts.size(); ++i) {
        if (e.texts[i].empty()) continue;
        const NumberReading r = parseExact(e.texts[i]);
        if (r.isNumber && r.finite) continue;
        std::string field = e.family->fields[i].label;
        if (!field.empty() && field.back() == '=') field.pop_back();
        return "值“" + e.texts[i] + "”" + (r.finite ? "不是数" : "不是有限的数") + "（" + e.family->cliName + " 的 " + field + "）";
    }
    return {};
}

} // namespace

bool parseExpression(const std::string& text, CliExpression& out, Problem& error) {
    if (!parseParts(text, out, error)) return false;
    const std::string bad = badValue(out);
    if (bad.empty()) return true;
    error = problemAt(0, "\"" + text + "\" 的" + bad);
    return false;
}

bool enterExpression(Document& doc, const CliExpression& e, Notifier& notifier) {
    if (!beginNew(doc, notifier)) return false;
    ParameterForm form(doc, *e.family, notifier);
    form.initialise();
    for (std::size_t i = 0; i < e.texts.size() && i < form.fieldTexts.size(); ++i)
        if (!e.texts[i].empty()) form.fieldTexts[i] = cp936::fromUtf8(e.texts[i]);
    for (int id : e.boxes) form.setBox(id, true);
    return form.ok();
}

bool parseFigure(const std::string& line, std::vector<CliExpression>& out, Problem& error) {
    out.clear();
    std::size_t pos = 0;
    while ((pos = line.find_first_not_of(' ', pos)) != std::string::npos) {
        const std::size_t end = line.find(' ', pos);
        CliExpression e;
        Problem why;
        if (!parseParts(line.substr(pos, end - pos), e, why)) {
            error = problemAt(0, "图形行无法识别：" + why.message);
            return false;
        }
        if (const std::string bad = badValue(e); !bad.empty()) {
            error = problemAt(0, "图形行的" + bad);
            return false;
        }
        out.push_back(std::move(e));
        pos = end;
    }
    if (out.empty()) {
        error = problemAt(0, "图形行“@plot”后面没有表达式");
        return false;
    }
    if (out.size() > static_cast<std::size_t>(kMaxSlots)) {
        error = problemAt(0, "图形行有 " + std::to_string(out.size()) + " 个表达式，最多 5 个");
        return false;
    }
    // Entered on a scratch document: the general circle's refusal is the dialog's.
    Document scratch;
    RecordingNotifier refusals;
    for (const CliExpression& e : out)
        if (!enterExpression(scratch, e, refusals)) {
            error = problemAt(0, "图形行的表达式“" + std::string(e.family->cliName) + "”会被对话框拒绝：" +
                                   (refusals.messages.empty() ? std::string() : refusals.messages.back().text));
            return false;
        }
    return true;
}

bool enterFigure(Document& doc, const std::string& line) {
    std::vector<CliExpression> exprs;
    Problem error;
    if (!parseFigure(line, exprs, error)) return false;
    while (doc.table.slotCount > 0) doc.table.deleteSlot(0);
    // The plane as at start; full screen is the window's business and stays.
    const ViewSettings start;
    doc.view.pixelsPerUnit = start.pixelsPerUnit;
    doc.view.showLabels = start.showLabels;
    doc.view.piAxis = start.piAxis;
    doc.canvas.originX = doc.canvas.canvasWidth / 2;
    doc.canvas.originY = doc.canvas.canvasHeight / 2;
    RecordingNotifier ignored; // parseFigure entered the same rows without a refusal
    for (const CliExpression& e : exprs) enterExpression(doc, e, ignored);
    return true;
}

} // namespace yhb
