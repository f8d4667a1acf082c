#include "dialogs/parameter_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/formula_picture.h"
#include "gfx/cp936.h"
#include "res/command_ids.h"
#include "res/strings.h"

namespace yhb {

ParameterDialog::ParameterDialog(Document& doc, const FamilySpec& family, Notifier& notifier, QWidget* parent)
    : QDialog(parent), form_(doc, family, notifier) {
    setObjectName(QString("Dialog%1").arg(family.templateId));
    setWindowModality(Qt::WindowModal); // blocks the main window, not the question window
    setWindowTitle(QString::fromStdString(appTitleUtf8()));

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QString::fromUtf8(family.title));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto* middle = new QHBoxLayout;
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap::fromImage(formulaPicture(family)));
    picture->setFixedSize(kFormulaPictureWidth, kFormulaPictureHeight);
    picture->setFrameShape(QFrame::Box);
    middle->addWidget(picture);
    auto* fields = new QGridLayout;
    for (std::size_t i = 0; i < family.fields.size(); ++i) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::number(cmd::FirstEdit + static_cast<int>(i)));
        edit->setMaxLength(99);
        edit->setMinimumWidth(90);
        fields->addWidget(new QLabel(QString::fromUtf8(family.fields[i].label)), static_cast<int>(i), 0, Qt::AlignRight);
        fields->addWidget(edit, static_cast<int>(i), 1);
        edits_.push_back(edit);
    }
    fields->setRowStretch(static_cast<int>(family.fields.size()), 1);
    middle->addLayout(fields);
    layout->addLayout(middle);

    if (family.trigHint) {
        auto* hint = new QLabel(QString::fromUtf8(kTrigHint));
        hint->setWordWrap(true);
        layout->addWidget(hint);
    }
    for (const BoxSpec& b : family.boxes) {
        auto* box = new QCheckBox(QString::fromUtf8(b.caption));
        box->setObjectName(QString::number(b.id));
        layout->addWidget(box);
        boxes_.push_back(box);
    }

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("确定");
    auto* apply = new QPushButton("应用");
    auto* cancel = new QPushButton("取消");
    ok->setDefault(true);
    ok->setAutoDefault(true);
    apply->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addStretch();
    for (QPushButton* b : {ok, apply, cancel}) buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { command(cmd::Ok); });
    connect(apply, &QPushButton::clicked, this, [this] { command(cmd::Apply); });
    connect(cancel, &QPushButton::clicked, this, [this] { command(cmd::Cancel); });

    form_.messageOwner = MessageOwner::of(this);
    form_.initialise();
    for (std::size_t i = 0; i < edits_.size(); ++i)
        edits_[i]->setText(QString::fromStdString(cp936::toUtf8(form_.fieldTexts[i])));
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setChecked(form_.boxes[i]);
}

QCheckBox* ParameterDialog::boxById(int id) const {
    const auto& specs = form_.family().boxes;
    for (std::size_t i = 0; i < specs.size(); ++i)
        if (specs[i].id == id) return boxes_[i];
    return nullptr;
}

void ParameterDialog::readWidgets() {
    for (std::size_t i = 0; i < edits_.size(); ++i) form_.fieldTexts[i] = cp936::fromUtf8(edits_[i]->text().toStdString());
    for (std::size_t i = 0; i < boxes_.size(); ++i) form_.boxes[i] = boxes_[i]->isChecked();
}

void ParameterDialog::command(int id) {
    switch (id) {
    case cmd::Apply:
        readWidgets();
        form_.apply();
        break;
    case cmd::Ok:
        readWidgets();
        if (form_.ok()) done(1);
        break;
    case cmd::Cancel:
        form_.cancel();
        done(2);
        break;
    default:
        break;
    }
}

void ParameterDialog::reject() { command(cmd::Cancel); }

} // namespace yhb
