// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>

#include <QString>

#include "model/document.h"

class QMessageBox;
class QWidget;

namespace yhb {

// Rows a teacher entered that no saved lesson holds: the "*" in the caption, and the question
// 保存 / 不保存 / 取消 before they would be lost. The view is left out: a dragged or zoomed
// canvas is no reason to ask.
class UnsavedRows {
public:
    UnsavedRows();

    // The document's rows are now those of a saved lesson, or of none when the table is empty.
    void markSaved(const Document& doc);
    // The rows differ from the saved ones: the caption's "*".
    bool changed(const Document& doc) const;
    // Rows are there that would be lost; an empty table loses nothing.
    bool atRisk(const Document& doc) const;
    // The program's title, then the lesson's file name (未命名课件 for rows never saved), with
    // "*" while they differ from the file.
    QString caption(const Document& doc, const QString& path) const;

    enum class Choice { Save, Discard, Cancel };
    // Asks about the rows of the lesson at `path` (empty: never saved); `run` shows the box in
    // place of exec() when set.
    Choice ask(QWidget* parent, const QString& path, const std::function<void(QMessageBox&)>& run) const;

private:
    std::string saved_;
};

} // namespace yhb
