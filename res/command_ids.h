// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Command ids of the menus, accelerators, dialogs and controls.
namespace yhb::cmd {

constexpr int FullScreen = 32771;       // main window: 全屏; question window: 解答与分析
constexpr int PiAxis = 32772;
constexpr int About = 32796;            // main window: 作者信息; question window: bank information
constexpr int BankInfo = 32808;
constexpr int MailAuthor = 32809;
constexpr int AltSlash = 104;
constexpr int KeyF = 32801;
constexpr int NextQuestion = 32799;     // also the N accelerator
constexpr int ToggleAnswer = 32771;
constexpr int PrevQuestion = 32798;
constexpr int FirstQuestion = 32802;
constexpr int LastQuestion = 32803;
constexpr int JumpQuestion = 32804;
constexpr int FontLarger = 32805;
constexpr int FontSmaller = 32806;
constexpr int RandomQuestion = 32807;
constexpr int BankCategoryBase = 10000;

// Export, at the left of the menu bar and in the question window.
constexpr int SavePicture = 40001;
constexpr int CopyPicture = 40002;
constexpr int SaveQuestionPicture = 40003;

// Lessons and printing, in the 文件 menu.
constexpr int NewLesson = 40010;
constexpr int OpenLesson = 40011;
constexpr int SaveLesson = 40012;
constexpr int SaveLessonAs = 40013;
constexpr int PrintCanvas = 40014;
constexpr int ExportPdf = 40015;
constexpr int Quit = 40016;

// Authoring and presenting in the question window; reloading the bank in the main window.
constexpr int OpenQuestionFile = 40020;
constexpr int RereadQuestion = 40021;   // F5
constexpr int ShowFigure = 40022;       // 显示图形, G
constexpr int ReloadBank = 40023;
constexpr int MakeWorksheet = 40024;   // 生成试卷...

// 演示模式 in 坐标设置, F5.
constexpr int Presentation = 40030;

// Parameter dialog controls.
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Apply = 1001;
constexpr int FirstEdit = 1006;
constexpr int FirstBox = 1010;

} // namespace yhb::cmd
