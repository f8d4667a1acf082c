// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include <QWidget>

namespace yhb {

// Accelerator table 109 at one window: Alt+/ and Alt+? give 104, F 32801, Ctrl+F 32771 and
// N 32799, each as a command of that window.
void installAccelerators(QWidget* window, const std::function<void(int)>& command);

} // namespace yhb
