// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/qt/accelerators.h"

#include <QShortcut>

#include "res/command_ids.h"

namespace yhb {

void installAccelerators(QWidget* window, const std::function<void(int)>& command) {
    const struct {
        QKeySequence key;
        int id;
    } keys[] = {{QKeySequence(Qt::ALT | Qt::Key_Slash), cmd::AltSlash},
                {QKeySequence(Qt::ALT | Qt::Key_Question), cmd::AltSlash},
                {QKeySequence(Qt::Key_F), cmd::KeyF},
                {QKeySequence(Qt::CTRL | Qt::Key_F), cmd::FullScreen},
                {QKeySequence(Qt::Key_N), cmd::NextQuestion}};
    for (const auto& k : keys) {
        auto* s = new QShortcut(k.key, window);
        s->setContext(Qt::WindowShortcut);
        const int id = k.id;
        QObject::connect(s, &QShortcut::activated, window, [command, id] { command(id); });
    }
}

} // namespace yhb
