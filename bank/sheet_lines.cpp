// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/sheet_lines.h"

#include <algorithm>

namespace yhb::sheet {

bool breakAllowed(const Paragraph& p, std::size_t i) {
    if (i == 0 || i >= p.size()) return false;
    return !p[i].noStart && !p[i - 1].noEnd;
}

Paragraph keptTogether(Paragraph run) {
    for (std::size_t i = 0; i + 1 < run.size(); ++i) run[i].noEnd = true;
    return run;
}

void drawInk(Surface& s, const Ink& ink, double dx, double dy) {
    if (ink.kind == Ink::Kind::Text)
        s.drawText(dx + ink.x, dy + ink.y, ink.text, ink.style);
    else if (ink.kind == Ink::Kind::Rule)
        s.drawRule(dx + ink.x, dy + ink.y, dx + ink.x1, dy + ink.y1, ink.width);
}

std::vector<Line> breakLines(const Paragraph& p, double width, double firstWidth, bool justify) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < p.size()) {
        const double room = lines.empty() ? firstWidth : width;
        double x = 0;
        std::size_t end = p.size(), lastBreak = start;
        for (std::size_t i = start; i < p.size(); ++i) {
            const double gap = i == start ? 0 : p[i].gapBefore;
            const bool allowed = i > start && breakAllowed(p, i);
            if (allowed) lastBreak = i;
            if (i > start && x + gap + p[i].width > room + 1e-6) {
                if (allowed) end = i;
                else if (lastBreak > start) end = lastBreak;
                else if (p[i].noStart && p[i].kind == Atom::Kind::Text) end = i + 1; // a mark hangs past the edge
                else end = i;
                break;
            }
            x += gap + p[i].width;
        }
        Line line;
        line.from = start;
        line.to = end;
        double natural = 0;
        for (std::size_t i = start; i < end; ++i) {
            natural += (i == start ? 0 : p[i].gapBefore) + p[i].width;
            line.ascent = std::max(line.ascent, p[i].ascent);
            line.descent = std::max(line.descent, p[i].descent);
        }
        // Full width: the slack shared among the places a line could have ended, as long as
        // that spaces them less than half an em.
        double extra = 0;
        int places = 0;
        for (std::size_t i = start + 1; i < end; ++i) places += breakAllowed(p, i) ? 1 : 0;
        const double em = p[start].kind == Atom::Kind::Text ? p[start].style.size : std::max(p[start].ascent, 1.0);
        if (justify && end < p.size() && places > 0 && room > natural && (room - natural) / places < 0.5 * em)
            extra = (room - natural) / places;
        x = 0;
        for (std::size_t i = start; i < end; ++i) {
            if (i > start) x += p[i].gapBefore + (breakAllowed(p, i) ? extra : 0);
            line.x.push_back(x);
            x += p[i].width;
        }
        line.width = x;
        lines.push_back(std::move(line));
        start = end;
    }
    return lines;
}

void inkAtom(const Atom& a, double x, double baseline, std::vector<Ink>& ink) {
    switch (a.kind) {
    case Atom::Kind::Text: {
        Ink i;
        i.kind = Ink::Kind::Text;
        i.x = x;
        i.y = baseline;
        i.text = a.text;
        i.style = a.style;
        ink.push_back(std::move(i));
        break;
    }
    case Atom::Kind::Formula:
        for (const math::Layout::Run& r : a.layout.runs) {
            Ink i;
            i.kind = Ink::Kind::Text;
            i.x = x + r.x;
            i.y = baseline + r.baseline;
            i.text = r.text;
            i.style = r.style;
            ink.push_back(std::move(i));
        }
        for (const math::Layout::Rule& r : a.layout.rules) {
            Ink i;
            i.kind = Ink::Kind::Rule;
            i.x = x + r.x0;
            i.y = baseline + r.y0;
            i.x1 = x + r.x1;
            i.y1 = baseline + r.y1;
            i.width = r.width;
            ink.push_back(i);
        }
        break;
    case Atom::Kind::Blank: {
        Ink i;
        i.kind = Ink::Kind::Rule;
        const double under = baseline + 0.35 * a.descent + 0.5;
        i.x = x;
        i.x1 = x + a.width;
        i.y = i.y1 = under;
        i.width = std::max(a.ascent / 14, 0.75);
        ink.push_back(i);
        break;
    }
    }
}

void inkLine(const Paragraph& p, const Line& line, double x, double baseline, std::vector<Ink>& ink) {
    for (std::size_t i = line.from; i < line.to; ++i) inkAtom(p[i], x + line.x[i - line.from], baseline, ink);
}

} // namespace yhb::sheet
