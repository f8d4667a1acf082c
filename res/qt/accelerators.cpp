// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/qt/accelerators.h"

#include <QShortcut>

#include "res/command_ids.h"

namespace yhb {

void installAccelerators(QWidget* window, const std::function<void(Command)>& command) {
    const struct {
        QKeySequence key;
        Command id;
    } keys[] = {{QKeySequence(Qt::ALT | Qt::Key_Slash), Command::AltSlash},
                {QKeySequence(Qt::ALT | Qt::Key_Question), Command::AltSlash},
                {QKeySequence(Qt::Key_F), Command::KeyF},
                {QKeySequence(Qt::CTRL | Qt::Key_F), Command::MainFullScreen}, // = QuestionAnswer
                {QKeySequence(Qt::Key_N), Command::NextQuestion}};
    for (const auto& k : keys) {
        auto* s = new QShortcut(k.key, window);
        s->setContext(Qt::WindowShortcut);
        const Command id = k.id;
        QObject::connect(s, &QShortcut::activated, window, [command, id] { command(id); });
    }
}

} // namespace yhb
