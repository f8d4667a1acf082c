// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>

#include <QString>

#include "app/unsaved_rows.h"
#include "io/notifier.h"
#include "lesson/lesson.h"

class QDialog;
class QFileDialog;
class QMessageBox;
class QPrintDialog;

namespace yhb {

class MainWindow;

// The 文件 menu's lesson commands: new, open, save, save as, print and PDF, and the question
// whether to save before rows that no saved lesson holds are replaced or the window closes.
class LessonCommands {
public:
    LessonCommands(MainWindow& window, Notifier& notifier);

    void newLesson();
    void open();
    // Opens `path` without asking first (the command line); false, with a message box naming
    // the file and the line, when it is refused; nothing changes then.
    bool openFile(const QString& path);
    bool save();
    bool saveAs();
    void print();
    void exportPdf();
    // Asks 保存 / 不保存 / 取消 when changed rows would be lost; true when the caller may go on.
    bool mayDiscard();
    // The caption follows the rows: "*" while they differ from the saved lesson.
    void rowsChanged();

    const QString& path() const { return path_; }
    bool modified() const;

    // Tests drive the dialogs through these instead of running them.
    std::function<void(QFileDialog&)> runFileDialog;
    std::function<void(QMessageBox&)> runPrompt;
    std::function<void(QDialog&)> runUnitDialog;
    std::function<void(QPrintDialog&)> runPrintDialog;

private:
    QString choosePath(bool saving, const QString& title, const QString& filter, const QString& suffix);
    bool chooseUnit(double& cmPerUnit);
    bool write(const QString& path);
    void matchModes(bool fullScreen, bool presentation);
    void adopt(const QString& path);

    MainWindow& window_;
    Notifier& notifier_;
    QString path_;
    UnsavedRows unsaved_;
    double cmPerUnit_ = 1.0;
};

} // namespace yhb
