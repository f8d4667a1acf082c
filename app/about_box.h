// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include <QDialog>

namespace yhb {

// 作者信息: the product, its author and e-mail address, with 确定 alone closing it (Esc does
// not). `run`, when set, drives the box instead of running it (the tests).
void showAboutBox(QWidget* owner, const std::function<void(QDialog&)>& run);

} // namespace yhb
