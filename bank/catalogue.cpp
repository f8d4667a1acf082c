// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/catalogue.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string_view>

#include "bank/bank_file.h"
#include "bank/bank_text.h"
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

// The path array grows geometrically (it starts with room for 200): a category of n files
// costs O(n) to fill.
void addQuestion(BankCategory& category, const std::string& path) { category.questionPaths.push_back(path); }

namespace {

std::string_view baseNameView(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The base names taken so far: an open-addressing table of views, at most half full, so that
// a name costs one hash and a probe or two, and no allocation.
class NameSet {
public:
    explicit NameSet(std::size_t names) {
        std::size_t n = 16;
        while (n < 2 * names) n *= 2;
        slots_.resize(n);
    }
    // False when the name is there already.
    bool insert(std::string_view name) {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = std::hash<std::string_view>{}(name) & mask;
        for (; slots_[i].data(); i = (i + 1) & mask)
            if (slots_[i] == name) return false;
        slots_[i] = name;
        return true;
    }

private:
    std::vector<std::string_view> slots_; // a null view is an empty slot
};

// mergeInto for several sources in turn, with one set of the base names taken so far: linear
// however the names of the categories interleave. The set holds views into the paths, which
// stay where they are: the sources do not change, and the target's paths are reserved up
// front (a source may be the target itself, and then adds nothing).
void mergeAll(BankCategory& target, const std::vector<const BankCategory*>& sources) {
    std::vector<std::string>& paths = target.questionPaths;
    std::size_t needed = paths.size();
    for (const BankCategory* s : sources) needed += s->questionPaths.size();
    if (paths.capacity() < needed) paths.reserve(std::max(needed, 2 * paths.capacity()));
    NameSet names(needed);
    for (const std::string& p : paths) names.insert(baseNameView(p));
    for (const BankCategory* source : sources) {
        const std::size_t count = source->questionPaths.size();
        for (std::size_t i = 0; i < count; ++i)
            if (names.insert(baseNameView(source->questionPaths[i]))) addQuestion(target, source->questionPaths[i]);
    }
}

} // namespace

std::string baseName(const std::string& path) { return std::string(baseNameView(path)); }

void mergeInto(BankCategory& target, const BankCategory& source) { mergeAll(target, {&source}); }

bool readOneLineFile(const std::string& path, std::string& text) {
    std::string bytes;
    if (!readRegularFile(path, 100, bytes) || bytes.size() < 2) return false;
    text = oneLineText(bytes);
    return true;
}

std::string categoryNameForFile(const std::string& path) {
    std::string name;
    // A bare file name's folder is the current directory, named by its own name.
    std::error_code ec;
    fs::path dir = fs::absolute(fs::path(path), ec).lexically_normal().parent_path();
    if (readOneLineFile((dir / "funcName.fun").string(), name)) return name;
    if (!dir.has_filename()) dir = dir.parent_path();
    return dir.filename().string();
}

bool isQuestionFileName(const std::string& name) {
    if (name.empty() || name[0] == '.' || name.back() == '~') return false;
    if (name == "funcName.fun" || name == "funcMenu.fun") return false;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return true;
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* other : {"bak", "swp", "png", "jpg", "pdf"})
        if (ext == other) return false;
    return true;
}

bool holdsQuestion(const std::string& path) {
    if (path.size() > kNaturalSuffix.size() && path.compare(path.size() - kNaturalSuffix.size(), kNaturalSuffix.size(), kNaturalSuffix) == 0)
        return true;
    std::string start;
    // Room for a byte-order mark, spaces and the line end; a longer first line is no "function".
    // A file that cannot be read is kept: the window shows its error line, the checker names it.
    return !readFileStart(path, 64, start) || firstLineOf(start) == "function";
}

void Catalogue::readVersion(const std::string& startDir) {
    if (!readOneLineFile(startDir + "/tm/FuncVer.fun", bankVersion)) bankVersion = kVersionError;
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
        } else if (inCategory == 1 && fs::is_regular_file(e.status) && isQuestionFileName(e.name)) {
            BankCategory* target = category(fileTarget_);
            if (target && holdsQuestion(path)) addQuestion(*target, path);
        }
    }
}

void Catalogue::addAggregates() {
    const int loaded = categoryCount();
    for (int t = 0; t < topLevelCount() && categoryCount() < kMaxCategories; ++t) {
        std::string name = "★" + topLevel[static_cast<std::size_t>(t)].name + "★所有题目";
        CategoryPtr agg = newCategory(name, t, 1);
        std::vector<const BankCategory*> members;
        for (int c = 0; c < loaded; ++c)
            if (categories[static_cast<std::size_t>(c)]->parent == t) members.push_back(categories[static_cast<std::size_t>(c)].get());
        mergeAll(*agg, members); // as mergeInto one after the other, in table order
        categories.push_back(std::move(agg));
    }
}

void Catalogue::load(const std::string& startDir) {
    this->startDir = startDir;
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
