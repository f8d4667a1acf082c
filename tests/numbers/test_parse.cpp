// SPDX-License-Identifier: GPL-3.0-or-later
// Reading typed coefficients: the exact forms, strtod's doubles kept bit for bit, messages for
// the rest, and decimals recognised as the simple values they round.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gfx/cp936.h"
#include "numbers/exact_value.h"

using namespace yhb;

namespace {

std::string exactText(const NumberReading& r) { return r.exact ? formatExact(*r.exact) : "none"; }

bool sameBits(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

} // namespace

TEST(ParseExact, EachExactFormGivesItsValueAndItsDouble) {
    struct Case {
        const char* text;
        const char* exact;
        double value;
    };
    const double r3 = std::sqrt(3.0), pi = M_PI;
    const std::vector<Case> cases = {
        {"2", "2", 2},
        {"-0.5", "−0.5", -0.5},
        {"3/2", "3/2", 1.5},
        {"1/2", "1/2", 0.5}, // atof read 1
        {"-3/4", "−3/4", -0.75},
        {"√3", "√3", r3},
        {"sqrt(3)", "√3", r3},
        {"sqrt3", "√3", r3},
        {"√(3)", "√3", r3},
        {"2√2", "2√2", 2 * std::sqrt(2.0)},
        {"√3/2", "√3/2", r3 / 2},
        {"-2√3/3", "−2√3/3", -2 * r3 / 3},
        {"√12", "2√3", std::sqrt(12.0)},
        {"√4", "2", 2},
        {"π", "π", pi},
        {"pi", "π", pi},
        {"PI/2", "π/2", pi / 2},
        {"π/6", "π/6", pi / 6},
        {"2π/3", "2π/3", 2 * pi / 3},
        {"-π", "−π", -pi},
        {"1.5π", "3π/2", 1.5 * pi},
        {"1+√2", "1+√2", 1 + std::sqrt(2.0)},
        {"1 - √2", "1−√2", 1 - std::sqrt(2.0)},
        {"-1+√5", "−1+√5", -1 + std::sqrt(5.0)},
        {"(1+√5)/2", "(1+√5)/2", (1 + std::sqrt(5.0)) / 2},
        {"-(1+√5)/2", "(−1−√5)/2", -(1 + std::sqrt(5.0)) / 2},
        {"(√3)", "√3", r3},
        {"1/2+√3/2", "(1+√3)/2", 0.5 + r3 / 2},
        {"π/2+π", "3π/2", pi / 2 + pi},
        {"−√3/2", "−√3/2", -r3 / 2}, // the true minus sign, as a message would show it
    };
    for (const Case& c : cases) {
        const NumberReading r = parseExact(c.text);
        EXPECT_TRUE(r.isNumber && r.finite && r.message.empty()) << c.text << ": " << r.message;
        EXPECT_EQ(exactText(r), c.exact) << c.text;
        EXPECT_DOUBLE_EQ(r.value, c.value) << c.text;
        EXPECT_FALSE(r.rounded) << c.text;
    }
    // A number outside the exact set is still a number, shown from its double.
    const NumberReading mixed = parseExact("√2+√3");
    EXPECT_TRUE(mixed.isNumber);
    EXPECT_FALSE(mixed.exact);
    EXPECT_DOUBLE_EQ(mixed.value, std::sqrt(2.0) + std::sqrt(3.0));
    EXPECT_FALSE(parseExact("1+π").exact);
    EXPECT_TRUE(parseExact("1+π").isNumber);
}

TEST(ParseExact, FullWidthInputAndTheFieldsCp936) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"２√３", "2√3"},      {"（１＋√５）／２", "(1+√5)/2"}, {"－π／６", "−π/6"},
        {"１／２", "1/2"},     {"１。５", "1.5"},              {"√（３）", "√3"},
    };
    for (const auto& [typed, exact] : cases) {
        EXPECT_EQ(exactText(parseExact(typed)), exact) << typed;
        EXPECT_EQ(exactText(parseExact(cp936::fromUtf8(typed), TextEncoding::Cp936)), exact) << typed;
    }
    // The message quotes the field as typed, in UTF-8.
    EXPECT_EQ(parseExact(cp936::fromUtf8("二"), TextEncoding::Cp936).message, "“二”不是数，按 0 计算");
}

// Every drawing made from such a text stays as it was.
TEST(ParseExact, WhatAtofReadsWholeKeepsItsDoubleBitForBit) {
    const std::vector<std::string> texts = {
        "2", "-0.5", "2e1", "1e+5", "2.5e-3", " 3", "3 ", "3\t", ".5", "5.", "+7", "-0", "0", "0.1", "1.7", "0.3",
        "3.14159265358979", "1.7320508075688772", "123456789012345678901234567890", "1e-320", "0x1A", "0x1p-3",
        "4.9e-324", "1.7976931348623157e308", "0.000000000000000000000000000001", "1.000000000000000000000001",
        "9007199254740993", "-9223372036854775808", "1.732", "0.866", "3.142", "0.333", std::string(48, '0') + "7"};
    for (const std::string& t : texts) {
        const NumberReading r = parseExact(t);
        EXPECT_TRUE(r.isNumber && r.finite) << t;
        EXPECT_TRUE(sameBits(r.value, std::atof(t.c_str()))) << t << ": " << r.value;
        if (r.exact && !r.rounded) {
            EXPECT_DOUBLE_EQ(r.exact->toDouble(), r.value) << t;
        }
    }
    EXPECT_EQ(exactText(parseExact("2e1")), "20");
    EXPECT_EQ(exactText(parseExact("2.5e-3")), "0.0025");
    EXPECT_EQ(exactText(parseExact("0x1A")), "26");
    EXPECT_EQ(exactText(parseExact("1e-320")), "none"); // too small for a 64-bit fraction: shown from the double
}

TEST(ParseExact, TextThatIsNoNumberIsReadAsAtofReadsItAndSaysSo) {
    struct Case {
        const char* text;
        double value;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"abc", 0, "“abc”不是数，按 0 计算"},
        {"2x", 2, "“2x”不是数，按 2 计算"},
        {"2.5x", 2.5, "“2.5x”不是数，按 2.5 计算"},
        {"", 0, "没有填数，按 0 计算"},
        {"  ", 0, "没有填数，按 0 计算"},
        {"√", 0, "“√”不是数，按 0 计算"},
        {"√x", 0, "“√x”不是数，按 0 计算"},
        {"2√", 2, "“2√”不是数，按 2 计算"},
        {"1/", 1, "“1/”不是数，按 1 计算"},
        {"1/2/3", 1, "“1/2/3”不是数，按 1 计算"},
        {"1+2+3", 1, "“1+2+3”不是数，按 1 计算"},
        {"√3√2", 0, "“√3√2”不是数，按 0 计算"},
        {"(1+√5", 0, "“(1+√5”不是数，按 0 计算"},
        {"1.5e", 1.5, "“1.5e”不是数，按 1.5 计算"},
        {"x²", 0, "“x²”不是数，按 0 计算"},
    };
    for (const Case& c : cases) {
        const NumberReading r = parseExact(c.text);
        EXPECT_FALSE(r.isNumber) << c.text;
        EXPECT_TRUE(r.finite) << c.text;
        EXPECT_FALSE(r.exact) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
        EXPECT_EQ(r.message, c.message) << c.text;
    }
}

TEST(ParseExact, ValuesThatAreNotFiniteAreRefused) {
    for (const char* t : {"nan", "inf", "-inf", "infinity", "1e999", "-1e999", "1/0", "0/0", "√3/0", "infx", "1e400/2"}) {
        const NumberReading r = parseExact(t);
        EXPECT_FALSE(r.finite) << t;
        EXPECT_FALSE(r.exact) << t;
        EXPECT_EQ(r.message, "“" + std::string(t) + "”不是有限的数，不能计算") << t;
    }
}

// The decision on π: 3.142 is π, as a teacher who typed it meant; the double stays 3.142.
TEST(ParseExact, ThreeOrMoreDecimalsThatRoundASimpleValueShowAsIt) {
    const std::vector<std::pair<const char*, const char*>> recognised = {
        {"1.732", "√3"},   {"1.414", "√2"},    {"0.866", "√3/2"},  {"-0.866", "−√3/2"}, {"0.707", "√2/2"},
        {"2.828", "2√2"},  {"3.464", "2√3"},   {"2.236", "√5"},    {"1.155", "2√3/3"},  {"0.577", "√3/3"},
        {"0.333", "1/3"},  {"0.667", "2/3"},   {"-0.1667", "−1/6"}, {"0.143", "1/7"},   {"3.142", "π"},
        {"1.571", "π/2"},  {"1.047", "π/3"},   {"0.785", "π/4"},   {"0.524", "π/6"},    {"2.094", "2π/3"},
        {"6.283", "2π"},   {"1.7320508", "√3"}, {"1.7321", "√3"},
        {"3.1416", "π"},   {"2.449", "√6"},    {"0.289", "√3/6"},  {"12.333", "37/3"},
    };
    for (const auto& [typed, exact] : recognised) {
        const NumberReading r = parseExact(typed);
        EXPECT_EQ(exactText(r), exact) << typed;
        EXPECT_TRUE(r.rounded) << typed;
        EXPECT_EQ(r.value, std::atof(typed)) << typed;
    }
    const std::vector<std::pair<const char*, const char*>> kept = {
        {"1.7", "1.7"},      {"1.73", "1.73"},   {"1.7320", "1.732"}, // √3 rounds to 1.7321
        {"0.125", "0.125"},  {"1.500", "1.5"},   {"2.000", "2"},     {"3.14", "3.14"},
        {"1.234", "1.234"},  {"0.001", "0.001"}, {"3.1415", "3.1415"}, // π rounds to 3.1416
    };
    for (const auto& [typed, exact] : kept) {
        const NumberReading r = parseExact(typed);
        EXPECT_EQ(exactText(r), exact) << typed;
        EXPECT_FALSE(r.rounded) << typed;
    }
    EXPECT_FALSE(recognise(1.732, 2)); // "1.73" is not enough to mean √3
    EXPECT_FALSE(recognise(std::nan(""), 3));
}
