// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/loci.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace yhb {
namespace {

bool usable(PlanePoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) <= kTrailCoordinateLimit &&
           std::fabs(p.y) <= kTrailCoordinateLimit;
}

bool same(PlanePoint a, PlanePoint b) { return a.x == b.x && a.y == b.y; }

// A stroke worth drawing: two or more positions, not all the same.
bool moved(const TrailStroke& s) {
    for (const PlanePoint& p : s)
        if (!same(p, s.front())) return true;
    return false;
}

// A number of the value, all of it: no sign, exponent or space left over.
bool readCoordinate(std::string_view text, double& out) {
    if (text.empty() || text.size() > 24) return false;
    const std::string t(text);
    char* end = nullptr;
    out = std::strtod(t.c_str(), &end);
    return end == t.c_str() + t.size() && std::isfinite(out) && std::fabs(out) <= kTrailCoordinateLimit;
}

std::string shortened(std::string_view s) {
    return s.size() > 30 ? std::string(s.substr(0, 30)) + "…" : std::string(s);
}

} // namespace

std::size_t RowTrail::pointCount() const {
    std::size_t n = 0;
    for (const TrailStroke& s : strokes) n += s.size();
    return n;
}

void TrailRun::add(long key, const std::vector<PlanePoint>& points) { samples_[key] = points; }

std::size_t TrailRun::pointCount() const {
    std::size_t n = 0;
    for (const auto& entry : samples_) n += entry.second.size();
    return n;
}

std::vector<TrailStroke> TrailRun::strokes() const {
    std::size_t count = 0;
    for (const auto& entry : samples_) count = std::max(count, entry.second.size());
    std::vector<TrailStroke> out;
    for (std::size_t k = 0; k < count; ++k) {
        TrailStroke current;
        auto finish = [&] {
            if (current.size() >= 2 && moved(current)) out.push_back(std::move(current));
            current.clear();
        };
        for (const auto& entry : samples_) {
            if (k >= entry.second.size() || !usable(entry.second[k])) {
                finish();
                continue;
            }
            const PlanePoint p = entry.second[k];
            if (current.empty() || !same(current.back(), p)) current.push_back(p);
        }
        finish();
    }
    return out;
}

Colour trailColour(Colour c) {
    // Black's half shade would be the canvas's own grey.
    if (c == kBlack) return rgb(80, 80, 80);
    return rgb((red(c) + 255 + 1) / 2, (green(c) + 255 + 1) / 2, (blue(c) + 255 + 1) / 2);
}

std::string trailText(const RowTrail& trail) {
    std::string out;
    char buf[64];
    for (const TrailStroke& s : trail.strokes) {
        if (s.empty()) continue;
        if (!out.empty()) out += '/';
        for (std::size_t i = 0; i < s.size(); ++i) {
            std::snprintf(buf, sizeof buf, "%s%.7g,%.7g", i ? ";" : "", s[i].x, s[i].y);
            out += buf;
        }
    }
    return out;
}

bool readTrailText(std::string_view text, RowTrail& out, std::string& why) {
    RowTrail trail;
    std::size_t total = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t slash = text.find('/', start);
        const std::string_view stroke = text.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
        TrailStroke points;
        std::size_t at = 0;
        while (at <= stroke.size()) {
            const std::size_t semi = stroke.find(';', at);
            const std::string_view pair = stroke.substr(at, semi == std::string_view::npos ? std::string_view::npos : semi - at);
            const std::size_t comma = pair.find(',');
            PlanePoint p;
            if (comma == std::string_view::npos || !readCoordinate(pair.substr(0, comma), p.x) ||
                !readCoordinate(pair.substr(comma + 1), p.y)) {
                why = "轨迹 trail 中的点应写成 X,Y（两个绝对值不超过 10 亿的数），这里是“" + shortened(pair) + "”。";
                return false;
            }
            if (++total > kTrailPointLimit) {
                why = "轨迹 trail 的点多于 " + std::to_string(kTrailPointLimit) + " 个。";
                return false;
            }
            points.push_back(p);
            if (semi == std::string_view::npos) break;
            at = semi + 1;
        }
        trail.strokes.push_back(std::move(points));
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    out = std::move(trail);
    return true;
}

} // namespace yhb
