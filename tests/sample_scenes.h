// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scenes shared by the tests and the benchmarks: the five-row canvas, a generated question
// and a generated bank.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialogs/form_helpers.h"
#include "dialogs/parameter_form.h"
#include "gfx/cp936.h"
#include "plot/curve.h"

namespace yhb::sample {

// Five rows entered through the form logic: ellipse and hyperbola with all boxes, tan, sin,
// and a circle with its centre.
inline void enterFiveRows(Document& doc) {
    RecordingNotifier n;
    test::enter(doc, n, Family::EllipseX, {"5", "4"}, {1010, 1011, 1012});
    test::enter(doc, n, Family::HyperbolaX, {"5", "4"}, {1010, 1011, 1012, 1013});
    test::enter(doc, n, Family::Tan, {"1", "1", "0"});
    test::enter(doc, n, Family::Sin, {"3", "0.5", "0"});
    test::enter(doc, n, Family::CircleCentre, {"1", "1", "3"}, {1010});
}

// A question file of about `bytes` bytes mixing text, fractions, roots, exponents and systems.
inline std::string generatedQuestion(std::size_t bytes) {
    std::string q = "function\r\ntm\r\n";
    const std::string block = cp936::fromUtf8(
        "已知函数f(x)=\r\na\r\n2\r\nzs\r\n{\r\nx+1\r\n}\r\n{\r\n2\r\n}\r\nfs\r\n+\r\n{\r\nx-3\r\n}\r\ngh\r\n"
        "，解方程组\r\n{{\r\nx+y=3\r\nx-y=1\r\n}}\r\n并求\r\nx\r\n1\r\nxb\r\n的值。\r\n\r\n");
    int n = 0;
    while (q.size() < bytes) {
        if (++n == 40) q += "jd\r\n";
        q += block;
    }
    return q;
}

// The largest generated question that still has at most `bytes` bytes.
inline std::string generatedQuestionBelow(std::size_t bytes) {
    const std::size_t head = generatedQuestion(0).size();
    const std::size_t step = generatedQuestion(head + 1).size() - head + 4; // a block, and "jd" once
    return generatedQuestion(bytes > step ? bytes - step : 0);
}

// How a generated bank names its files: each category's names sort after the previous
// category's ("q03-0001.txt"), or they interleave across categories ("q0001-03.txt"), so
// that every merge into the aggregate meets names on both sides of its own.
enum class Naming { ByCategory, Interleaved };

inline std::string generatedFileName(int category, int file, Naming naming) {
    char name[32];
    if (naming == Naming::ByCategory)
        std::snprintf(name, sizeof name, "q%02d-%04d.txt", category, file);
    else
        std::snprintf(name, sizeof name, "q%05d-%02d.txt", file, category);
    return name;
}

// `line` with its CR LF, `n` times over.
inline std::string repeatedLines(const std::string& line, int n) {
    std::string out;
    out.reserve((line.size() + 2) * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out += line + "\r\n";
    return out;
}

// A question of `levels` nested systems of equations, as an author's "{{" ... "}}" pairs nest.
inline std::string nestedBraces(int levels) {
    return "function\r\n" + repeatedLines("{{", levels) + "x\r\n" + repeatedLines("}}", levels);
}

// Questions nested without end, `levels` deep: each shape once cost the square of its depth
// to open.
struct DeepShape {
    const char* name;
    std::string (*make)(int levels);
};
inline const std::vector<DeepShape>& deepShapes() {
    static const std::vector<DeepShape> shapes = {
        {"braces", nestedBraces},
        {"roots", [](int n) { return "function\r\njd\r\nx\r\n" + repeatedLines("gh", n); }},
        {"fractions", [](int n) { return "function\r\nx\r\n" + repeatedLines("y\r\nfs", n); }},
        {"exponents", [](int n) { return "function\r\nx\r\n" + repeatedLines("2\r\nzs", n); }},
        {"rows braced ten times", [](int n) { return "function\r\n" + repeatedLines("x", n) + repeatedLines("}}", 10); }},
        {"systems too deep over many rows",
         [](int n) { return nestedBraces(10) + repeatedLines("x", n / 2) + repeatedLines("x\r\n}}", n / 4); }},
    };
    return shapes;
}

// `categories` categories of `files` question files each, under one top-level category.
inline void generateBank(const std::string& root, int categories, int files, Naming naming = Naming::ByCategory) {
    namespace fs = std::filesystem;
    auto write = [](const fs::path& p, const std::string& bytes) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    };
    write(fs::path(root) / "tm/FuncVer.fun", "1.0\r\n");
    write(fs::path(root) / "tm/all/funcMenu.fun", "all\r\n");
    const std::string question = generatedQuestion(200);
    for (int c = 0; c < categories; ++c) {
        char dir[32];
        std::snprintf(dir, sizeof dir, "tm/all/c%02d", c);
        write(fs::path(root) / dir / "funcName.fun", "cat\r\n");
        for (int f = 0; f < files; ++f)
            write(fs::path(root) / dir / generatedFileName(c, f, naming), question);
    }
}

} // namespace yhb::sample
