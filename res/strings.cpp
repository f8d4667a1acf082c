// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/strings.h"

#include <cstdio>

namespace yhb {

const char* utf8String(StringId id) {
    switch (id) {
    case StringId::MainWindowClass: return "FUNCTION00";
    case StringId::FunctionClass: return "Function";
    case StringId::CreateButtonClass: return "CreateButton";
    case StringId::DeleteButtonClass: return "DelExpress";
    case StringId::ModifyButtonClass: return "ModExpress";
    case StringId::TooManyExpressions: return "表达式个数已大于%d个，请删除后再添加新的！";
    case StringId::AppName: return "云绘板v5.0";
    case StringId::DeleteFailed: return "删除函数表达式出错！！";
    case StringId::PointCaption: return "(%.2f,%.2f)";
    case StringId::IntegerTick: return "%d";
    case StringId::PiTick: return "%dπ";
    case StringId::CircleRefused: return "D^2+E^2-4F必需大于0！！请重新输入!";
    case StringId::QuestionWindowClass: return "functionTm";
    case StringId::ContactNotice: return "  (意见与建议: yunhuiban@example.org)";
    }
    return "";
}

std::string appTitleUtf8() { return std::string(utf8String(StringId::AppName)) + utf8String(StringId::ContactNotice); }

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
