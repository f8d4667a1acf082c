#include "bank/catalogue.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <new>

#include "bank/bank_file.h"
#include "gfx/cp936.h"
#include "items/memory_pool.h"

namespace fs = std::filesystem;

namespace yhb {

const char* const kVersionError = "打开版本信息错!,请从新安装题库文件!!";

BankCategory::BankCategory(std::string n, int p, int agg) : aggregate(agg), parent(p), name(std::move(n)) {
    questionPaths.reserve(200);
}

void CategoryDeleter::operator()(BankCategory* c) const {
    if (!c) return;
    c->~BankCategory();
    categoryPool().deallocate(c, sizeof(BankCategory), alignof(BankCategory));
}

CategoryPtr newCategory(std::string name, int parent, int aggregate) {
    void* p = categoryPool().allocate(sizeof(BankCategory), alignof(BankCategory));
    return CategoryPtr(new (p) BankCategory(std::move(name), parent, aggregate));
}

void addQuestion(BankCategory& category, const std::string& path) {
    if (category.questionPaths.size() == category.questionPaths.capacity())
        category.questionPaths.reserve(category.questionPaths.size() + 200);
    category.questionPaths.push_back(path);
}

std::string baseName(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void mergeInto(BankCategory& target, const BankCategory& source) {
    std::vector<std::string> names;
    names.reserve(target.questionPaths.size() + source.questionPaths.size());
    for (const std::string& p : target.questionPaths) names.push_back(baseName(p));
    std::sort(names.begin(), names.end());
    for (const std::string& p : source.questionPaths) {
        std::string b = baseName(p);
        auto it = std::lower_bound(names.begin(), names.end(), b);
        if (it != names.end() && *it == b) continue;
        names.insert(it, b);
        addQuestion(target, p);
    }
}

bool readOneLineFile(const std::string& path, std::string& text) {
    std::string bytes;
    if (!readRegularFile(path, 100, bytes) || bytes.size() < 2) return false;
    text.assign(bytes, 0, bytes.size() - 2);
    return true;
}

void Catalogue::readVersion(const std::string& startDir) {
    if (!readOneLineFile(startDir + "/tm/FuncVer.fun", bankVersion)) bankVersion = cp936::fromUtf8(kVersionError);
}

void Catalogue::scan(const std::string& dir, int inCategory) { scanLevel(dir, inCategory, 0); }

void Catalogue::scanLevel(const std::string& dir, int inCategory, int depth) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) return;
    struct Entry {
        std::string name;
        fs::file_status status;
    };
    std::vector<Entry> entries;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::error_code sec;
        fs::file_status st = it->symlink_status(sec);
        if (sec) continue;
        if (fs::is_symlink(st)) {
            // A link to a file is followed, a link to a directory never (no loops).
            st = it->status(sec);
            if (sec || !fs::is_regular_file(st)) continue;
        }
        entries.push_back({it->path().filename().string(), st});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });

    for (const Entry& e : entries) {
        const std::string path = dir + "/" + e.name;
        if (path.size() > kMaxPath) continue;
        if (fs::is_directory(e.status)) {
            if (depth + 1 > kMaxDepth) continue;
            std::string text;
            if (readOneLineFile(path + "/funcMenu.fun", text)) {
                if (topLevelCount() < kMaxTopLevel) {
                    topLevel.push_back({text});
                    topLevelOverflow_ = false;
                } else {
                    topLevelOverflow_ = true; // its categories are left out with it
                }
            }
            int flag = 0;
            if (readOneLineFile(path + "/funcName.fun", text)) {
                flag = 1;
                if (!topLevelOverflow_ && categoryCount() < kMaxCategories) {
                    categories.push_back(newCategory(text, topLevelCount() - 1, 0));
                    fileTarget_ = categoryCount() - 1;
                } else {
                    fileTarget_ = -1;
                }
            }
            scanLevel(path, flag, depth + 1);
        } else if (inCategory == 1 && fs::is_regular_file(e.status) && e.name != "funcName.fun" &&
                   e.name != "funcMenu.fun") {
            if (BankCategory* target = category(fileTarget_)) addQuestion(*target, path);
        }
    }
}

void Catalogue::addAggregates() {
    const int loaded = categoryCount();
    for (int t = 0; t < topLevelCount() && categoryCount() < kMaxCategories; ++t) {
        std::string name = "★"_gb + topLevel[static_cast<std::size_t>(t)].name + "★所有题目"_gb;
        CategoryPtr agg = newCategory(name, t, 1);
        for (int c = 0; c < loaded; ++c)
            if (categories[static_cast<std::size_t>(c)]->parent == t) mergeInto(*agg, *categories[static_cast<std::size_t>(c)]);
        categories.push_back(std::move(agg));
    }
}

void Catalogue::load(const std::string& startDir) {
    readVersion(startDir);
    scan(startDir, 0);
    // Keep room for one aggregate per top-level category: the last loaded categories give way.
    const std::size_t room = static_cast<std::size_t>(kMaxCategories - topLevelCount());
    if (categories.size() > room) categories.resize(room);
    addAggregates();
}

std::string Catalogue::topLevelName(const BankCategory& c) const {
    if (c.parent < 0 || c.parent >= topLevelCount()) return {};
    return topLevel[static_cast<std::size_t>(c.parent)].name;
}

} // namespace yhb
