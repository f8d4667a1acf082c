// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace yhb {

struct Document;
class CanvasWidget;
class LessonCommands;

// 清除轨迹 (坐标设置): every row's trails go; the rows and the view stay. The lesson counts as
// changed when there were trails to clear.
void clearTrails(Document& doc, CanvasWidget& canvas, LessonCommands& lessons);

} // namespace yhb
