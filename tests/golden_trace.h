// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "test_util.h"

namespace yhb::test {

// The line of `text` that starts at `from`, moving `from` to the next one; "(end of trace)" past the end.
inline std::string lineAt(const std::string& text, std::size_t& from) {
    if (from >= text.size()) return "(end of trace)";
    const std::size_t end = text.find('\n', from);
    const std::string line = text.substr(from, end == std::string::npos ? std::string::npos : end - from);
    from = end == std::string::npos ? text.size() : end + 1;
    return line;
}

// Where two traces part: "line N\n  expected: ...\n  actual:   ..."; empty when they are equal.
inline std::string firstDifference(const std::string& expected, const std::string& actual) {
    if (expected == actual) return "";
    std::size_t e = 0, a = 0;
    for (std::size_t line = 1;; ++line) {
        const std::string want = lineAt(expected, e), got = lineAt(actual, a);
        if (want != got) return "line " + std::to_string(line) + "\n  expected: " + want + "\n  actual:   " + got;
        if (e >= expected.size() && a >= actual.size()) return "a final line end";
    }
}

// Two traces alike, or the first line where they differ.
inline ::testing::AssertionResult sameTrace(const std::string& expected, const std::string& actual) {
    const std::string difference = firstDifference(expected, actual);
    if (difference.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the traces differ first at " << difference;
}

// Compares a drawing trace with the one kept in tests/plot/golden/<name>. A difference names
// the first line that differs with both versions of it, and this run's whole trace is left in
// the test output folder to be compared with the kept one.
inline ::testing::AssertionResult sameAsGolden(const std::string& name, const std::string& actual) {
    const std::string path = sourceDir() + "/tests/plot/golden/" + name;
    const std::string expected = slurp(path);
    if (!expected.empty() && expected == actual) return ::testing::AssertionSuccess();
    const std::string written = testOutputDir() + "/" + name;
    std::ofstream(written, std::ios::binary) << actual;
    if (expected.empty())
        return ::testing::AssertionFailure() << path << " is missing or empty; this run's trace is in " << written;
    return ::testing::AssertionFailure() << name << " differs first at " << firstDifference(expected, actual)
                                         << "\nthis run's trace: " << written;
}

} // namespace yhb::test
