// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lesson_commands.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "app/print_page.h"
#include "io/saving.h"
#include "lesson/lesson_file.h"
#include "res/command_ids.h"
#include "res/strings.h"

namespace yhb {
namespace {

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

} // namespace

LessonCommands::LessonCommands(MainWindow& window, Notifier& notifier) : window_(window), notifier_(notifier) {}

bool LessonCommands::modified() const { return unsaved_.changed(window_.document()); }

void LessonCommands::adopt(const QString& path) {
    path_ = path;
    unsaved_.markSaved(window_.document());
    rowsChanged();
}

void LessonCommands::rowsChanged() { window_.setWindowTitle(unsaved_.caption(window_.document(), path_)); }

// Full screen and presentation mode switched through their commands, before the rows and
// the origin, so that the window is laid out as those items lay it out and the origin is
// placed on the canvas it will be seen on.
void LessonCommands::matchModes(bool fullScreen, bool presentation) {
    const ViewSettings& v = window_.document().view;
    if (v.fullScreen != fullScreen) window_.command(Command::MainFullScreen);
    if (v.presentation != presentation) window_.command(Command::Presentation);
}

void LessonCommands::newLesson() {
    if (!mayDiscard()) return;
    matchModes(0, 0);
    resetDocument(window_.document());
    window_.documentReplaced();
    adopt(QString());
}

void LessonCommands::open() {
    if (!mayDiscard()) return;
    const QString path = choosePath(false, "打开课件", "云绘板课件 (*.yhb);;所有文件 (*)", "yhb");
    if (!path.isEmpty()) openFile(path);
}

bool LessonCommands::openFile(const QString& path) {
    Document& doc = window_.document();
    Lesson lesson;
    Problem problem;
    if (!loadLesson(localPath(path), lesson, problem) || !checkLesson(lesson, doc.metrics, problem)) {
        notifier_.message(appTitleUtf8(), openFailureText(path.toStdString(), problem));
        return false;
    }
    matchModes(lesson.view.fullScreen, lesson.view.presentation);
    applyLesson(doc, lesson, problem);
    window_.documentReplaced();
    adopt(path);
    return true;
}

bool LessonCommands::write(const QString& path) {
    if (!saveAsking(notifier_, {}, localPath(path), writeLesson(lessonOf(window_.document())), saveFailureText))
        return false;
    adopt(path);
    return true;
}

bool LessonCommands::save() { return path_.isEmpty() ? saveAs() : write(path_); }

bool LessonCommands::saveAs() {
    const QString path = choosePath(true, "课件另存为", "云绘板课件 (*.yhb)", "yhb");
    return !path.isEmpty() && write(path);
}

bool LessonCommands::mayDiscard() {
    if (!unsaved_.atRisk(window_.document())) return true;
    switch (unsaved_.ask(&window_, path_, runPrompt)) {
    case UnsavedRows::Choice::Save: return save();
    case UnsavedRows::Choice::Discard: return true;
    case UnsavedRows::Choice::Cancel: return false;
    }
    return false;
}

QString LessonCommands::choosePath(bool saving, const QString& title, const QString& filter, const QString& suffix) {
    const QFileInfo current(path_);
    const QString dir = path_.isEmpty() ? QDir::homePath() : current.absolutePath();
    QFileDialog dialog(&window_, title, dir, filter);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(suffix);
    if (saving) {
        const QString base = path_.isEmpty() ? QString("课件") : current.completeBaseName();
        dialog.selectFile(base + "." + suffix);
    }
    if (runFileDialog)
        runFileDialog(dialog);
    else
        dialog.exec();
    if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

// The small dialog before printing: how many centimetres one unit takes on paper.
bool LessonCommands::chooseUnit(double& cmPerUnit) {
    QDialog dialog(&window_);
    dialog.setObjectName("PrintScale");
    dialog.setWindowTitle(QString::fromStdString(appTitleUtf8()));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel("打印比例（A4 横向）："));
    auto* group = new QButtonGroup(&dialog);
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(QString("1 个单位 = %1 厘米").arg(kPrintUnits[i]));
        b->setObjectName(QString::number(kPrintUnits[i]));
        b->setChecked(kPrintUnits[i] == cmPerUnit_);
        group->addButton(b, i);
        layout->addWidget(b);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("确定");
    buttons->button(QDialogButtonBox::Cancel)->setText("取消");
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (runUnitDialog)
        runUnitDialog(dialog);
    else
        dialog.exec();
    if (dialog.result() != QDialog::Accepted || group->checkedId() < 0) return false;
    cmPerUnit_ = cmPerUnit = kPrintUnits[group->checkedId()];
    return true;
}

void LessonCommands::print() {
    double unit = 1.0;
    if (!chooseUnit(unit)) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    printer.setDocName(path_.isEmpty() ? QString("云绘板") : QFileInfo(path_).completeBaseName());
    QPrintDialog dialog(&printer, &window_);
    if (runPrintDialog)
        runPrintDialog(dialog);
    else
        dialog.exec();
    if (dialog.result() == QDialog::Accepted && !printPage(printer, window_.document(), unit))
        notifier_.message(appTitleUtf8(), "无法开始打印：打印机没有响应。");
    window_.client()->update(); // the labels were sized for paper
}

void LessonCommands::exportPdf() {
    double unit = 1.0;
    if (!chooseUnit(unit)) return;
    const QString path = choosePath(true, "导出PDF", "PDF (*.pdf)", "pdf");
    if (path.isEmpty()) return;
    const QString title = path_.isEmpty() ? QString("云绘板") : QFileInfo(path_).completeBaseName();
    const QByteArray pdf = printPdf(window_.document(), unit, title);
    window_.client()->update();
    saveAsking(notifier_, {}, localPath(path), std::string_view(pdf.constData(), pdf.size()));
}

} // namespace yhb
