// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace yhb {

// Commands of the menus and accelerators. The values are the ones the accelerator table and
// the windows' id space (family kinds, bank categories) share, so they stay as they are.
enum class Command : int {
    // Ctrl+F sends one value to whichever window has it: the main window goes full screen,
    // the question window shows or hides the answer.
    MainFullScreen = 32771,
    QuestionAnswer = 32771,
    PiAxis = 32772,
    About = 32796,          // main window: 作者信息; question window: bank information
    BankInfo = 32808,
    MailAuthor = 32809,
    AltSlash = 104,
    KeyF = 32801,
    NextQuestion = 32799,   // also the N accelerator
    PrevQuestion = 32798,
    FirstQuestion = 32802,
    LastQuestion = 32803,
    JumpQuestion = 32804,
    FontLarger = 32805,
    FontSmaller = 32806,
    RandomQuestion = 32807,

    // Export, at the left of the menu bar and in the question window.
    SavePicture = 40001,
    CopyPicture = 40002,
    SaveQuestionPicture = 40003,

    // Lessons and printing, in the 文件 menu.
    NewLesson = 40010,
    OpenLesson = 40011,
    SaveLesson = 40012,
    SaveLessonAs = 40013,
    PrintCanvas = 40014,
    ExportPdf = 40015,
    Quit = 40016,

    // Authoring and presenting in the question window; reloading the bank in the main window.
    OpenQuestionFile = 40020,
    RereadQuestion = 40021, // F5
    ShowFigure = 40022,     // 显示图形, G
    ReloadBank = 40023,
    MakeWorksheet = 40024,  // 生成试卷...

    // In 坐标设置: 放大 and 缩小 about the pointer (Ctrl+=, Ctrl+-), 适合窗口 (Ctrl+0),
    // 全屏演示 (F11: the window full screen in 演示模式).
    ZoomIn = 40040,
    ZoomOut = 40041,
    FitView = 40042,
    FullScreenShow = 40043,

    // 演示模式 in 坐标设置, F5.
    Presentation = 40030,
    // 教材记法 in 坐标设置.
    TextbookNotation = 40031,
    // 清除轨迹 in 坐标设置: the trails 留下轨迹 left.
    ClearTrails = 40032,
    // 教材记法 in the question window's 字体 menu.
    QuestionTextbook = 40033,
};

constexpr int commandId(Command c) { return static_cast<int>(c); }

// The buttons of the parameter and jump dialogs.
enum class DialogButton : int { Ok = 1, Cancel = 2, Apply = 1001 };

namespace cmd {
// Bank category n is the window command BankCategoryBase + n.
constexpr int BankCategoryBase = 10000;
// The parameter dialog's edits are named FirstEdit + row.
constexpr int FirstEdit = 1006;
} // namespace cmd

} // namespace yhb
