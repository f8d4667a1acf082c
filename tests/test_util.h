// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// A fresh directory under the system temp folder, removed when the test ends.
class TempDir {
public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "yhb-test-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& rel) const { return path_ + "/" + rel; }

    void write(const std::string& rel, const std::string& bytes) const {
        std::filesystem::path p = path_ + "/" + rel;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    void mkdir(const std::string& rel) const { std::filesystem::create_directories(path_ + "/" + rel); }

private:
    std::string path_;
};

// A file's bytes; empty when it cannot be read.
inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The names in a folder, sorted.
inline std::vector<std::string> fileNames(const std::string& dir) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// A text's lines, without their line ends.
inline std::vector<std::string> splitLines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

inline std::string testOutputDir() {
    const char* d = std::getenv("YHB_TEST_OUTPUT");
    std::string dir = d ? d : "test-output";
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::string sourceDir() {
    const char* d = std::getenv("YHB_SOURCE_DIR");
    return d ? d : ".";
}

// The question bank the build converted (CP936, CR LF).
inline std::string bundledBank() {
    const char* d = std::getenv("YHB_BUNDLED_BANK");
    return d ? d : "bank";
}
