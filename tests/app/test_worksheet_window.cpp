// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include "../bank/bank_helpers.h"
#include "../cli/pdf_helpers.h"
#include "bank/qt/question_window.h"
#include "bank/qt/worksheet_dialog.h"
#include "gfx/cp936.h"
#include "res/command_ids.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// A click on a list item's check box, where the user clicks.
void clickCheck(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualItemRect(item);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    const Qt::CheckState before = item->checkState();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_NE(item->checkState(), before) << "the click missed row " << row;
}

// On the indicator, which a check box or radio button as wide as its row has at its left.
void clickBox(QAbstractButton* b) {
    const bool before = b->isChecked();
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->height() / 2, b->height() / 2));
    EXPECT_TRUE(b->isChecked() != before || b->autoExclusive()) << b->text().toStdString();
}

// Digits are typed; Chinese comes as an input method commits it.
void typeInto(QWidget* w, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(w)) line->selectAll();
    if (auto* spin = qobject_cast<QSpinBox*>(w)) spin->selectAll();
    if (text.toLatin1() == text.toUtf8()) {
        QTest::keyClicks(w, text);
        return;
    }
    w->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(w, &commit);
}

std::vector<std::string> checkedRows(const QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) out.push_back(list->item(i)->text().toStdString());
    return out;
}

} // namespace

// Through the question window's menu, as a teacher does it; then the tool with the same choice.
TEST(WorksheetWindow, TheWindowAndTheToolMakeTheSamePdf) {
    App app;
    QuestionWindow* q = app.window->questionWindow();
    const int ellipse = categoryNamed(app.catalogue, "椭圆"), hyperbola = categoryNamed(app.catalogue, "双曲线");
    app.window->command(cmd::BankCategoryBase + ellipse);
    ASSERT_TRUE(q->isVisible());
    TempDir d;
    const std::string fromWindow = d / "window.pdf";
    bool driven = false;
    QTimer::singleShot(0, q, [&] {
        auto* dialog = qobject_cast<WorksheetDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "生成试卷 opened no dialog";
        EXPECT_EQ(dialog->windowTitle(), "生成试卷");
        EXPECT_EQ(checkedRows(dialog->categoryList()).size(), 1u);
        EXPECT_EQ(dialog->categoryList()->item(ellipse)->checkState(), Qt::Checked) << "the current category";
        clickCheck(dialog->categoryList(), hyperbola);
        clickBox(dialog->modeButton(WorksheetDialog::Random));
        EXPECT_TRUE(dialog->modeButton(WorksheetDialog::Random)->isChecked());
        typeInto(dialog->countBox(), "4");
        typeInto(dialog->seedBox(), "12345");
        typeInto(dialog->titleEdit(), "圆锥曲线小测");
        typeInto(dialog->subtitleEdit(), "限时四十分钟");
        clickBox(dialog->answersBox());
        EXPECT_EQ(dialog->fontBox()->currentData().toDouble(), 10.5) << "五号 unless chosen";
        dialog->fontBox()->setFocus();
        QTest::keyClick(dialog->fontBox(), Qt::Key_Down);
        QTest::keyClick(dialog->fontBox(), Qt::Key_Down); // 五号 → 小四 → 四号
        EXPECT_EQ(dialog->fontBox()->currentData().toDouble(), 14.0);
        dialog->layoutBox()->setFocus();
        QTest::keyClick(dialog->layoutBox(), Qt::Key_Down); // A3 in two columns
        dialog->editionBox()->setFocus();
        QTest::keyClick(dialog->editionBox(), Qt::Key_Down); // 教师版
        // The chosen questions as the sheet will number them, section by section, before
        // anything is written; the summary adds up their points.
        ASSERT_EQ(dialog->chosenList()->count(), 4);
        const QStringList sections{"选择题", "填空题", "解答题"};
        int points = 0, section = 0;
        for (int i = 0; i < 4; ++i) {
            const QString item = dialog->chosenList()->item(i)->text();
            const QRegularExpressionMatch m = QRegularExpression(QString("^%1\\. \\[(\\S+) (\\d+) 分\\] ").arg(i + 1)).match(item);
            ASSERT_TRUE(m.hasMatch()) << item.toStdString();
            const int at = sections.indexOf(m.captured(1));
            EXPECT_GE(at, section) << "sections in order: " << item.toStdString();
            section = std::max(section, at);
            points += m.captured(2).toInt();
        }
        const int offered = app.catalogue.category(ellipse)->questionCount() + app.catalogue.category(hyperbola)->questionCount();
        EXPECT_EQ(dialog->summary()->text(), QString("可选 %1 道题，试卷将有 4 道题，共 %2 分。").arg(offered).arg(points));
        dialog->askPdfPath = [&] { return QString::fromStdString(fromWindow); };
        QTest::mouseClick(dialog->pdfButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible()) << "the dialog closes once the sheet is written";
        if (dialog->isVisible()) dialog->reject();
        driven = true;
    });
    q->action(Command::MakeWorksheet)->trigger();
    ASSERT_TRUE(driven);
    EXPECT_TRUE(app.notifier.messages.empty());
    ASSERT_TRUE(std::filesystem::exists(fromWindow));

    const std::string fromTool = d / "tool.pdf";
    nextSecond();
    const ToolRun r = cli("worksheet " + bundledBank() + " --category " + std::to_string(ellipse) + " --category " +
                      std::to_string(hyperbola) + " --count 4 --seed 12345 --answers --title 圆锥曲线小测 --font-size 14 "
                      "--layout a3 --edition teacher --subtitle 限时四十分钟 -o " + fromTool);
    ASSERT_EQ(r.status, 0) << r.err;
    // Byte for byte, though made at different moments.
    const std::string window = slurp(fromWindow), tool = slurp(fromTool);
    EXPECT_EQ(window.size(), tool.size());
    EXPECT_TRUE(window == tool) << "the window's and the tool's PDFs differ";
    const std::string text = pdfText(fromWindow);
    EXPECT_EQ(text.rfind("圆锥曲线小测限时四十分钟班级", 0), 0u) << text;
    EXPECT_NE(run("pdfinfo " + fromWindow).out.find("(A3)"), std::string::npos);
    EXPECT_NE(text.find("参考答案"), std::string::npos);
    EXPECT_EQ(q->navigator().randState, 1u) << "the question window's random sequence was used";
}

TEST(WorksheetWindow, TickingQuestionsAndCategories) {
    App app;
    const int ellipse = categoryNamed(app.catalogue, "椭圆"), parabola = categoryNamed(app.catalogue, "抛物线");
    app.catalogue.currentCategory = ellipse;
    QuestionWindow* q = app.window->questionWindow();
    WorksheetDialog dialog(app.catalogue, app.notifier, q);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QDate today = QDate::currentDate();
    const QString date = QString("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day());
    EXPECT_EQ(dialog.titleEdit()->text(), "椭圆 " + date);
    // Twelve 解答题 of 12 points, three 选择题 and two 填空题 of 5.
    EXPECT_EQ(dialog.summary()->text(), "可选 17 道题，试卷将有 17 道题，共 169 分。");

    // Nothing chosen: said in the dialog, and nothing to make.
    clickCheck(dialog.categoryList(), ellipse);
    EXPECT_EQ(dialog.summary()->text(), "请至少选择一个分类。");
    EXPECT_FALSE(dialog.pdfButton()->isEnabled());
    EXPECT_FALSE(dialog.printButton()->isEnabled());
    clickCheck(dialog.categoryList(), ellipse);
    clickBox(dialog.modeButton(WorksheetDialog::Ticked));
    EXPECT_EQ(dialog.summary()->text(), "请在列表中勾选要出的题目。");
    EXPECT_FALSE(dialog.pdfButton()->isEnabled());

    // Each question by its first line; ticked ones go on the sheet in the list's order.
    QListWidget* list = dialog.questionList();
    ASSERT_EQ(list->count(), 17);
    EXPECT_EQ(list->item(1)->text().toStdString(), "2. 已知椭圆的焦点为F₁(-2,0)、F₂(2,0)，且经过点(0,√5)，求椭圆…");
    clickCheck(list, 2);
    clickCheck(list, 0);
    const std::vector<std::string>& e = app.catalogue.category(ellipse)->questionPaths;
    std::vector<std::string> paths;
    Problem error;
    ASSERT_TRUE(dialog.chosenPaths(paths, error)) << error.message;
    EXPECT_EQ(paths, (std::vector<std::string>{e[0], e[2]}));
    EXPECT_EQ(dialog.summary()->text(), "可选 17 道题，试卷将有 2 道题，共 24 分。");
    QDir().mkpath(QString::fromStdString(testOutputDir()));
    dialog.grab().save(QString::fromStdString(testOutputDir() + "/worksheet_dialog.png"));

    // Another category: its questions join the list, the ticks stay, the title follows.
    clickCheck(dialog.categoryList(), parabola);
    EXPECT_EQ(list->count(), 17 + app.catalogue.category(parabola)->questionCount());
    EXPECT_EQ(checkedRows(list).size(), 2u);
    EXPECT_EQ(dialog.titleEdit()->text(), "椭圆、抛物线 " + date);
    clickCheck(list, 18);
    ASSERT_TRUE(dialog.chosenPaths(paths, error));
    EXPECT_EQ(paths, (std::vector<std::string>{e[0], e[2], app.catalogue.category(parabola)->questionPaths[1]}));
    // A title typed stays.
    typeInto(dialog.titleEdit(), "周测");
    clickCheck(dialog.categoryList(), parabola);
    EXPECT_EQ(dialog.titleEdit()->text(), "周测");
}

TEST(WorksheetWindow, TheSeedShownDrawsTheSameQuestionsAgain) {
    App app;
    const int ellipse = categoryNamed(app.catalogue, "椭圆");
    app.catalogue.currentCategory = ellipse;
    WorksheetDialog dialog(app.catalogue, app.notifier, app.window->questionWindow());
    dialog.show();
    EXPECT_FALSE(dialog.seedBox()->isEnabled());
    clickBox(dialog.modeButton(WorksheetDialog::Random));
    EXPECT_TRUE(dialog.seedBox()->isEnabled());
    typeInto(dialog.countBox(), "5");
    const int seed = dialog.seedBox()->value();
    std::vector<std::string> first, again, expected;
    Problem error;
    ASSERT_TRUE(dialog.chosenPaths(first, error));
    ASSERT_TRUE(pickSheetQuestions(app.catalogue.category(ellipse)->questionPaths, SheetPick::Random, 5,
                                   static_cast<std::uint32_t>(seed), expected, error));
    EXPECT_EQ(first, expected);
    QTest::mouseClick(dialog.newSeedButton(), Qt::LeftButton);
    EXPECT_NE(dialog.seedBox()->value(), seed);
    typeInto(dialog.seedBox(), QString::number(seed));
    ASSERT_TRUE(dialog.chosenPaths(again, error));
    EXPECT_EQ(again, first);
    // No more than there are can be typed.
    typeInto(dialog.countBox(), "99");
    EXPECT_LE(dialog.countBox()->value(), 17);
}

// Printing draws the same pages; a PDF that cannot be written is said and the dialog stays.
TEST(WorksheetWindow, PrintingAndAFileThatCannotBeWritten) {
    App app;
    app.catalogue.currentCategory = categoryNamed(app.catalogue, "圆与方程");
    TempDir d;
    WorksheetDialog dialog(app.catalogue, app.notifier, app.window->questionWindow());
    dialog.show();
    clickBox(dialog.answersBox());

    dialog.askPdfPath = [] { return QString(); }; // the user cancelled
    QTest::mouseClick(dialog.pdfButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    const std::string missing = d / "missing/sheet.pdf";
    dialog.askPdfPath = [&] { return QString::fromStdString(missing); };
    QTest::mouseClick(dialog.pdfButton(), Qt::LeftButton);
    ASSERT_EQ(app.notifier.messages.size(), 1u);
    EXPECT_NE(app.notifier.messages[0].text.find(missing), std::string::npos) << app.notifier.messages[0].text;
    EXPECT_EQ(app.notifier.messages[0].owner, MessageOwner::of(static_cast<QWidget*>(&dialog)));
    EXPECT_TRUE(dialog.isVisible());

    const std::string saved = d / "saved.pdf", printed = d / "printed.pdf";
    dialog.askPdfPath = [&] { return QString::fromStdString(saved); };
    QTest::mouseClick(dialog.pdfButton(), Qt::LeftButton);
    dialog.show();
    dialog.askPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printed));
        return true;
    };
    QTest::mouseClick(dialog.printButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(pdfPages(printed), pdfPages(saved));
    EXPECT_GE(pdfPages(printed), 2);
    EXPECT_EQ(pdfText(printed), pdfText(saved));
    EXPECT_NE(run("pdfinfo " + printed).out.find("(A4)"), std::string::npos);
}

// A question deleted while the dialog is open: the message names the file in Chinese, nothing
// is written and the dialog stays for another choice.
TEST(WorksheetWindow, AQuestionGoneSinceTheDialogOpenedIsNamedAndNothingIsWritten) {
    TempDir d;
    oneLine(d, "tm/FuncVer.fun", "3.0");
    oneLine(d, "tm/a/funcMenu.fun", "解析几何");
    oneLine(d, "tm/a/1/funcName.fun", "椭圆");
    d.write("tm/a/1/q1.txt", markup({"function", "求椭圆的方程。"}));
    d.write("tm/a/1/q2.txt", markup({"function", "求椭圆的离心率。"}));
    App app(d.path());
    app.catalogue.currentCategory = categoryNamed(app.catalogue, "椭圆");
    WorksheetDialog dialog(app.catalogue, app.notifier, app.window->questionWindow());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.summary()->text(), "可选 2 道题，试卷将有 2 道题，共 24 分。");

    const std::string gone = app.catalogue.category(app.catalogue.currentCategory)->questionPaths.at(1);
    ASSERT_TRUE(std::filesystem::remove(gone));
    const std::string sheet = d / "sheet.pdf";
    dialog.askPdfPath = [&] { return QString::fromStdString(sheet); };
    QTest::mouseClick(dialog.pdfButton(), Qt::LeftButton);
    ASSERT_EQ(app.notifier.messages.size(), 1u);
    EXPECT_EQ(app.notifier.messages[0].text, "无法读取题目文件“" + gone + "”");
    EXPECT_FALSE(std::filesystem::exists(sheet));
    EXPECT_TRUE(dialog.isVisible());
}
