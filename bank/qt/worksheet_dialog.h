// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "bank/catalogue.h"
#include "bank/worksheet.h"
#include "io/notifier.h"
#include "io/problem.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace yhb {

// 生成试卷: which questions (categories, then all, the first N, N at random with a seed shown
// so the sheet can be made again, or questions ticked in a list of their first lines), shown
// as the sheet will number them; a title and subtitle, the paper (A4, or A3 in two columns),
// the edition, the answers at the end and the font size; then a PDF or the printer.
class WorksheetDialog : public QDialog {
    Q_OBJECT
public:
    enum Mode { All, First, Random, Ticked };

    WorksheetDialog(const Catalogue& catalogue, Notifier& notifier, QWidget* parent);

    // The question window's one call: the dialog on the current category, modal to `parent`.
    static void run(const Catalogue& catalogue, Notifier& notifier, QWidget* parent);

    // The sheet as chosen now. False with the problem naming what is wrong.
    bool makeSheet(Worksheet& sheet, Problem& problem) const;
    // The chosen questions' files, in sheet order; false with the problem.
    bool chosenPaths(std::vector<std::string>& paths, Problem& problem) const;

    // Where the PDF goes (empty: not now) and the printer set up (false: not now); the
    // system's dialogs unless a caller replaces them.
    std::function<QString()> askPdfPath;
    std::function<bool(QPrinter&)> askPrinter;

    QListWidget* categoryList() const { return categories_; }
    QListWidget* questionList() const { return questions_; }
    QRadioButton* modeButton(Mode m) const;
    QSpinBox* countBox() const { return count_; }
    QSpinBox* seedBox() const { return seed_; }
    QPushButton* newSeedButton() const { return newSeed_; }
    QLineEdit* titleEdit() const { return title_; }
    QCheckBox* answersBox() const { return answers_; }
    QComboBox* fontBox() const { return font_; }
    QComboBox* layoutBox() const { return layout_; }
    QComboBox* editionBox() const { return edition_; }
    QLineEdit* subtitleEdit() const { return subtitle_; }
    // The chosen questions in sheet order, as they will be numbered.
    QListWidget* chosenList() const { return chosen_; }
    QPushButton* pdfButton() const { return pdf_; }
    QPushButton* printButton() const { return print_; }
    QLabel* summary() const { return summary_; }

private:
    std::vector<int> tickedCategories() const;
    void categoriesChanged();
    void update();
    void writePdf();
    void printSheet();
    bool sheetOrMessage(Worksheet& sheet);
    void showChosen(const std::vector<std::string>& paths);
    SheetStyle style() const;

    const Catalogue& catalogue_;
    Notifier& notifier_;
    std::vector<std::string> candidates_; // of the ticked categories, in the list's order
    bool titleEdited_ = false;
    int chosenPoints_ = 0;

    QListWidget* categories_;
    QListWidget* questions_;
    QButtonGroup* modes_;
    QSpinBox* count_;
    QSpinBox* seed_;
    QPushButton* newSeed_;
    QLineEdit* title_;
    QCheckBox* answers_;
    QComboBox* font_;
    QComboBox* layout_;
    QComboBox* edition_;
    QLineEdit* subtitle_;
    QListWidget* chosen_;
    QLabel* summary_;
    QPushButton* pdf_;
    QPushButton* print_;
};

} // namespace yhb
