// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include "res/command_ids.h"
#include "dialogs/coefficient_sliders.h"
#include "dialogs/parameter_form.h"

namespace yhb {

// One family's dialog, built from the family table: title, formula picture, the labelled
// edit fields in field order, each with a slider, its range and a ▶ button that animates
// it, the check boxes and 确定 / 应用 / 取消.
class ParameterDialog : public QDialog {
    Q_OBJECT
public:
    ParameterDialog(Document& doc, const FamilySpec& family, Notifier& notifier, QWidget* parent);

    // What the dialog's buttons do; Cancel is also the close box and Escape.
    void command(DialogButton button);
    void done(int result) override; // also ends an animation

    ParameterForm& form() { return form_; }
    const SliderSet& sliders() const { return sliders_; }
    QLineEdit* field(int i) const { return edits_[static_cast<std::size_t>(i)]; }
    QCheckBox* box(int i) const { return boxes_[static_cast<std::size_t>(i)]; }
    QCheckBox* boxById(int id) const; // null when the family has no such box
    QSlider* slider(int i) const { return rows_[static_cast<std::size_t>(i)].slider; }
    QLineEdit* rangeFrom(int i) const { return rows_[static_cast<std::size_t>(i)].from; }
    QLineEdit* rangeTo(int i) const { return rows_[static_cast<std::size_t>(i)].to; }
    QToolButton* playButton(int i) const { return rows_[static_cast<std::size_t>(i)].play; }
    QLabel* rangeMessage() const { return rangeMessage_; }
    QLabel* fieldMessage(int i) const { return fieldMessages_[static_cast<std::size_t>(i)]; }
    bool animating() const { return sliders_.running(); }
    QCheckBox* traceBox() const { return traceBox_; } // 留下轨迹

public slots:
    void reject() override; // Esc and the close box: 取消

private:
    struct SliderRow {
        QSlider* slider = nullptr;
        QLineEdit* from = nullptr;
        QLineEdit* to = nullptr;
        QToolButton* play = nullptr;
        std::string rangeError; // UTF-8; empty when the range fields are good
    };

    void addSliderRow(std::size_t i, QGridLayout* grid, int row);
    void readWidgets();
    void showSlider(std::size_t i);    // range and position from the slider set, without applying
    void showRange(std::size_t i);     // the range fields from the slider set
    void showField(std::size_t i);     // the field from the form
    void showFieldMessage(std::size_t i); // what a text that is no number is read as
    void showPlayButtons();
    void showRangeMessage();
    void sliderMoved(std::size_t i, int position);
    void fieldEdited(std::size_t i);
    void rangeEdited(std::size_t i);
    void playPressed(std::size_t i);
    void step();
    void stopAnimation();

    ParameterForm form_;
    SliderSet sliders_;
    std::vector<QLineEdit*> edits_;
    std::vector<QLabel*> fieldMessages_;
    std::vector<QCheckBox*> boxes_;
    std::vector<SliderRow> rows_;
    QLabel* rangeMessage_ = nullptr;
    QCheckBox* traceBox_ = nullptr;
    QTimer animation_;
};

} // namespace yhb
