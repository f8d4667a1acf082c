// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the bundled bank: the UTF-8 sources below SRC become CP936 files with CR LF line
// ends below DST, as the postfix format always was (and old installations read it); a question
// in the natural format (".tm") is UTF-8 and is copied as it is. Fails on any character of a
// postfix file that CP936 cannot hold.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "gfx/cp936.h"
#include "io/exit_code.h"
#include "io/file_writer.h"

namespace fs = std::filesystem;

namespace {

bool convertFile(const fs::path& from, const fs::path& to) {
    std::ifstream in(from, std::ios::binary);
    std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (from.extension() == ".tm") {
        yhb::FileError error;
        if (yhb::replaceFile(to.string(), utf8, error)) return true;
        std::fprintf(stderr, "%s\n", error.message().c_str());
        return false;
    }
    std::string text;
    for (char c : utf8)
        if (c == '\n') text += "\r\n";
        else if (c != '\r') text += c;
    if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) text += "\r\n";
    const std::string gb = yhb::cp936::fromUtf8(text);
    if (yhb::cp936::toUtf8(gb) != text) {
        std::fprintf(stderr, "%s: holds characters that CP936 cannot encode\n", from.c_str());
        return false;
    }
    yhb::FileError error;
    if (!yhb::replaceFile(to.string(), gb, error)) {
        std::fprintf(stderr, "%s\n", error.message().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE-TM DESTINATION-TM\n", argv[0]);
        return yhb::exitStatus(yhb::ExitCode::Usage);
    }
    const fs::path src = argv[1], dst = argv[2];
    std::error_code ec;
    fs::remove_all(dst, ec);
    bool ok = true;
    for (const auto& e : fs::recursive_directory_iterator(src)) {
        const fs::path target = dst / fs::relative(e.path(), src);
        if (e.is_directory()) fs::create_directories(target);
        else if (e.is_regular_file()) {
            fs::create_directories(target.parent_path());
            ok = convertFile(e.path(), target) && ok;
        }
    }
    return yhb::exitStatus(ok ? yhb::ExitCode::Ok : yhb::ExitCode::Failed);
}
