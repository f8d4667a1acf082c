// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/bank_location.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace yhb {
namespace {

bool hasVersionFile(const fs::path& dir) {
    std::error_code ec;
    return !dir.empty() && fs::is_regular_file(dir / "tm" / "FuncVer.fun", ec);
}

bool isInside(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(inner, ec);
    if (ec) return false;
    const fs::path b = fs::weakly_canonical(outer, ec);
    if (ec || b.empty()) return false;
    auto ai = a.begin();
    for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
        if (bi->empty()) continue; // a trailing separator
        if (ai == a.end() || *ai != *bi) return false;
    }
    return true;
}

} // namespace

BankPlaces bankPlacesFor(std::string configuredDir, std::string buildTree, std::string buildBank) {
    BankPlaces p;
    std::error_code ec;
    p.currentDir = fs::current_path(ec).string();
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) p.executableDir = exe.parent_path().string();
    p.configuredDir = std::move(configuredDir);
    p.buildTree = std::move(buildTree);
    p.buildBank = std::move(buildBank);
    return p;
}

std::string locateBank(const BankPlaces& p) {
    std::error_code ec;
    // A tm/ directory here is the bank: a missing version file only changes the version text.
    if (!p.currentDir.empty() && fs::is_directory(fs::path(p.currentDir) / "tm", ec)) return p.currentDir;
    if (!p.executableDir.empty()) {
        const fs::path installed = (fs::path(p.executableDir) / ".." / "share" / "yunhuiban").lexically_normal();
        if (hasVersionFile(installed)) return installed.string();
    }
    if (hasVersionFile(p.configuredDir)) return p.configuredDir;
    if (!p.buildTree.empty() && !p.executableDir.empty() && isInside(p.executableDir, p.buildTree) &&
        hasVersionFile(p.buildBank))
        return p.buildBank;
    return {};
}

} // namespace yhb
