// SPDX-License-Identifier: GPL-3.0-or-later
// 教材记法 in the question window, as the core sets it: the sheet's setting without the
// sheet's number, score and answer space.
#include <gtest/gtest.h>

#include <string>

#include "bank/question_typeset.h"
#include "gfx/recording_surface.h"
#include "test_util.h"

using namespace yhb;

namespace {

std::string drawnText(const TypesetQuestion& t, double* lastBaseline = nullptr) {
    RecordingSurface r;
    drawTypeset(r, t, 0, 0);
    std::string out;
    for (const RecordingSurface::Op* op : r.ofKind(RecordingSurface::Kind::TypesetText)) {
        out += op->text;
        if (lastBaseline) *lastBaseline = op->y;
    }
    return out;
}

} // namespace

TEST(QuestionTypeset, NoNumberScoreOrAnswerSpaceAndTheAnswerFollows) {
    TempDir d;
    const std::string path = d / "q.tm";
    d.write("q.tm", "@type 解答题\n@score 12\n@space 10\n求证：$1+1=2$。\n## 解答\n证毕。\n");
    SheetQuestion q;
    Problem why;
    ASSERT_TRUE(readSheetQuestion(path, q, why)) << why.message;
    const NullSurface table;
    const double size = 30;

    const TypesetQuestion alone = typesetQuestion(q, false, table, 600, size);
    EXPECT_EQ(drawnText(alone), "求证：1+1=2。");
    // One line: no ten lines of answer space under it.
    EXPECT_LT(alone.height, 3 * size);
    EXPECT_EQ(alone.size, size);
    // A sheet still numbers it and gives its score and space.
    sheet::BlockStyle numbered;
    numbered.size = size;
    numbered.width = 600;
    const sheet::Block onSheet = sheet::BlockSetter(table, numbered).question(q, 3);
    EXPECT_GT(onSheet.height, 10 * size);

    double questionBaseline = 0, answerBaseline = 0;
    drawnText(alone, &questionBaseline);
    const TypesetQuestion answered = typesetQuestion(q, true, table, 600, size);
    EXPECT_EQ(drawnText(answered, &answerBaseline), "求证：1+1=2。证毕。");
    EXPECT_GT(answerBaseline, questionBaseline);
    EXPECT_LT(answered.height, alone.height + 3 * size);

    d.write("q.tm", "求 $x$。\n");
    ASSERT_TRUE(readSheetQuestion(path, q, why)) << why.message;
    EXPECT_EQ(drawnText(typesetQuestion(q, true, table, 600, size)), "求x。（本题没有解答）");
}

TEST(QuestionTypeset, TheBodyFollowsTheWindowsFontSize) {
    EXPECT_LT(textbookBodySize(31), textbookBodySize(36));
    EXPECT_LT(textbookBodySize(36), textbookBodySize(41));
    EXPECT_GE(textbookBodySize(1), 8.0);
    EXPECT_GT(textbookMargin(30), 0);
}
