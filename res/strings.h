// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace yhb {

// The string table. The values are the resource ids the texts have always had.
enum class StringId {
    MainWindowClass = 109,
    FunctionClass = 110,
    CreateButtonClass = 111,
    DeleteButtonClass = 112,
    ModifyButtonClass = 113,
    TooManyExpressions = 114, // printf format: the number of rows
    AppName = 115,
    DeleteFailed = 116,
    PointCaption = 117, // printf format: x, y
    IntegerTick = 118,
    PiTick = 119,
    CircleRefused = 120,
    QuestionWindowClass = 121,
    ContactNotice = 143,
};

const char* utf8String(StringId id);

// "云绘板v5.0" followed by the contact notice.
std::string appTitleUtf8();

// v, or +0 when v would be written with `decimals` places as a signed zero ("-0.00"):
// a zero is shown without a sign.
double unsignedZero(double v, int decimals);

constexpr const char* kAuthorEmail = "yunhuiban@example.org";

} // namespace yhb
