// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/qt/question_window.h"

#include <algorithm>
#include <cmath>

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "bank/qt/jump_dialog.h"
#include "bank/qt/question_picture.h"
#include "bank/qt/worksheet_dialog.h"
#include "res/qt/accelerators.h"
#include "res/command_ids.h"
#include "res/qt/icons.h"
#include "res/strings.h"

namespace yhb {

// The client area left of the scroll bar.
class QuestionView : public QWidget {
public:
    explicit QuestionView(QuestionWindow& w) : QWidget(&w), window_(w) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(1, 1);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, window_.render());
    }
    void resizeEvent(QResizeEvent*) override {
        window_.navigator().resize(width(), height());
        window_.updateScrollRange();
    }
    // A notch (120) scrolls three units; finer wheels and touch pads add up to them.
    void wheelEvent(QWheelEvent* e) override {
        wheelDelta_ += e->angleDelta().y();
        const int steps = wheelDelta_ / 40;
        wheelDelta_ -= steps * 40;
        if (steps) window_.scroll_->setValue(window_.scroll_->value() - steps);
    }

private:
    QuestionWindow& window_;
    int wheelDelta_ = 0;
};

QuestionWindow::QuestionWindow(Catalogue& catalogue, Notifier& notifier)
    : QWidget(nullptr), catalogue_(catalogue), notifier_(notifier), navigator_(catalogue),
      view_(new QuestionView(*this)), scroll_(new QScrollBar(Qt::Vertical)) {
    setObjectName(utf8String(StringId::QuestionWindowClass));
    setWindowIcon(appIcon());
    setWindowTitle(QString::fromStdString(navigator_.caption()));
    resize(760, 560);

    auto* bar = new QMenuBar;
    auto add = [this](QMenu* menu, QMenuBar* top, Command c, const char* text) {
        const int id = commandId(c);
        QAction* a = menu ? menu->addAction(QString::fromUtf8(text)) : top->addAction(QString::fromUtf8(text));
        a->setData(id);
        connect(a, &QAction::triggered, this, [this, id] { command(id); });
        actions_.push_back(a);
    };
    QMenu* file = bar->addMenu("文件");
    add(file, bar, Command::OpenQuestionFile, "打开题目文件...");
    add(file, bar, Command::RereadQuestion, "重新读取题目\tF5");
    add(file, bar, Command::SaveQuestionPicture, "保存题目图片...");
    add(file, bar, Command::MakeWorksheet, "生成试卷...");
    // Items on the bar show their keys in the text, as 文件's items do; "(R)" is also Alt+R.
    add(nullptr, bar, Command::RandomQuestion, "随机选题(&R)");
    add(nullptr, bar, Command::JumpQuestion, "跳题");
    add(nullptr, bar, Command::FirstQuestion, "第一题");
    add(nullptr, bar, Command::PrevQuestion, "上一题");
    add(nullptr, bar, Command::NextQuestion, "下一题");
    add(nullptr, bar, Command::LastQuestion, "最后一题");
    add(nullptr, bar, Command::QuestionAnswer, "解答与分析(Ctrl+F)");
    add(nullptr, bar, Command::ShowFigure, "显示图形(&G)");
    QMenu* font = bar->addMenu("字体");
    add(font, bar, Command::FontLarger, "放大\tCtrl++");
    add(font, bar, Command::FontSmaller, "缩小\tCtrl+-");
    add(font, bar, Command::QuestionTextbook, "教材记法");
    action(Command::QuestionTextbook)->setCheckable(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(bar);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(view_, 1);
    row->addWidget(scroll_);
    layout->addLayout(row);
    scroll_->setSingleStep(1);
    connect(scroll_, &QScrollBar::valueChanged, view_, [this] { view_->update(); });

    installAccelerators(this, [this](Command c) { command(c); });
    // For presenting: a clicker sends PageUp / PageDown.
    const struct {
        QKeySequence key;
        Command id;
    } keys[] = {{Qt::Key_PageDown, Command::NextQuestion}, {Qt::Key_Right, Command::NextQuestion},
                {Qt::Key_Space, Command::NextQuestion},    {Qt::Key_PageUp, Command::PrevQuestion},
                {Qt::Key_Left, Command::PrevQuestion},     {Qt::Key_Home, Command::FirstQuestion},
                {Qt::Key_End, Command::LastQuestion},      {Qt::Key_F5, Command::RereadQuestion},
                {Qt::Key_G, Command::ShowFigure},          {Qt::Key_R, Command::RandomQuestion},
                // Ctrl+= is Ctrl++ without Shift on most keyboards.
                {Qt::CTRL | Qt::Key_Plus, Command::FontLarger}, {Qt::CTRL | Qt::Key_Equal, Command::FontLarger},
                {Qt::CTRL | Qt::Key_Minus, Command::FontSmaller}};
    for (const auto& k : keys) {
        auto* shortcut = new QShortcut(k.key, this);
        const Command id = k.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { command(id); });
    }
    // A long answer is read line by line.
    auto* up = new QShortcut(Qt::Key_Up, this);
    connect(up, &QShortcut::activated, this, [this] { scroll_->triggerAction(QAbstractSlider::SliderSingleStepSub); });
    auto* down = new QShortcut(Qt::Key_Down, this);
    connect(down, &QShortcut::activated, this, [this] { scroll_->triggerAction(QAbstractSlider::SliderSingleStepAdd); });
    updateMenu();
}

QAction* QuestionWindow::action(int id) const {
    for (QAction* a : actions_)
        if (a->data().toInt() == id) return a;
    return nullptr;
}

void QuestionWindow::command(int id) {
    if (id >= cmd::BankCategoryBase && id < cmd::BankCategoryBase + catalogue_.categoryCount()) {
        openCategory(id - cmd::BankCategoryBase);
        return;
    }
    const auto command = static_cast<Command>(id);
    switch (command) {
    case Command::About:
        notifier_.message(appTitleUtf8(), navigator_.bankInformation(), MessageOwner::none());
        return;
    case Command::JumpQuestion: {
        if (!catalogue_.current() && !preview_) return;
        JumpDialog dialog(navigator(), notifier_, this);
        if (dialog.exec() == 1) navigated();
        return;
    }
    case Command::SaveQuestionPicture:
        savePicture();
        return;
    case Command::MakeWorksheet:
        WorksheetDialog::run(catalogue_, notifier_, this);
        return;
    case Command::OpenQuestionFile:
        chooseQuestionFile();
        return;
    case Command::RereadQuestion:
        reread();
        return;
    case Command::ShowFigure: {
        const BankCategory* c = shownCategory();
        if (c && !c->figures.empty() && onShowFigure) onShowFigure(c->figures.front());
        return;
    }
    case Command::QuestionTextbook:
        typeset_.setOn(!typeset_.on());
        action(Command::QuestionTextbook)->setChecked(typeset_.on());
        refresh();
        return;
    case Command::QuestionAnswer:
    case Command::FontLarger:
    case Command::FontSmaller:
        if (navigator().command(command)) refresh();
        return;
    default:
        if (navigator().command(command)) navigated();
        return;
    }
}

// A new question starts at its top.
void QuestionWindow::navigated() {
    scroll_->setValue(0);
    refresh();
}

const BankCategory* QuestionWindow::shownCategory() const {
    return preview_ ? preview_->catalogue.current() : catalogue_.current();
}

void QuestionWindow::openQuestionFile(const std::string& path) {
    auto p = std::make_unique<Preview>();
    p->catalogue.categories.push_back(newCategory(categoryNameForFile(path), -1, 0));
    addQuestion(*p->catalogue.categories.back(), path);
    p->navigator = std::make_unique<QuestionNavigator>(p->catalogue);
    p->navigator->cellWidth = navigator().cellWidth;
    p->navigator->cellHeight = navigator().cellHeight;
    p->navigator->resize(view_->width(), view_->height());
    preview_ = std::move(p);
    reload();
    scroll_->setValue(0);
    show();
    raise();
    activateWindow();
}

void QuestionWindow::chooseQuestionFile() {
    const QString path = QFileDialog::getOpenFileName(this, "打开题目文件", QString(), "题目文件 (*.txt);;所有文件 (*)");
    if (!path.isEmpty()) openQuestionFile(path.toStdString());
}

void QuestionWindow::bankReloaded(const std::string& topLevelName, const std::string& categoryName,
                                  const std::string& questionPath) {
    catalogue_.currentCategory = 0;
    for (int i = 0; i < catalogue_.categoryCount(); ++i) {
        const BankCategory* c = catalogue_.category(i);
        if (c->name == categoryName && catalogue_.topLevelName(*c) == topLevelName) catalogue_.currentCategory = i;
    }
    BankCategory* c = catalogue_.current();
    if (!c) return;
    const auto& paths = c->questionPaths;
    const auto at = std::find(paths.begin(), paths.end(), questionPath);
    const bool same = at != paths.end() && !questionPath.empty();
    if (same) c->currentQuestion = static_cast<int>(at - paths.begin());
    if (isVisible() && !preview_) {
        if (same) {
            reread();
        } else {
            navigator_.reload();
            navigated();
        }
    }
}

void QuestionWindow::openCategory(int index) {
    if (!navigator_.selectCategory(index)) return;
    if (preview_) {
        navigator_.cellWidth = preview_->navigator->cellWidth;
        navigator_.cellHeight = preview_->navigator->cellHeight;
        preview_.reset();
        navigator_.resize(view_->width(), view_->height());
    }
    scroll_->setValue(0);
    refresh();
    show();
    raise();
    activateWindow();
    setFocus();
}

void QuestionWindow::reload() {
    navigator().reload();
    refresh();
}

// The same question read again, as its author just saved it: a shown answer stays shown and the
// place in it is kept as far as the question still reaches.
void QuestionWindow::reread() {
    const bool answer = navigator().answerShown;
    const int place = scroll_->value();
    navigator().reload();
    if (answer) {
        navigator().answerShown = true;
        navigator().remeasure();
    }
    refresh();
    scroll_->setValue(place);
}

// After the navigator has read a question: the menu, the scroll range and the picture.
void QuestionWindow::refresh() {
    updateMenu();
    updateScrollRange();
    view_->update();
}

// The navigator measures whenever the content or the size changes; the scroll bar follows.
void QuestionWindow::updateScrollRange() {
    const int page = navigator().scrollPage();
    typeset_.layout(shownCategory(), navigator(), view_->width());
    const int maximum = typeset_.ready() ? typeset_.contentHeight() / QuestionNavigator::kScrollUnit : navigator().scrollMaximum();
    scroll_->setPageStep(page > 0 ? page : 1);
    // A position runs up to max - page + 1, as a proportional scroll bar allows.
    scroll_->setRange(0, std::max(0, maximum - page + 1));
}

void QuestionWindow::updateMenu() {
    const BankCategory* shown = shownCategory();
    action(Command::ShowFigure)->setEnabled(shown && !shown->figures.empty());
    const QuestionNavigator::MenuState m = navigator().menuState();
    action(Command::FirstQuestion)->setEnabled(m.firstAndPrevious);
    action(Command::PrevQuestion)->setEnabled(m.firstAndPrevious);
    action(Command::LastQuestion)->setEnabled(m.nextAndLast);
    action(Command::NextQuestion)->setEnabled(m.nextAndLast);
}

// At the screen's device pixel ratio, so that text is rendered at the device's resolution.
QImage QuestionWindow::render() const {
    const double dpr = view_->devicePixelRatioF();
    if (typeset_.ready())
        return typeset_.render(*shownCategory(), view_->width(), view_->height(), dpr,
                               scroll_->value() * QuestionNavigator::kScrollUnit);
    QImage image(std::max(1, static_cast<int>(std::lround(view_->width() * dpr))),
                 std::max(1, static_cast<int>(std::lround(view_->height() * dpr))), QImage::Format_RGB32);
    image.fill(Qt::white);
    QtSurface s(&image, normalStyle(dpr));
    navigator_.paint(s, scroll_->value());
    image.setDevicePixelRatio(dpr);
    return image;
}

QImage QuestionWindow::renderWhole() const {
    if (typeset_.ready()) {
        const int width = std::max(view_->width(), 1);
        QImage image(width, std::max(typeset_.contentHeight(), 1), QImage::Format_RGB32);
        typeset_.paintBand(image, *shownCategory(), width, 1.0, 0);
        return image;
    }
    // Measured at the window's width, drawn at the full height of what is shown.
    QuestionNavigator& nav = const_cast<QuestionWindow*>(this)->navigator();
    const int width = std::max(view_->width(), 1), height = nav.clientHeight;
    nav.resize(width, std::max(height, 1));
    const int whole = std::max(nav.contentHeight, 1);
    nav.resize(width, whole);
    QImage image(width, whole, QImage::Format_RGB32);
    image.fill(Qt::white);
    QtSurface s(&image);
    nav.paint(s, 0);
    nav.resize(width, height);
    return image;
}

void QuestionWindow::savePicture() {
    const QString path =
        askPicturePath ? askPicturePath() : QFileDialog::getSaveFileName(this, "保存题目图片", "question.png", "PNG (*.png)");
    if (path.isEmpty()) return;
    if (typeset_.ready())
        saveTypesetPicture(typeset_, *shownCategory(), std::max(view_->width(), 1), 1.0, QFile::encodeName(path).toStdString(),
                           notifier_, MessageOwner::of(static_cast<QWidget*>(this)));
    else
        saveQuestionPicture(navigator(), std::max(view_->width(), 1), 1.0, QFile::encodeName(path).toStdString(), notifier_,
                            MessageOwner::of(static_cast<QWidget*>(this)));
}

void QuestionWindow::closeEvent(QCloseEvent* e) {
    e->ignore();
    hide();
    if (onHidden) onHidden();
}

} // namespace yhb
