// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "io/problem.h"

namespace yhb {

// Names a problem at a column of one line, in Chinese and English, when anyone asked.
class ProblemReport {
public:
    ProblemReport(std::vector<Problem>* problems, int line) : problems_(problems), line_(line) {}
    void operator()(int column, std::string english, std::string chinese, bool warning = false) const {
        if (!problems_) return;
        Problem p = problemAt(line_, std::move(chinese));
        p.column = column;
        p.english = std::move(english);
        p.warning = warning;
        problems_->push_back(std::move(p));
    }
    int line() const { return line_; }

private:
    std::vector<Problem>* problems_;
    int line_;
};

} // namespace yhb
