// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/notifier.h"

namespace yhb {

void RecordingNotifier::message(const std::string& caption, const std::string& text, MessageOwner owner) {
    messages.push_back({caption, text, owner});
}

} // namespace yhb
