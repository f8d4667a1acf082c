// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <ctime>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tool_helpers.h"

namespace yhb::test {

// What pdftotext says in `mode` of one page, or of all of them for page 0.
inline ToolRun pdftotext(const std::string& mode, const std::string& pdf, int page) {
    const std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    const ToolRun r = run("pdftotext " + mode + range + " " + quoted(pdf) + " -");
    EXPECT_EQ(r.status, 0) << "pdftotext (poppler-utils) is needed: " << r.err;
    return r;
}

// The text poppler finds on the PDF's pages (all of them for page 0), in the order it was
// drawn and without white space: the reading order, however lines wrap and formulas stack.
inline std::string pdfText(const std::string& pdf, int page = 0) {
    const ToolRun r = pdftotext("-raw", pdf, page);
    std::string out;
    for (char c : r.out)
        if (c != ' ' && c != '\n' && c != '\f' && c != '\r') out += c;
    return out;
}

struct PdfWord {
    double x0, y0, x1, y1; // points from the page's top left
    std::string text;
};

// The words poppler finds on the PDF's pages (all of them for page 0), each with its box.
inline std::vector<PdfWord> pdfWords(const std::string& pdf, int page = 0) {
    const ToolRun r = pdftotext("-bbox", pdf, page);
    const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::vector<PdfWord> out;
    for (std::sregex_iterator it(r.out.begin(), r.out.end(), word), end; it != end; ++it)
        out.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4]), (*it)[5]});
    return out;
}

// Where the number "n." of a question stands in such text, from `from` on; npos if nowhere.
inline std::size_t numberAt(const std::string& text, int n, std::size_t from = 0) {
    const std::string mark = std::to_string(n) + ".";
    for (std::size_t at = text.find(mark, from); at != std::string::npos; at = text.find(mark, at + 1))
        if (at == 0 || !(text[at - 1] >= '0' && text[at - 1] <= '9')) return at;
    return std::string::npos;
}

inline int pdfPages(const std::string& pdf) {
    const ToolRun r = run("pdfinfo " + quoted(pdf));
    std::smatch m;
    const std::regex pages(R"(Pages:\s+([0-9]+))");
    return std::regex_search(r.out, m, pages) ? std::stoi(m[1]) : -1;
}

// Returns once the clock has moved on to the next second: a PDF written after this was made at
// another moment than one written before.
inline void nextSecond() {
    const std::time_t start = std::time(nullptr);
    while (std::time(nullptr) == start) std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// The document id in a PDF's XMP metadata; empty when it has none (Qt before 6.8 writes none).
inline std::string documentId(const std::string& pdf) {
    std::smatch m;
    return std::regex_search(pdf, m, std::regex(R"re(xmpMM:DocumentID="uuid:([^"]*)")re")) ? m[1].str() : "";
}

// Whether each object the PDF's cross-reference table lists starts where the table says: a
// reader that trusts the table, as most do, finds every object. Empty when so, else the first
// object out of place.
inline std::string misplacedObject(const std::string& pdf) {
    const std::size_t startxref = pdf.rfind("startxref\n");
    if (startxref == std::string::npos) return "no startxref";
    const std::size_t table = std::stoul(pdf.substr(startxref + 10));
    if (pdf.compare(table, 7, "xref\n0 ") != 0) return "startxref does not point at the table";
    const std::size_t first = pdf.find('\n', table + 5) + 1;
    const int count = std::stoi(pdf.substr(table + 7));
    for (int i = 1; i < count; ++i) {
        const std::string entry = pdf.substr(first + static_cast<std::size_t>(i) * 20, 20);
        if (entry[17] != 'n') continue;
        const std::string object = std::to_string(i) + " 0 obj";
        if (pdf.compare(std::stoul(entry.substr(0, 10)), object.size(), object) != 0) return object;
    }
    return "";
}

} // namespace yhb::test
