// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "items/item_list.h"

namespace yhb {

// One category of the question bank: its question files and the three formula lists that
// show the current one. Names are UTF-8 (read from CP936 or UTF-8 name files); paths are the
// file system's bytes and use '/'.
struct BankCategory {
    BankCategory(std::string name, int parent, int aggregate);

    int aggregate;
    int currentQuestion = 0;
    int poolRemaining = 0;
    std::vector<int> permutation;
    int poolNext = 0;
    int parent;
    std::vector<std::string> questionPaths;
    std::string name;
    ItemList questionList{800};
    ItemList answerList{800};
    ItemList headerList{50};
    std::vector<std::string> figures; // the current question's "@plot" lines, in UTF-8

    int questionCount() const { return static_cast<int>(questionPaths.size()); }
};

struct TopLevelCategory {
    std::string name;
};

// Records come from the category pool and are released with it.
struct CategoryDeleter {
    void operator()(BankCategory* c) const;
};
using CategoryPtr = std::unique_ptr<BankCategory, CategoryDeleter>;
CategoryPtr newCategory(std::string name, int parent, int aggregate);

void addQuestion(BankCategory& category, const std::string& path);
void mergeInto(BankCategory& target, const BankCategory& source);
std::string baseName(const std::string& path);

// The catalogue of the bank below a start directory, built once at start-up.
class Catalogue {
public:
    static constexpr int kMaxTopLevel = 10;
    static constexpr int kMaxCategories = 30; // loaded and aggregates together
    static constexpr int kMaxDepth = 64;
    static constexpr std::size_t kMaxPath = 4095;

    // The version, the scan and the aggregates, as start-up does it.
    void load(const std::string& startDir);

    void readVersion(const std::string& startDir);
    void scan(const std::string& dir, int inCategory);
    void addAggregates();

    int topLevelCount() const { return static_cast<int>(topLevel.size()); }
    int categoryCount() const { return static_cast<int>(categories.size()); }
    BankCategory* category(int i) const {
        return i >= 0 && i < categoryCount() ? categories[static_cast<std::size_t>(i)].get() : nullptr;
    }
    BankCategory* current() const { return category(currentCategory); }
    // The name of a category's top-level category; empty for one that has none.
    std::string topLevelName(const BankCategory& c) const;

    std::string startDir; // of the last load, to read the bank again
    std::string bankVersion;
    std::vector<TopLevelCategory> topLevel;
    std::vector<CategoryPtr> categories;
    int currentCategory = 0;

private:
    void scanLevel(const std::string& dir, int inCategory, int depth);
    // Where the files of a category directory go: the last category registered, or none
    // when that one did not fit the table.
    int fileTarget_ = -1;
    bool topLevelOverflow_ = false;
};

// Reads a one-line file (version, menu or category name): the whole file less its last two
// bytes. False for anything but a regular file of 2 to 100 bytes.
bool readOneLineFile(const std::string& path, std::string& text);

// False for what an editor or an export leaves beside the questions: hidden files, backups
// ("~", ".bak", ".swp"), pictures and PDFs, and the category's own name files.
bool isQuestionFileName(const std::string& name);

// A question in the natural format (natural_reader) is named so: its first line is text.
constexpr std::string_view kNaturalSuffix = ".tm";

// False when the file's first line is not "function" (spaces around it aside: the reader
// names them as the author's slip) and its name does not end in ".tm": anything else in a
// category folder, a README or a teacher's notes, is no question. A file that cannot be read
// is kept, to show its error line.
bool holdsQuestion(const std::string& path);

// The category name the question window shows for a file opened on its own: its folder's
// funcName.fun, else the folder's name (UTF-8).
std::string categoryNameForFile(const std::string& path);

extern const char* const kVersionError; // UTF-8

} // namespace yhb
