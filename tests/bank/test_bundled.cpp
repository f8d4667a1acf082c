// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "../dialogs/form_helpers.h"
#include "bank/catalogue.h"
#include "bank/question_reader.h"
#include "test_util.h"

using namespace yhb;
using namespace yhb::test;

namespace {

bool hasAnswer(const ItemList& answer) { return answer.count() > 0; }

} // namespace

TEST(BundledBank, IsARealBankInCp936WithCrLf) {
    Catalogue c;
    c.load(bundledBank());
    EXPECT_EQ(c.bankVersion.find("打开"), std::string::npos);
    ASSERT_EQ(c.topLevelCount(), 2);
    EXPECT_EQ(c.topLevel[0].name, "函数");
    EXPECT_EQ(c.topLevel[1].name, "解析几何");
    int loaded = 0;
    for (int i = 0; i < c.categoryCount(); ++i) {
        const BankCategory* k = c.category(i);
        if (k->aggregate) continue;
        ++loaded;
        EXPECT_GE(k->questionCount(), 10) << k->name;
        EXPECT_GE(k->parent, 0);
    }
    EXPECT_GE(loaded, 12);
    EXPECT_EQ(c.categoryCount(), loaded + c.topLevelCount());
}

TEST(BundledBank, EveryQuestionParsesCleanlyAndHasAnAnswer) {
    Catalogue c;
    c.load(bundledBank());
    int questions = 0;
    for (int i = 0; i < c.categoryCount(); ++i) {
        const BankCategory* k = c.category(i);
        if (k->aggregate) continue;
        for (const std::string& path : k->questionPaths) {
            std::string bytes;
            ASSERT_TRUE(readQuestionFile(path, bytes)) << path;
            // A ".tm" question is in the natural format, its text however the build stores it;
            // every other is the postfix format in CP936 with CR LF.
            const bool natural = path.size() > kNaturalSuffix.size() && path.compare(path.size() - kNaturalSuffix.size(), kNaturalSuffix.size(), kNaturalSuffix) == 0;
            if (!natural) {
                EXPECT_EQ(bytes.rfind("function\r\n", 0), 0u) << path;
                EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1) << path;
                EXPECT_EQ(cp936::firstInvalid(bytes), std::string_view::npos) << path;
            }
            ItemList q(800), a(800);
            std::vector<Problem> problems;
            EXPECT_TRUE(parseQuestion(bytes, q, a, &problems)) << path;
            for (const auto& p : problems) ADD_FAILURE() << path << ":" << p.line << ": " << p.english;
            EXPECT_GT(q.count(), 0) << path;
            EXPECT_TRUE(hasAnswer(a)) << path;
            EXPECT_EQ(readLabel(a).rfind("解答与分析:", 0), 0u) << path;
            ++questions;
        }
    }
    EXPECT_GE(questions, 120);
}
