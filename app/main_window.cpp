// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QUrl>

#include "app/about_box.h"
#include "app/copy_equation.h"
#include "app/dialog_guard.h"
#include "app/dialog_placement.h"
#include "app/full_screen.h"
#include "app/notation.h"
#include "app/panel_picture.h"
#include "app/picture_export.h"
#include "app/presentation_mode.h"
#include "app/trail_command.h"
#include "dialogs/expr_parser.h"
#include "gfx/cp936.h"
#include "gfx/qt/qt_surface.h"
#include "res/qt/accelerators.h"
#include "res/command_ids.h"
#include "res/qt/icons.h"
#include "res/strings.h"

namespace yhb {

// The main window's client: lays its children out whenever its size or the layout's inputs
// change, and draws the row labels on every paint.
class ClientArea : public QWidget {
public:
    explicit ClientArea(MainWindow& w) : QWidget(&w), window_(w) {
        setAutoFillBackground(false);
        setAttribute(Qt::WA_OpaquePaintEvent);
        // Keeps the client at least 400 x 300 instead of resizing the window after the fact.
        setMinimumSize(400, 300);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        p.setClipRegion(e->region()); // the panel's picture shows only what is exposed
        window_.layoutAndPaint(&p);
    }
    // The full-screen canvas hides this widget's paint, so the layout cannot wait for it.
    void resizeEvent(QResizeEvent*) override { window_.layoutAndPaint(nullptr); }
    // The canvas's paints, for layoutAndPaint.
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) window_.canvasShown_ = true;
        return false;
    }
    // A right-click on a row's label offers 复制方程.
    void mousePressEvent(QMouseEvent* e) override {
        const QPoint at = e->position().toPoint();
        if (e->button() == Qt::RightButton && openLabelMenu(window_, at, mapToGlobal(at))) e->accept();
        else e->ignore();
    }

private:
    MainWindow& window_;
};

namespace {

// Layout rectangles are magnified onto the widget in presentation mode.
void place(QWidget* w, const Rect& layoutRect, double magnification = 1.0) {
    const Rect r = magnified(layoutRect, magnification);
    const QRect g(r.x, r.y, r.width, r.height);
    if (w->geometry() != g) w->setGeometry(g);
}

} // namespace

MainWindow::MainWindow(Catalogue& catalogue, Notifier& notifier, std::function<void(Catalogue&)> openBank)
    : catalogue_(catalogue), notifier_(notifier), openBank_(std::move(openBank)), client_(new ClientArea(*this)),
      canvas_(new CanvasWidget(doc_, client_)), panel_(std::make_unique<PanelPicture>()) {
    setObjectName(utf8String(StringId::MainWindowClass));
    setWindowTitle(QString::fromStdString(appTitleUtf8()));
    setWindowIcon(appIcon());
    setCentralWidget(client_);
    canvas_->setGeometry(0, 0, 0, 0); // the first non-empty size comes from the layout and centres the origin
    canvas_->installEventFilter(client_);

    static const Picture pictures[3] = {Picture::ZoomIn, Picture::ZoomOut, Picture::Numbers};
    // The pictures alone do not say what they do.
    static const char* const tips[3] = {"放大", "缩小", "显示或隐藏坐标轴上的数字"};
    for (int k = 0; k < 3; ++k) {
        toolbar_[static_cast<std::size_t>(k)] = new PictureButton(utf8String(StringId::CreateButtonClass), pictures[k], nullptr, client_);
        toolbar_[static_cast<std::size_t>(k)]->setToolTip(QString::fromUtf8(tips[k]));
        toolbar_[static_cast<std::size_t>(k)]->onRelease = [this, k] { toolbarAction(k); };
        toolbar_[static_cast<std::size_t>(k)]->setGeometry(0, 0, 0, 0); // no flash before the first layout
    }
    for (int r = 0; r < kMaxSlots; ++r) {
        auto* m = new PictureButton(utf8String(StringId::ModifyButtonClass), Picture::Modify, &modifyPressed_, client_);
        auto* d = new PictureButton(utf8String(StringId::DeleteButtonClass), Picture::Delete, &deletePressed_, client_);
        m->setToolTip("修改这一行的函数");
        d->setToolTip("删除这一行的函数");
        m->onRelease = [this, r] { modifyRow(r); };
        d->onRelease = [this, r] { deleteRow(r); };
        m->setGeometry(0, 0, 0, 0);
        d->setGeometry(0, 0, 0, 0);
        modify_[static_cast<std::size_t>(r)] = m;
        delete_[static_cast<std::size_t>(r)] = d;
    }

    lessons_ = std::make_unique<LessonCommands>(*this, notifier_);
    buildMenus();
    installAccelerators(this, [this](Command c) { command(c); });
    fullScreenShow_ = new FullScreenShow(*this, [this] { return doc_.view.presentation; }, [this] { command(Command::Presentation); });
    placeOnScreen(*this);
}

MainWindow::~MainWindow() = default;

// Made when first needed, not at start-up: many lessons never open the bank.
QuestionWindow* MainWindow::questionWindow() {
    if (!questionWindow_) {
        loadBank();
        questionWindow_ = std::make_unique<QuestionWindow>(catalogue_, notifier_);
        // The main window's close box ends the program, whatever the question window shows.
        questionWindow_->setAttribute(Qt::WA_QuitOnClose, false);
        questionWindow_->onShowFigure = [this](const std::string& line) { showFigure(line); };
        questionWindow_->onHidden = [this] {
            activateWindow();
            setFocus();
        };
    }
    return questionWindow_.get();
}

QWidget* MainWindow::client() const { return client_; }

QAction* MainWindow::addCommand(QMenu* menu, int id, const QString& text) {
    QAction* a = menu->addAction(text);
    a->setData(id);
    connect(a, &QAction::triggered, this, [this, id] { command(id); });
    actions_.push_back(a);
    return a;
}

QAction* MainWindow::action(int id) const {
    for (QAction* a : actions_)
        if (a->data().toInt() == id) return a;
    return nullptr;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu("文件");
    addCommand(file, Command::NewLesson, "新建")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    addCommand(file, Command::OpenLesson, "打开课件...")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommand(file, Command::SaveLesson, "保存课件")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(file, Command::SaveLessonAs, "另存为...")->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    addCommand(file, Command::SavePicture, "保存图片...")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addCommand(file, Command::CopyPicture, "复制图片")->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    addCommand(file, Command::PrintCanvas, "打印...")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(file, Command::ExportPdf, "导出PDF...");
    file->addSeparator();
    addCommand(file, Command::Quit, "退出")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* add = bar->addMenu("添加新函数");
    for (FamilyGroup g : {FamilyGroup::Line, FamilyGroup::Trig, FamilyGroup::Conic, FamilyGroup::ExpLog}) {
        QMenu* popup = add->addMenu(QString::fromUtf8(groupCaption(g)));
        for (const FamilySpec& f : families())
            if (f.group == g) addCommand(popup, familyId(f.kind), QString::fromUtf8(f.menuCaption));
    }

    QMenu* axes = bar->addMenu("坐标设置");
    addCommand(axes, Command::ZoomIn, "放大")->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    addCommand(axes, Command::ZoomOut, "缩小")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    addCommand(axes, Command::FitView, "适合窗口")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    axes->addSeparator();
    // The accelerator table owns Ctrl+F; the item only shows it.
    addCommand(axes, Command::MainFullScreen, "全屏\tCtrl+F")->setCheckable(true);
    addCommand(axes, Command::FullScreenShow, "全屏演示")->setShortcut(QKeySequence(Qt::Key_F11));
    addCommand(axes, Command::PiAxis, "X轴用PI的值显示")->setCheckable(true);
    QAction* presentation = addCommand(axes, Command::Presentation, "演示模式");
    presentation->setCheckable(true);
    presentation->setShortcut(QKeySequence(Qt::Key_F5));
    addCommand(axes, Command::TextbookNotation, "教材记法")->setCheckable(true);
    addCommand(axes, Command::ClearTrails, "清除轨迹");

    QMenu* about = bar->addMenu("关于");
    addCommand(about, Command::About, "作者信息");
    addCommand(about, Command::BankInfo, "题库信息");
    about->addSeparator();
    addCommand(about, Command::MailAuthor, "写信给作者");

    bankMenu_ = bar->addMenu("※精选题库※");
    connect(bankMenu_, &QMenu::aboutToShow, this, &MainWindow::loadBank);
    if (!openBank_) fillBankMenu(); // else once the bank is read
}

// After the document was replaced from outside the dialogs: buttons, check marks, layout
// and canvas follow it.
void MainWindow::documentReplaced() {
    for (int r = doc_.table.slotCount; r < kMaxSlots; ++r) {
        modify_[static_cast<std::size_t>(r)]->hide();
        delete_[static_cast<std::size_t>(r)]->hide();
    }
    action(Command::MainFullScreen)->setChecked(doc_.view.fullScreen);
    action(Command::PiAxis)->setChecked(doc_.view.piAxis);
    action(Command::Presentation)->setChecked(doc_.view.presentation);
    showNotation(*action(Command::TextbookNotation), doc_.view);
    layoutAndPaint(nullptr);
    client_->update();
    canvas_->applyOrigin();
    lessons_->rowsChanged();
}

void MainWindow::showFigure(const std::string& figureLine) {
    // The open dialog edits one of the rows a figure would replace.
    if (familyDialogOpen_) {
        notifier_.message(appTitleUtf8(), "请先关闭正在编辑的函数对话框，再显示图形。");
        return;
    }
    if (!enterFigure(doc_, figureLine)) return; // the checker reports such lines
    documentReplaced();
    show();
    raise();
    activateWindow();
}

void MainWindow::command(int id) {
    if (id >= cmd::BankCategoryBase && id < cmd::BankCategoryBase + Catalogue::kMaxCategories) loadBank();
    if (id >= cmd::BankCategoryBase && id < cmd::BankCategoryBase + catalogue_.categoryCount()) {
        questionWindow()->openCategory(id - cmd::BankCategoryBase);
        return;
    }
    switch (static_cast<Command>(id)) {
    case Command::About:
        showAboutBox(this, runAboutBox);
        return;
    case Command::MainFullScreen:
        doc_.view.fullScreen = !doc_.view.fullScreen;
        action(Command::MainFullScreen)->setChecked(doc_.view.fullScreen);
        canvas_->repaintNow();
        layoutAndPaint(nullptr);
        client_->update();
        return;
    case Command::FullScreenShow:
        fullScreenShow_->toggle();
        return;
    case Command::ZoomIn:
    case Command::ZoomOut:
        canvas_->zoomAtPointer(id == commandId(Command::ZoomIn));
        return;
    case Command::FitView:
        canvas_->fitView();
        return;
    case Command::PiAxis:
        doc_.view.piAxis = !doc_.view.piAxis;
        action(Command::PiAxis)->setChecked(doc_.view.piAxis);
        canvas_->repaintNow();
        return;
    case Command::TextbookNotation:
        toggleTextbook(doc_.view);
        showNotation(*action(Command::TextbookNotation), doc_.view);
        canvas_->repaintNow();
        client_->update();
        return;
    case Command::Presentation:
        togglePresentation(doc_, *canvas_);
        action(Command::Presentation)->setChecked(doc_.view.presentation);
        showNotation(*action(Command::TextbookNotation), doc_.view);
        layoutAndPaint(nullptr);
        client_->update();
        return;
    case Command::ClearTrails:
        clearTrails(doc_, *canvas_, *lessons_);
        return;
    case Command::BankInfo:
        questionWindow()->command(Command::About);
        return;
    case Command::ReloadBank:
        reloadBank();
        return;
    case Command::MailAuthor:
        QDesktopServices::openUrl(QUrl(QString("mailto:") + kAuthorEmail));
        return;
    case Command::SavePicture:
        savePicture();
        return;
    case Command::CopyPicture:
        copyPicture();
        return;
    case Command::NewLesson:
        lessons_->newLesson();
        return;
    case Command::OpenLesson:
        lessons_->open();
        return;
    case Command::SaveLesson:
        lessons_->save();
        return;
    case Command::SaveLessonAs:
        lessons_->saveAs();
        return;
    case Command::PrintCanvas:
        lessons_->print();
        return;
    case Command::ExportPdf:
        lessons_->exportPdf();
        return;
    case Command::Quit:
        close(); // asks first, as the close box does
        return;
    default:
        if (beginNew(doc_, notifier_)) openFamilyDialog(familyOfId(id));
        return;
    }
}

// Rows no saved lesson holds are not lost without asking.
void MainWindow::closeEvent(QCloseEvent* e) {
    if (lessons_->mayDiscard())
        QMainWindow::closeEvent(e);
    else
        e->ignore();
}

void MainWindow::openFamilyDialog(Family kind) {
    if (const FamilySpec* family = findFamily(kind)) {
        ParameterDialog dialog(doc_, *family, notifier_, this);
        // Apply (and every slider step) shows the new label at once: the client's paint lays
        // the panel out and draws the canvas.
        dialog.form().repaintCanvas = [this] {
            if (client_->isVisible() && !doc_.view.fullScreen)
                showNewLabels();
            else
                canvas_->repaintNow();
            lessons_->rowsChanged();
        };
        const CanvasOnlyGuard guard(this, canvas_);
        struct Open {
            bool& flag;
            explicit Open(bool& f) : flag(f) { flag = true; }
            ~Open() { flag = false; }
        } open(familyDialogOpen_);
        placeBesideCanvas(dialog, *canvas_);
        if (runParameterDialog)
            runParameterDialog(dialog);
        else
            runOverCanvas(dialog);
    }
    client_->update();
    canvas_->repaintNow();
}

void MainWindow::modifyRow(int row) {
    beginModify(doc_, row);
    openFamilyDialog(doc_.table.slot(row).kind);
}

void MainWindow::deleteRow(int row) {
    if (row < 0 || row >= kMaxSlots) {
        notifier_.message(appTitleUtf8(), utf8String(StringId::DeleteFailed));
        return;
    }
    doc_.table.deleteSlot(row);
    for (int r = doc_.table.slotCount; r < kMaxSlots; ++r) {
        modify_[static_cast<std::size_t>(r)]->hide();
        delete_[static_cast<std::size_t>(r)]->hide();
    }
    client_->update();
    canvas_->repaintNow();
    lessons_->rowsChanged();
}

void MainWindow::toolbarAction(int index) {
    ViewSettings& v = doc_.view;
    if (index == 0 && v.pixelsPerUnit <= 80) v.pixelsPerUnit += 4;
    else if (index == 1 && v.pixelsPerUnit >= 6) v.pixelsPerUnit -= 4;
    else if (index == 2) v.showLabels = !v.showLabels;
    canvas_->repaintNow();
}

void MainWindow::layoutAndPaint(QPainter* painter) {
    const int w = client_->width(), h = client_->height();
    ExpressionTable& t = doc_.table;
    std::vector<int> counts;
    for (int r = 0; r < t.slotCount; ++r) counts.push_back(t.slot(r).labels.charCount());
    const double mag = layoutMagnification(doc_.view, w, h);
    const MainLayout l = computeLayout(static_cast<int>(w / mag), static_cast<int>(h / mag), doc_.view.fullScreen, counts);
    doc_.metrics.labelFontHeight = l.labelFontHeight;
    doc_.metrics.fractionFontHeight = l.labelFontHeight;
    labelBoxes_ = {};

    // Without a painter only the children are placed; the labels wait for the paint, and are
    // drawn again only when they or the layout changed.
    std::vector<int> redraw;
    std::unique_ptr<LabelPainter> labels;
    if (painter) {
        const int right = static_cast<int>(w / mag), bottom = static_cast<int>(h / mag);
        std::vector<Rect> bands; // a classic label stays within its row's band
        for (std::size_t r = 0; r < l.rows.size(); ++r)
            bands.push_back(magnified(Rect::fromEdges(l.canvas.right(), l.rows[r].label.y, right, r + 1 < l.rows.size() ? l.rows[r + 1].label.y : bottom), mag));
        const Rect column = magnified(Rect::fromEdges(l.canvas.right(), 0, right, bottom), mag);
        redraw = panel_->begin(doc_.view, t, *client_, palette().color(QPalette::Window), mag, column, bands, !doc_.view.textbookNotation());
        if (!redraw.empty()) labels = labelPainterFor(doc_.view, t, l, panel_->surface());
    }
    if (l.fullScreen) {
        for (PictureButton* b : toolbar_) b->hide();
        for (int r = 0; r < t.slotCount; ++r) {
            modify_[static_cast<std::size_t>(r)]->hide();
            delete_[static_cast<std::size_t>(r)]->hide();
        }
    } else {
        for (int k = 0; k < 3; ++k) {
            toolbar_[static_cast<std::size_t>(k)]->show();
            place(toolbar_[static_cast<std::size_t>(k)], l.toolbar[k], mag);
        }
        for (int r = 0; r < t.slotCount; ++r) {
            const MainLayout::Row& row = l.rows[static_cast<std::size_t>(r)];
            modify_[static_cast<std::size_t>(r)]->show();
            delete_[static_cast<std::size_t>(r)]->show();
            place(modify_[static_cast<std::size_t>(r)], row.modify, mag);
            place(delete_[static_cast<std::size_t>(r)], row.remove, mag);
            if (row.labelCharWidth > 0) doc_.metrics.labelCharWidth = row.labelCharWidth;
            if (row.drawLabel) labelBoxes_[static_cast<std::size_t>(r)] = magnified(row.label, mag);
            if (!row.drawLabel || std::find(redraw.begin(), redraw.end(), r) == redraw.end()) continue;
            labels->draw(panel_->surface(), t.slot(r), r, row);
        }
    }
    // In full screen the canvas fills the client exactly, whatever the magnified layout rounds.
    place(canvas_, l.fullScreen ? Rect{0, 0, w, h} : l.canvas, l.fullScreen ? 1.0 : mag);
    if (painter) panel_->paint(*painter);
    if (!sceneDrawn_ && painter && !grabbing_) {
        // The canvas is painted next in this same paint, where the paint covers it: asked for
        // once more it would be painted a second time, under X only after waiting for the first
        // to reach the screen. Asked for after all when this paint did not cover it.
        canvas_->setAttribute(Qt::WA_UpdatesDisabled, true);
        canvas_->repaintNow();
        canvas_->setAttribute(Qt::WA_UpdatesDisabled, false);
        canvasShown_ = false;
        QMetaObject::invokeMethod(this, [this] { if (!canvasShown_) canvas_->update(); }, Qt::QueuedConnection);
    } else if (!sceneDrawn_) {
        canvas_->repaintNow();
    }
}

// A slider step or 应用: the scene drawn once, and at once only the labels that changed
// painted, not the canvas a second time.
void MainWindow::showNewLabels() {
    canvas_->repaintNow();
    sceneDrawn_ = true;
    const Rect r = panel_->changedArea(doc_.table);
    if (r.width > 0 && r.height > 0) client_->repaint(QRect(r.x, r.y, r.width, r.height));
    sceneDrawn_ = false;
}

void MainWindow::resizeClient(int w, int h) {
    show();
    QApplication::processEvents();
    resize(size() - client_->size() + QSize(w, h));
    QApplication::processEvents();
    renderClient();
}

QImage MainWindow::renderClient() {
    grabbing_ = true; // the canvas on the screen is not painted by this
    QImage shot = client_->grab().toImage();
    grabbing_ = false;
    return shot;
}

void MainWindow::savePicture() {
    const QString path = QFileDialog::getSaveFileName(this, "保存图片", "canvas.png", "PNG (*.png);;SVG (*.svg)");
    if (!path.isEmpty()) saveCanvasPicture(doc_, canvas_->image(), path, notifier_);
}

void MainWindow::copyPicture() { QApplication::clipboard()->setImage(canvas_->image()); }

} // namespace yhb
