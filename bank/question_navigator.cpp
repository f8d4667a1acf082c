// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/question_navigator.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <utility>

#include "bank/question_reader.h"
#include "gfx/cp936.h"
#include "res/command_ids.h"
#include "res/strings.h"

namespace yhb {
namespace {

constexpr int kWidthStep = 3, kHeightStep = 5;
constexpr int kMaxWidth = 65, kMaxHeight = 80, kMinWidth = 10, kMinHeight = 12;

template <class... Args>
std::string sprintfString(const std::string& fmt, Args... args) {
    int len = std::snprintf(nullptr, 0, fmt.c_str(), args...);
    std::string out(static_cast<std::size_t>(len > 0 ? len : 0) + 1, '\0');
    std::snprintf(out.data(), out.size(), fmt.c_str(), args...);
    out.pop_back();
    return out;
}

} // namespace

int QuestionNavigator::rand() {
    randState = randState * 214013u + 2531011u;
    return static_cast<int>((randState >> 16) & 0x7FFF);
}

int QuestionNavigator::pickRandom(BankCategory& c) {
    auto takeLast = [&] {
        c.poolRemaining = 0;
        return c.permutation[static_cast<std::size_t>(c.poolNext)];
    };
    if (c.poolRemaining == 1) return takeLast();
    if (c.poolRemaining == 0) {
        c.permutation.resize(static_cast<std::size_t>(c.questionCount()));
        for (int i = 0; i < c.questionCount(); ++i) c.permutation[static_cast<std::size_t>(i)] = i;
        c.poolNext = 0;
        c.poolRemaining = c.questionCount();
        if (c.poolRemaining == 1) return takeLast();
        if (c.poolRemaining == 0) return c.currentQuestion;
    }
    int* pool = c.permutation.data() + c.poolNext;
    int r;
    do {
        r = rand() % c.poolRemaining;
    } while (pool[r] == c.currentQuestion);
    std::swap(pool[0], pool[r]);
    int result = pool[0];
    ++c.poolNext;
    --c.poolRemaining;
    return result;
}

bool QuestionNavigator::command(Command command) {
    BankCategory* c = catalogue_.current();
    auto go = [&](int q) {
        if (c && q >= 0 && q < c->questionCount()) c->currentQuestion = q;
        reload();
    };
    switch (command) {
    case Command::RandomQuestion:
        if (c) go(pickRandom(*c));
        else reload();
        return true;
    case Command::FirstQuestion:
        if (c && c->currentQuestion != 0) go(0);
        return true;
    case Command::PrevQuestion:
        if (c && c->currentQuestion != 0) go(c->currentQuestion - 1);
        return true;
    case Command::NextQuestion:
        if (c && c->currentQuestion + 1 != c->questionCount()) go(c->currentQuestion + 1);
        return true;
    case Command::LastQuestion:
        if (c && c->currentQuestion + 1 != c->questionCount()) go(c->questionCount() - 1);
        return true;
    case Command::QuestionAnswer:
        answerShown = !answerShown;
        remeasure();
        return true;
    case Command::FontLarger:
        if (cellWidth > kMaxWidth || cellHeight > kMaxHeight) return true;
        cellWidth += kWidthStep;
        cellHeight += kHeightStep;
        reload();
        return true;
    case Command::FontSmaller:
        if (cellWidth < kMinWidth || cellHeight < kMinHeight) return true;
        cellWidth -= kWidthStep;
        cellHeight -= kHeightStep;
        reload();
        return true;
    default:
        return false;
    }
}

bool QuestionNavigator::selectCategory(int index) {
    if (index < 0 || index >= catalogue_.categoryCount()) return false;
    catalogue_.currentCategory = index;
    reload();
    return true;
}

void QuestionNavigator::reload() {
    BankCategory* c = catalogue_.current();
    if (!c) return;
    answerShown = false;
    readQuestion(*c, c->currentQuestion);
    c->questionList.setFontSize(cellWidth, cellHeight);
    c->answerList.setColour(rgb(255, 0, 255));
    c->answerList.setFontSize(cellWidth, cellHeight);
    remeasure();
}

void QuestionNavigator::remeasure() {
    BankCategory* c = catalogue_.current();
    if (clientWidth == 0 || clientHeight == 0 || !c) return;
    contentHeight = c->headerList.measure(clientWidth) + c->questionList.measure(clientWidth) +
                    (answerShown ? c->answerList.measure(clientWidth) : 0);
}

void QuestionNavigator::resize(int width, int height) {
    clientWidth = width;
    clientHeight = height;
    remeasure();
}

void QuestionNavigator::paint(Surface& s, int scrollPosition) const {
    const BankCategory* c = catalogue_.current();
    if (!c) return;
    int y = -(scrollPosition * kScrollUnit);
    y = c->headerList.draw(s, 0, y, clientWidth, clientHeight);
    y = c->questionList.draw(s, 0, y, clientWidth, clientHeight);
    if (answerShown) c->answerList.draw(s, 0, y, clientWidth, clientHeight);
}

QuestionNavigator::MenuState QuestionNavigator::menuState() const {
    const BankCategory* c = catalogue_.current();
    if (!c) return {true, true};
    return {c->currentQuestion != 0, c->currentQuestion != c->questionCount() - 1};
}

std::string QuestionNavigator::jumpPrompt() const {
    const BankCategory* c = catalogue_.current();
    if (!c) return {};
    return sprintfString("当前■%s■分类<<%s>>题库内有%d个题目,当前题号是:%d号", catalogue_.topLevelName(*c).c_str(),
                         c->name.c_str(), c->questionCount(), c->currentQuestion + 1);
}

std::string QuestionNavigator::jump(int number) {
    BankCategory* c = catalogue_.current();
    if (!c) return {};
    if (number > c->questionCount() || number < 1)
        return sprintfString("你选择的题号不能大于%d,或小于1!!请你重新选择!", c->questionCount());
    c->currentQuestion = number - 1;
    reload();
    return {};
}

std::string QuestionNavigator::jump(const std::string& typed) {
    const std::string text = cp936::foldNumberText(cp936::fromUtf8(typed));
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 40); // saturates far above any count
    if (negative) value = -value;
    const int number = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
    return jump(number);
}

std::string QuestionNavigator::bankInformation() const {
    int total = 0;
    for (const CategoryPtr& c : catalogue_.categories)
        if (c->aggregate == 1) total += c->questionCount();
    return sprintfString("本题库信息:\n大类:★%d★\n小类:★%d★\n总题数为:★%d★\n题库更新版本号为:★%s★\n",
                         catalogue_.topLevelCount(), catalogue_.categoryCount(), total,
                         catalogue_.bankVersion.c_str()) +
           std::string("意见与建议请寄: ") + kAuthorEmail;
}

std::string QuestionNavigator::caption() const {
    return sprintfString("%s||题库版本号为%s||", appTitleUtf8().c_str(), catalogue_.bankVersion.c_str());
}

} // namespace yhb
