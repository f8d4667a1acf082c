// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include <QWidget>

#include "res/command_ids.h"

namespace yhb {

// The accelerator table shared by both windows: Alt+/ and Alt+? give AltSlash, F KeyF,
// Ctrl+F full screen (main window) or the answer (question window), N the next question.
void installAccelerators(QWidget* window, const std::function<void(Command)>& command);

} // namespace yhb
