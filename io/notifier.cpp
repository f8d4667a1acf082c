// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/notifier.h"

namespace yhb {

void RecordingNotifier::message(const std::string& caption, const std::string& text, MessageOwner owner) {
    messages.push_back({caption, text, owner});
}

bool RecordingNotifier::ask(const std::string& caption, const std::string& text, const std::string&, const std::string&,
                            MessageOwner owner) {
    questions.push_back({caption, text, owner});
    return answer;
}

} // namespace yhb
