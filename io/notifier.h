// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace yhb {

// The window a message box belongs to: the one the program set as default, none, or a
// window the caller names (an opaque handle only the shell looks into).
struct MessageOwner {
    enum class Kind { Default, None, Window };
    Kind kind = Kind::Default;
    const void* window = nullptr;

    static MessageOwner none() { return {Kind::None, nullptr}; }
    static MessageOwner of(const void* w) { return {Kind::Window, w}; }
    bool operator==(const MessageOwner& o) const { return kind == o.kind && window == o.window; }
};

// Message boxes: the application shows them, tests record them. Texts are UTF-8.
class Notifier {
public:
    virtual ~Notifier() = default;
    // `caption` empty means the system's default caption.
    virtual void message(const std::string& caption, const std::string& text, MessageOwner owner = {}) = 0;
    // A question with two answers, `yes` the one that goes ahead; true when it was chosen. A
    // notifier that cannot ask anyone answers no.
    virtual bool ask(const std::string& /*caption*/, const std::string& /*text*/, const std::string& /*yes*/,
                     const std::string& /*no*/, MessageOwner /*owner*/ = {}) {
        return false;
    }
};

class RecordingNotifier : public Notifier {
public:
    struct Message {
        std::string caption;
        std::string text;
        MessageOwner owner;
    };
    void message(const std::string& caption, const std::string& text, MessageOwner owner = {}) override;
    // Questions are recorded apart from the messages, and answered with `answer`.
    bool ask(const std::string& caption, const std::string& text, const std::string& yes, const std::string& no,
             MessageOwner owner = {}) override;
    std::vector<Message> messages;
    std::vector<Message> questions;
    bool answer = false;
};

} // namespace yhb
