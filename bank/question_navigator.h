// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "res/command_ids.h"
#include "bank/catalogue.h"
#include "gfx/surface.h"

namespace yhb {

// What the question window shows and how its commands move through a category; the window
// widget only forwards sizes, commands and paints.
class QuestionNavigator {
public:
    static constexpr int kScrollUnit = 20;

    explicit QuestionNavigator(Catalogue& catalogue) : catalogue_(catalogue) {}

    // Menu and accelerator commands of the window. Returns true when the id was one of them.
    bool command(Command c);
    // 10000 + i from the bank menu: makes category i current and reloads.
    bool selectCategory(int index);

    void reload();
    void remeasure();
    void resize(int width, int height);
    void paint(Surface& s, int scrollPosition) const;

    struct MenuState {
        bool firstAndPrevious; // enabled
        bool nextAndLast;
    };
    MenuState menuState() const;

    int pickRandom(BankCategory& c);
    int rand(); // the fixed sequence: state 1 at start, never reseeded

    // The jump dialog: its prompt, and the refusal text or empty when accepted.
    std::string jumpPrompt() const;
    std::string jump(int number);
    // The number as typed (UTF-8): read as atoi reads it, but a value outside the int range
    // is refused like any other out-of-range number instead of wrapping.
    std::string jump(const std::string& typed);
    std::string bankInformation() const;
    std::string caption() const;

    int scrollMaximum() const { return contentHeight / kScrollUnit; }
    int scrollPage() const { return clientHeight / kScrollUnit; }

    int clientWidth = 0;
    int clientHeight = 0;
    bool answerShown = false;
    int cellWidth = 20;
    int cellHeight = 36;
    int contentHeight = 1;
    unsigned randState = 1;

private:
    Catalogue& catalogue_;
};

} // namespace yhb
