// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/strings.h"

#include <cstdio>
#include <map>

#include "gfx/cp936.h"

namespace yhb {

const char* utf8String(int id) {
    switch (id) {
    case 109: return "FUNCTION00";
    case 110: return "Function";
    case 111: return "CreateButton";
    case 112: return "DelExpress";
    case 113: return "ModExpress";
    case 114: return "表达式个数已大于%d个，请删除后再添加新的！";
    case 115: return "云绘板v5.0";
    case 116: return "删除函数表达式出错！！";
    case 117: return "(%.2f,%.2f)";
    case 118: return "%d";
    case 119: return "%dπ";
    case 120: return "D^2+E^2-4F必需大于0！！请重新输入!";
    case 121: return "functionTm";
    case 143: return "  (意见与建议: yunhuiban@example.org)";
    default: return "";
    }
}

const std::string& gbString(int id) {
    static std::map<int, std::string> cache;
    auto it = cache.find(id);
    if (it == cache.end()) it = cache.emplace(id, cp936::fromUtf8(utf8String(id))).first;
    return it->second;
}

std::string appTitleUtf8() { return std::string(utf8String(115)) + utf8String(143); }

const std::string& appTitle() {
    static const std::string title = cp936::fromUtf8(appTitleUtf8());
    return title;
}

double unsignedZero(double v, int decimals) {
    if (!(v <= 0)) return v; // positive or NaN
    char buf[512];
    const int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    if (n <= 0 || n >= static_cast<int>(sizeof buf)) return v;
    for (int i = 0; i < n; ++i)
        if (buf[i] >= '1' && buf[i] <= '9') return v;
    return 0.0;
}

} // namespace yhb
