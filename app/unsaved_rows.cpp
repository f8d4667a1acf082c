// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/unsaved_rows.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QMessageBox>

#include "lesson/lesson.h"
#include "res/strings.h"

namespace yhb {
namespace {

std::string rowsText(const Document& doc) {
    Lesson rows = lessonOf(doc);
    rows.view = LessonView{};
    return writeLesson(rows);
}

bool hasRows(const Document& doc) { return !lessonOf(doc).rows.empty(); }

} // namespace

UnsavedRows::UnsavedRows() : saved_(writeLesson(Lesson{})) {}

void UnsavedRows::markSaved(const Document& doc) { saved_ = rowsText(doc); }

bool UnsavedRows::changed(const Document& doc) const { return rowsText(doc) != saved_; }

bool UnsavedRows::atRisk(const Document& doc) const { return hasRows(doc) && changed(doc); }

QString UnsavedRows::caption(const Document& doc, const QString& path) const {
    const QString title = QString::fromStdString(appTitleUtf8());
    const bool star = changed(doc);
    if (path.isEmpty() && !star) return title;
    return title + " - " + (path.isEmpty() ? QString("未命名课件") : QFileInfo(path).fileName()) + (star ? "*" : "");
}

UnsavedRows::Choice UnsavedRows::ask(QWidget* parent, const QString& path,
                                     const std::function<void(QMessageBox&)>& run) const {
    const QString text = path.isEmpty() ? QString("表格中的函数还没有保存为课件，是否保存？")
                                        : "课件“" + QFileInfo(path).fileName() + "”中的函数已经修改，是否保存？";
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(appTitleUtf8()), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Save)->setText("保存");
    box.button(QMessageBox::Discard)->setText("不保存");
    box.button(QMessageBox::Cancel)->setText("取消");
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    if (run)
        run(box);
    else
        box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == box.button(QMessageBox::Save)) return Choice::Save;
    if (clicked == box.button(QMessageBox::Discard)) return Choice::Discard;
    return Choice::Cancel;
}

} // namespace yhb
