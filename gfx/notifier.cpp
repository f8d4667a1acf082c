#include "gfx/notifier.h"

namespace yhb {

void RecordingNotifier::message(const std::string& caption, const std::string& text) {
    messages.push_back({caption, text});
}

} // namespace yhb
