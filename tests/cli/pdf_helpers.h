#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "test_util.h"

namespace yhb::test {

struct ToolRun {
    int status;
    std::string out, err;
};

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline ToolRun run(const std::string& command) {
    TempDir d;
    const int raw = std::system((command + " >" + (d / "out") + " 2>" + (d / "err")).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(d / "out"), slurp(d / "err")};
}

inline ToolRun cli(const std::string& args) {
    const char* tool = std::getenv("YHB_CLI");
    return run(std::string(tool ? tool : "yunhuiban-cli") + " " + args);
}

inline std::string quoted(const std::string& s) { return "'" + s + "'"; }

// The text poppler finds on the PDF's pages (all of them for page 0), in the order it was
// drawn and without white space: the reading order, however lines wrap and formulas stack.
inline std::string pdfText(const std::string& pdf, int page = 0) {
    const std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    const ToolRun r = run("pdftotext -raw" + range + " " + quoted(pdf) + " -");
    EXPECT_EQ(r.status, 0) << "pdftotext (poppler-utils) is needed: " << r.err;
    std::string out;
    for (char c : r.out)
        if (c != ' ' && c != '\n' && c != '\f' && c != '\r') out += c;
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

// The PDF's bytes without the moment it was made, the one thing two writings differ in.
inline std::string withoutDate(const std::string& pdf) {
    return std::regex_replace(pdf, std::regex(R"(/CreationDate \(D:[0-9]+Z?\))"), "/CreationDate ()");
}

} // namespace yhb::test
