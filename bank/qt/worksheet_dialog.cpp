// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/qt/worksheet_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSet>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "bank/qt/worksheet_writer.h"
#include "io/saving.h"
#include "res/strings.h"

namespace yhb {
namespace {


constexpr int kPathRole = Qt::UserRole;

// Sizes as Chinese teachers name them.
const struct {
    const char* name;
    double points;
} kFontSizes[] = {{"五号（10.5 磅）", 10.5}, {"小四（12 磅）", 12}, {"四号（14 磅）", 14},
                  {"小三（15 磅）", 15},     {"三号（16 磅）", 16}, {"小二（18 磅）", 18}};

// Small enough to note down and type again.
int freshSeed() { return static_cast<int>(QRandomGenerator::global()->bounded(1, 1000000)); }

} // namespace

WorksheetDialog::WorksheetDialog(const Catalogue& catalogue, Notifier& notifier, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), notifier_(notifier), categories_(new QListWidget),
      questions_(new QListWidget), modes_(new QButtonGroup(this)), count_(new QSpinBox), seed_(new QSpinBox),
      newSeed_(new QPushButton("换一个")), title_(new QLineEdit), answers_(new QCheckBox("参考答案附在卷末（另起一页）")),
      font_(new QComboBox), layout_(new QComboBox), edition_(new QComboBox), subtitle_(new QLineEdit),
      chosen_(new QListWidget), summary_(new QLabel), pdf_(new QPushButton("生成 PDF...")), print_(new QPushButton("打印...")) {
    setObjectName("worksheetDialog");
    setWindowTitle("生成试卷");
    setWindowModality(Qt::WindowModal);

    for (int i = 0; i < catalogue_.categoryCount(); ++i) {
        const BankCategory* c = catalogue_.category(i);
        auto* item = new QListWidgetItem(
            QString("%1（%2 题）").arg(QString::fromStdString(c->name)).arg(c->questionCount()), categories_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(i == catalogue_.currentCategory ? Qt::Checked : Qt::Unchecked);
    }
    if (categories_->count() > 0) categories_->scrollToItem(categories_->item(std::max(0, catalogue_.currentCategory)));
    auto* categoryBox = new QGroupBox("分类（可选多个）");
    (new QVBoxLayout(categoryBox))->addWidget(categories_);

    auto* pickBox = new QGroupBox("选题");
    auto* grid = new QGridLayout(pickBox);
    const char* modeNames[] = {"全部题目", "前 N 题", "随机抽取 N 题", "逐题勾选"};
    for (int m = All; m <= Ticked; ++m) {
        auto* b = new QRadioButton(modeNames[m]);
        modes_->addButton(b, m);
        grid->addWidget(b, m, 0);
    }
    modes_->button(All)->setChecked(true);
    count_->setRange(1, 1);
    count_->setPrefix("N = ");
    grid->addWidget(count_, First, 1);
    seed_->setRange(0, 2147483647);
    seed_->setValue(freshSeed());
    seed_->setPrefix("种子 ");
    seed_->setToolTip("同一种子抽出同样的题目：记下它，就能再做出同一份试卷");
    grid->addWidget(seed_, Random, 1);
    grid->addWidget(newSeed_, Random, 2);
    grid->addWidget(questions_, Ticked + 1, 0, 1, 3);
    questions_->setMinimumHeight(160);

    for (const auto& f : kFontSizes) font_->addItem(f.name, f.points);
    font_->setCurrentIndex(0);
    layout_->addItem("A4 纵向，单栏", static_cast<int>(SheetLayout::A4));
    layout_->addItem("A3 横向，双栏（8 开）", static_cast<int>(SheetLayout::A3));
    edition_->addItem("学生版（留答题空间）", static_cast<int>(SheetEdition::Student));
    edition_->addItem("教师版（答案紧随各题）", static_cast<int>(SheetEdition::Teacher));
    subtitle_->setPlaceholderText("留空：按分值写满分与考试时间");
    auto* form = new QFormLayout;
    form->addRow("标题：", title_);
    form->addRow("副标题：", subtitle_);
    form->addRow("纸张：", layout_);
    form->addRow("版本：", edition_);
    form->addRow("字号：", font_);
    form->addRow(answers_);
    auto* chosenBox = new QGroupBox("试卷上的题目（按题型分节编号）");
    (new QVBoxLayout(chosenBox))->addWidget(chosen_);
    chosen_->setMinimumHeight(120);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(pdf_, QDialogButtonBox::ActionRole);
    buttons->addButton(print_, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton("关闭", QDialogButtonBox::RejectRole);
    pdf_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(categoryBox, 2);
    top->addWidget(pickBox, 3);
    layout->addLayout(top);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(form, 2);
    bottom->addWidget(chosenBox, 3);
    layout->addLayout(bottom);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    resize(860, 680);

    askPdfPath = [this] {
        return QFileDialog::getSaveFileName(this, "生成试卷", title_->text().trimmed() + ".pdf", "PDF 文件 (*.pdf)");
    };
    askPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };

    connect(categories_, &QListWidget::itemChanged, this, [this] { categoriesChanged(); });
    connect(questions_, &QListWidget::itemChanged, this, [this] { update(); });
    connect(modes_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) update();
    });
    connect(count_, &QSpinBox::valueChanged, this, [this] { update(); });
    connect(seed_, &QSpinBox::valueChanged, this, [this] { update(); });
    connect(newSeed_, &QPushButton::clicked, this, [this] { seed_->setValue(freshSeed()); });
    connect(title_, &QLineEdit::textEdited, this, [this] { titleEdited_ = true; });
    connect(pdf_, &QPushButton::clicked, this, [this] { writePdf(); });
    connect(print_, &QPushButton::clicked, this, [this] { printSheet(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    categoriesChanged();
    count_->setValue(10); // held to what the categories have
}

void WorksheetDialog::run(const Catalogue& catalogue, Notifier& notifier, QWidget* parent) {
    WorksheetDialog dialog(catalogue, notifier, parent);
    dialog.exec();
}

QRadioButton* WorksheetDialog::modeButton(Mode m) const { return static_cast<QRadioButton*>(modes_->button(m)); }

std::vector<int> WorksheetDialog::tickedCategories() const {
    std::vector<int> out;
    for (int i = 0; i < categories_->count(); ++i)
        if (categories_->item(i)->checkState() == Qt::Checked) out.push_back(i);
    return out;
}

// The question list follows the categories; a question ticked before stays ticked.
void WorksheetDialog::categoriesChanged() {
    const std::vector<int> ticked = tickedCategories();
    candidates_ = sheetCandidates(catalogue_, ticked);
    QSet<QByteArray> kept;
    for (int i = 0; i < questions_->count(); ++i)
        if (questions_->item(i)->checkState() == Qt::Checked) kept.insert(questions_->item(i)->data(kPathRole).toByteArray());
    const QSignalBlocker block(questions_);
    questions_->clear();
    for (std::size_t i = 0; i < candidates_.size(); ++i) {
        const QByteArray path = QByteArray::fromStdString(candidates_[i]);
        auto* item = new QListWidgetItem(QString("%1. %2").arg(i + 1).arg(QString::fromStdString(questionFirstLine(candidates_[i]))), questions_);
        item->setData(kPathRole, path);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(kept.contains(path) ? Qt::Checked : Qt::Unchecked);
    }
    {
        const QSignalBlocker blockCount(count_);
        count_->setRange(1, std::max<int>(1, static_cast<int>(candidates_.size())));
    }
    if (!titleEdited_) {
        std::vector<std::string> names;
        for (int i : ticked) names.push_back(catalogue_.category(i)->name);
        const QDate d = QDate::currentDate();
        title_->setText(QString::fromStdString(defaultSheetTitle(names, d.year(), d.month(), d.day())));
    }
    update();
}

void WorksheetDialog::update() {
    const int mode = modes_->checkedId();
    count_->setEnabled(mode == First || mode == Random);
    seed_->setEnabled(mode == Random);
    newSeed_->setEnabled(mode == Random);
    questions_->setEnabled(mode == Ticked);
    std::vector<std::string> paths;
    Problem problem;
    const bool ok = chosenPaths(paths, problem);
    showChosen(ok ? paths : std::vector<std::string>{});
    summary_->setText(ok ? QString("可选 %1 道题，试卷将有 %2 道题，共 %3 分。").arg(candidates_.size()).arg(paths.size()).arg(chosenPoints_)
                         : QString::fromStdString(problem.message));
    pdf_->setEnabled(ok);
    print_->setEnabled(ok);
}

bool WorksheetDialog::chosenPaths(std::vector<std::string>& paths, Problem& problem) const {
    if (tickedCategories().empty()) {
        problem = problemAt(0, "请至少选择一个分类。");
        return false;
    }
    const int mode = modes_->checkedId();
    if (mode == Ticked) {
        paths.clear();
        for (int i = 0; i < questions_->count(); ++i)
            if (questions_->item(i)->checkState() == Qt::Checked)
                paths.push_back(questions_->item(i)->data(kPathRole).toByteArray().toStdString());
        if (paths.empty()) {
            problem = problemAt(0, "请在列表中勾选要出的题目。");
            return false;
        }
        return true;
    }
    const SheetPick pick = mode == First ? SheetPick::First : mode == Random ? SheetPick::Random : SheetPick::All;
    return pickSheetQuestions(candidates_, pick, count_->value(), static_cast<std::uint32_t>(seed_->value()), paths, problem);
}

// What will be on the sheet, numbered as the sheet numbers it, before anything is written.
void WorksheetDialog::showChosen(const std::vector<std::string>& paths) {
    std::vector<QuestionPreview> previews;
    for (const std::string& p : paths) previews.push_back(questionPreview(p, 50));
    chosen_->clear();
    chosenPoints_ = 0;
    int number = 0;
    for (std::size_t i : sheetOrder(previews)) {
        const QuestionPreview& q = previews[i];
        chosenPoints_ += q.points;
        chosen_->addItem(QString("%1. [%2 %3 分] %4")
                             .arg(++number)
                             .arg(QString::fromUtf8(questionTypeName(q.type)))
                             .arg(q.points)
                             .arg(q.readable ? QString::fromStdString(q.firstLine) : QString("（无法读取）")));
    }
}

SheetStyle WorksheetDialog::style() const {
    SheetStyle style;
    style.title = title_->text().trimmed().toStdString();
    style.answers = answers_->isChecked();
    style.points = font_->currentData().toDouble();
    style.layout = static_cast<SheetLayout>(layout_->currentData().toInt());
    style.edition = static_cast<SheetEdition>(edition_->currentData().toInt());
    style.ownSubtitle = !subtitle_->text().trimmed().isEmpty();
    style.subtitle = subtitle_->text().trimmed().toStdString();
    return style;
}

bool WorksheetDialog::makeSheet(Worksheet& sheet, Problem& problem) const {
    std::vector<std::string> paths;
    if (!chosenPaths(paths, problem)) return false;
    return sheet.load(paths, problem) && layoutSheet(sheet, style(), problem);
}

bool WorksheetDialog::sheetOrMessage(Worksheet& sheet) {
    Problem problem;
    if (makeSheet(sheet, problem)) return true;
    notifier_.message(appTitleUtf8(), problem.message, MessageOwner::of(static_cast<QWidget*>(this)));
    return false;
}

void WorksheetDialog::writePdf() {
    Worksheet sheet;
    if (!sheetOrMessage(sheet)) return;
    const QString path = askPdfPath();
    if (path.isEmpty()) return;
    const QByteArray pdf = worksheetPdf(sheet);
    if (saveAsking(notifier_, MessageOwner::of(static_cast<QWidget*>(this)), QFile::encodeName(path).toStdString(),
                   std::string_view(pdf.constData(), pdf.size())))
        accept();
}

void WorksheetDialog::printSheet() {
    Worksheet sheet;
    if (!sheetOrMessage(sheet)) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!askPrinter(printer)) return;
    if (!printWorksheet(printer, sheet)) {
        notifier_.message(appTitleUtf8(), "无法开始打印，请检查打印机。", MessageOwner::of(static_cast<QWidget*>(this)));
        return;
    }
    accept();
}

} // namespace yhb
