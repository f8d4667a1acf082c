#pragma once
#include <vector>

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

#include "dialogs/parameter_form.h"

namespace yhb {

// One family's modal dialog, built from the family table: title, formula picture, the
// labelled edit fields in field order, the check boxes and 确定 / 应用 / 取消.
class ParameterDialog : public QDialog {
    Q_OBJECT
public:
    ParameterDialog(Document& doc, const FamilySpec& family, Notifier& notifier, QWidget* parent);

    // The dialog's commands: 1 OK, 1001 Apply, 2 Cancel; other ids do nothing.
    void command(int id);

    ParameterForm& form() { return form_; }
    QLineEdit* field(int i) const { return edits_[static_cast<std::size_t>(i)]; }
    QCheckBox* box(int i) const { return boxes_[static_cast<std::size_t>(i)]; }
    QCheckBox* boxById(int id) const; // null when the family has no such box

public slots:
    void reject() override; // Esc and the close box: 取消

private:
    void readWidgets();

    ParameterForm form_;
    std::vector<QLineEdit*> edits_;
    std::vector<QCheckBox*> boxes_;
};

} // namespace yhb
