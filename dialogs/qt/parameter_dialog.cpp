// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/qt/parameter_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "dialogs/qt/formula_picture.h"
#include "families/labels.h"
#include "gfx/cp936.h"
#include "res/command_ids.h"
#include "res/strings.h"

namespace yhb {

namespace {

const QString kPlay = QStringLiteral("▶");
const QString kStop = QStringLiteral("■");

QString fieldName(const FamilySpec& f, std::size_t i) {
    QString name = QString::fromUtf8(f.fields[i].label);
    if (name.endsWith('=')) name.chop(1);
    return name;
}

} // namespace

ParameterDialog::ParameterDialog(Document& doc, const FamilySpec& family, Notifier& notifier, QWidget* parent)
    : QDialog(parent), form_(doc, family, notifier), sliders_(form_) {
    setObjectName(QString("Dialog%1").arg(family.templateId));
    // Not modal to the toolkit: the main window keeps out everything but drags of its canvas
    // while the dialog is up (see runOverCanvas), and the question window stays usable.
    setWindowModality(Qt::NonModal);
    setWindowTitle(QString::fromStdString(appTitleUtf8()));

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QString::fromUtf8(family.title));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto* middle = new QHBoxLayout;
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap::fromImage(formulaPicture(family, devicePixelRatioF())));
    picture->setFixedSize(kFormulaPictureWidth, kFormulaPictureHeight);
    picture->setFrameShape(QFrame::Box);
    middle->addWidget(picture, 0, Qt::AlignTop);
    auto* fields = new QGridLayout;
    // Each field takes two grid rows: the field with its slider, and under it the line that
    // says what a text that is no number is read as (hidden while it is one).
    for (std::size_t i = 0; i < family.fields.size(); ++i) {
        const int row = 2 * static_cast<int>(i);
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::number(cmd::FirstEdit + static_cast<int>(i)));
        edit->setMaxLength(99);
        edit->setMinimumWidth(90);
        fields->addWidget(new QLabel(QString::fromUtf8(family.fields[i].label)), row, 0, Qt::AlignRight);
        fields->addWidget(edit, row, 1);
        edits_.push_back(edit);
        auto* message = new QLabel;
        message->setObjectName("fieldMessage" + QString::number(cmd::FirstEdit + static_cast<int>(i)));
        message->setStyleSheet("color: #b00000");
        message->hide();
        fields->addWidget(message, row + 1, 1, 1, 6);
        fieldMessages_.push_back(message);
        addSliderRow(i, fields, row);
    }
    rangeMessage_ = new QLabel;
    rangeMessage_->setObjectName("rangeMessage");
    rangeMessage_->setStyleSheet("color: #b00000");
    rangeMessage_->setWordWrap(true);
    rangeMessage_->hide();
    fields->addWidget(rangeMessage_, 2 * static_cast<int>(family.fields.size()), 0, 1, 7);
    traceBox_ = new QCheckBox("留下轨迹");
    traceBox_->setObjectName("traceLoci");
    traceBox_->setToolTip("滑块或 ▶ 改变系数时，在画布上留下特征点走过的轨迹（坐标设置 → 清除轨迹 可清除）");
    fields->addWidget(traceBox_, 2 * static_cast<int>(family.fields.size()) + 1, 2, 1, 5);
    connect(traceBox_, &QCheckBox::toggled, this, [this](bool on) { sliders_.setTracing(on); });
    fields->setRowStretch(2 * static_cast<int>(family.fields.size()) + 2, 1);
    fields->setColumnStretch(2, 1);
    middle->addLayout(fields, 1);
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
    connect(ok, &QPushButton::clicked, this, [this] { command(DialogButton::Ok); });
    connect(apply, &QPushButton::clicked, this, [this] { command(DialogButton::Apply); });
    connect(cancel, &QPushButton::clicked, this, [this] { command(DialogButton::Cancel); });

    form_.messageOwner = MessageOwner::of(this);
    form_.initialise();
    sliders_.reset();
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        showField(i);
        showRange(i);
        showSlider(i);
    }
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setChecked(form_.boxes[i]);
    showPlayButtons();

    animation_.setInterval(kAnimationIntervalMs);
    animation_.setSingleShot(true); // rearmed after each step, so that a slow step never piles up
    connect(&animation_, &QTimer::timeout, this, [this] { step(); });
}

void ParameterDialog::addSliderRow(std::size_t i, QGridLayout* grid, int row) {
    SliderRow r;
    const QString id = QString::number(cmd::FirstEdit + static_cast<int>(i));
    const QString name = fieldName(form_.family(), i);
    r.slider = new QSlider(Qt::Horizontal);
    r.slider->setObjectName("slider" + id);
    r.slider->setMinimumWidth(160);
    r.slider->setSingleStep(1);
    r.slider->setPageStep(kSliderPageTicks);
    r.slider->setFocusPolicy(Qt::StrongFocus);
    r.slider->setAccessibleName(name + " 滑块");
    r.from = new QLineEdit;
    r.from->setObjectName("from" + id);
    r.to = new QLineEdit;
    r.to->setObjectName("to" + id);
    for (QLineEdit* e : {r.from, r.to}) {
        e->setMaxLength(12);
        e->setFixedWidth(52);
    }
    r.from->setToolTip(name + " 的范围：起点");
    r.to->setToolTip(name + " 的范围：终点");
    r.play = new QToolButton;
    r.play->setObjectName("play" + id);
    r.play->setToolTip("让 " + name + " 在范围内来回变化");
    grid->addWidget(r.slider, row, 2);
    grid->addWidget(r.from, row, 3);
    grid->addWidget(new QLabel("至"), row, 4);
    grid->addWidget(r.to, row, 5);
    grid->addWidget(r.play, row, 6);

    // Programmatic changes are made with the signals blocked: only the user moves a slider.
    connect(r.slider, &QSlider::valueChanged, this, [this, i](int v) { sliderMoved(i, v); });
    connect(r.slider, &QSlider::sliderPressed, this, [this] { stopAnimation(); });
    connect(edits_[i], &QLineEdit::textEdited, this, [this, i] { fieldEdited(i); });
    connect(r.from, &QLineEdit::textEdited, this, [this, i] { rangeEdited(i); });
    connect(r.to, &QLineEdit::textEdited, this, [this, i] { rangeEdited(i); });
    connect(r.play, &QToolButton::clicked, this, [this, i] { playPressed(i); });
    rows_.push_back(r);
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

void ParameterDialog::showField(std::size_t i) {
    edits_[i]->setText(QString::fromStdString(cp936::toUtf8(form_.fieldTexts[i])));
    showFieldMessage(i);
}

void ParameterDialog::showFieldMessage(std::size_t i) {
    const std::string message = readFieldNumber(form_.fieldTexts[i]).message;
    fieldMessages_[i]->setText(QString::fromStdString(message));
    fieldMessages_[i]->setVisible(!message.empty());
}

void ParameterDialog::showRange(std::size_t i) {
    const SliderRange r = sliders_.range(i);
    rows_[i].from->setText(QString::fromStdString(formatNumber(r.from)));
    rows_[i].to->setText(QString::fromStdString(formatNumber(r.to)));
    rows_[i].rangeError.clear();
}

void ParameterDialog::showSlider(std::size_t i) {
    const QSignalBlocker quiet(rows_[i].slider);
    const SliderSpan s = sliders_.span(i);
    rows_[i].slider->setRange(s.min, s.max);
    rows_[i].slider->setValue(sliders_.position(i));
}

void ParameterDialog::showPlayButtons() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const bool running = sliders_.animated() == static_cast<int>(i);
        rows_[i].play->setText(running ? kStop : kPlay);
        rows_[i].play->setAccessibleName(fieldName(form_.family(), i) + (running ? " 停止" : " 播放"));
    }
}

void ParameterDialog::showRangeMessage() {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (!rows_[i].rangeError.empty()) {
            rangeMessage_->setText(fieldName(form_.family(), i) + " 的范围：" + QString::fromStdString(rows_[i].rangeError));
            rangeMessage_->show();
            return;
        }
    rangeMessage_->clear();
    rangeMessage_->hide();
}

// The user moved a slider: the value goes into the field and is applied as 应用 does.
void ParameterDialog::sliderMoved(std::size_t i, int position) {
    readWidgets();
    sliders_.move(i, position); // also ends an animation
    animation_.stop();
    showField(i);
    showPlayButtons();
}

// Typing moves the slider; nothing is applied until 应用 or 确定.
void ParameterDialog::fieldEdited(std::size_t i) {
    if (sliders_.animated() == static_cast<int>(i)) stopAnimation();
    form_.fieldTexts[i] = cp936::fromUtf8(edits_[i]->text().toStdString());
    showFieldMessage(i);
    if (sliders_.follow(i)) showRange(i);
    showSlider(i);
    showRangeMessage();
}

void ParameterDialog::rangeEdited(std::size_t i) {
    readWidgets();
    Problem problem;
    const std::string from = cp936::fromUtf8(rows_[i].from->text().toStdString());
    const std::string to = cp936::fromUtf8(rows_[i].to->text().toStdString());
    if (sliders_.setRange(i, from, to, problem)) {
        rows_[i].rangeError.clear();
        showSlider(i);
    } else {
        rows_[i].rangeError = problem.message; // the slider keeps its last good range
    }
    showRangeMessage();
}

void ParameterDialog::playPressed(std::size_t i) {
    if (sliders_.animated() == static_cast<int>(i)) {
        stopAnimation();
        return;
    }
    // From where the slider stands: a range narrowed below the field's value is kept.
    sliders_.start(i);
    showPlayButtons();
    animation_.start();
}

void ParameterDialog::step() {
    if (!sliders_.running()) return;
    const std::size_t i = static_cast<std::size_t>(sliders_.animated());
    readWidgets();
    sliders_.tick(); // a refusal shows its message (a nested loop) and stops the animation
    showField(i);
    showSlider(i);
    showPlayButtons();
    if (sliders_.running()) animation_.start();
}

void ParameterDialog::stopAnimation() {
    animation_.stop();
    sliders_.stop();
    showPlayButtons();
}

void ParameterDialog::command(DialogButton button) {
    switch (button) {
    case DialogButton::Apply:
        readWidgets();
        form_.apply();
        break;
    case DialogButton::Ok:
        readWidgets();
        if (form_.ok()) done(1);
        break;
    case DialogButton::Cancel:
        form_.cancel();
        done(2);
        break;
    }
}

void ParameterDialog::done(int result) {
    stopAnimation();
    QDialog::done(result);
}

void ParameterDialog::reject() { command(DialogButton::Cancel); }

} // namespace yhb
