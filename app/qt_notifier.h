#pragma once
#include <QPointer>
#include <QWidget>

#include "gfx/notifier.h"

namespace yhb {

// Message boxes with an OK button, owned by `owner` (none when null).
class QtNotifier : public Notifier {
public:
    explicit QtNotifier(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    void message(const std::string& caption, const std::string& text) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace yhb
