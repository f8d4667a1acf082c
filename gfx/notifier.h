#pragma once
#include <string>
#include <vector>

namespace yhb {

// Message boxes: the application shows them, tests record them. Texts are UTF-8.
class Notifier {
public:
    virtual ~Notifier() = default;
    // `caption` empty means the system's default caption.
    virtual void message(const std::string& caption, const std::string& text) = 0;
};

class RecordingNotifier : public Notifier {
public:
    struct Message {
        std::string caption;
        std::string text;
    };
    void message(const std::string& caption, const std::string& text) override;
    std::vector<Message> messages;
};

} // namespace yhb
