// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <functional>
#include <memory>

#include <QAction>
#include <QDialog>
#include <QMainWindow>

#include "res/command_ids.h"
#include "app/lesson_commands.h"
#include "model/main_layout.h"
#include "app/picture_button.h"
#include "bank/catalogue.h"
#include "bank/qt/question_window.h"
#include "model/document.h"
#include "dialogs/qt/parameter_dialog.h"
#include "io/notifier.h"
#include "plot/qt/canvas_widget.h"

namespace yhb {

class ClientArea;
class FullScreenShow;
class PanelPicture;

// The main window ("FUNCTION00"): menus, accelerators, the canvas, the toolbar and the
// panel of row labels with their modify and delete buttons.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // With `openBank` the bank is read by it when first needed (loadBank), not before.
    MainWindow(Catalogue& catalogue, Notifier& notifier, std::function<void(Catalogue&)> openBank = {});
    ~MainWindow() override;

    // Every menu item and accelerator ends here. The id space also holds the family kinds
    // (new row of that family) and the bank categories (BankCategoryBase + n).
    void command(int id);
    void command(Command c) { command(commandId(c)); }
    void command(Family f) { command(familyId(f)); } // its menu item: a new row of the family
    // Opens the family's dialog for the table's current edit mode; other ids only repaint.
    void openFamilyDialog(Family kind);
    void modifyRow(int row);
    void deleteRow(int row);
    void toolbarAction(int index);

    Document& document() { return doc_; }
    CanvasWidget* canvas() const { return canvas_; }
    QuestionWindow* questionWindow();
    QWidget* client() const;
    PictureButton* toolbarButton(int i) const { return toolbar_[static_cast<std::size_t>(i)]; }
    PictureButton* modifyButton(int row) const { return modify_[static_cast<std::size_t>(row)]; }
    PictureButton* deleteButton(int row) const { return delete_[static_cast<std::size_t>(row)]; }
    // Where the row's label was last laid out, in client pixels; empty when none is shown.
    Rect labelBox(int row) const { return labelBoxes_[static_cast<std::size_t>(row)]; }
    QAction* action(int id) const;
    QAction* action(Command c) const { return action(commandId(c)); }
    QAction* action(Family f) const { return action(familyId(f)); }
    QMenu* bankMenu() {
        loadBank();
        return bankMenu_;
    }
    // Reads the bank if it is still to be read, and fills its menu.
    void loadBank();
    // Reads the bank again and rebuilds its menu.
    void reloadBank();
    // A question's figure line in place of the rows, on a reset view; the window comes forward.
    void showFigure(const std::string& figureLine);
    // The buttons, check marks, layout and canvas after the document changed wholesale.
    void documentReplaced();
    LessonCommands& lessons() { return *lessons_; }
    // Shows the window sized so that its client is w x h, and lays it out.
    void resizeClient(int w, int h);
    // The client area as it is painted now: panel, labels, buttons and canvas.
    QImage renderClient();
    const PanelPicture& panelPicture() const { return *panel_; }

    // Tests drive modal dialogs through these instead of running them.
    std::function<void(ParameterDialog&)> runParameterDialog;
    std::function<void(QDialog&)> runAboutBox;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    friend class ClientArea;
    void buildMenus();
    void fillBankMenu();
    void layoutAndPaint(QPainter* painter);
    void showNewLabels();
    void savePicture();
    void copyPicture();
    QAction* addCommand(QMenu* menu, int id, const QString& text);
    QAction* addCommand(QMenu* menu, Command c, const QString& text) { return addCommand(menu, commandId(c), text); }

    Catalogue& catalogue_;
    Notifier& notifier_;
    std::function<void(Catalogue&)> openBank_; // the bank waits to be read
    Document doc_;
    ClientArea* client_;
    CanvasWidget* canvas_;
    std::unique_ptr<PanelPicture> panel_;
    bool sceneDrawn_ = false; // the canvas is drawn already: a paint of the client shows only labels
    bool canvasShown_ = false; // the canvas was painted since the client's paint drew its scene
    bool grabbing_ = false;
    std::array<PictureButton*, 3> toolbar_{};
    std::array<PictureButton*, kMaxSlots> modify_{};
    std::array<PictureButton*, kMaxSlots> delete_{};
    std::array<Rect, kMaxSlots> labelBoxes_{};
    bool modifyPressed_ = false; // one flag shared by the five modify buttons
    bool deletePressed_ = false;
    std::unique_ptr<QuestionWindow> questionWindow_;
    std::unique_ptr<LessonCommands> lessons_;
    QMenu* bankMenu_ = nullptr;
    FullScreenShow* fullScreenShow_ = nullptr;
    bool familyDialogOpen_ = false;
    std::vector<QAction*> actions_;
};

} // namespace yhb
