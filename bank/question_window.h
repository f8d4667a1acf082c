#pragma once
#include <functional>

#include <QAction>
#include <QImage>
#include <QScrollBar>
#include <QWidget>

#include "bank/catalogue.h"
#include "bank/question_navigator.h"
#include "gfx/notifier.h"
#include "gfx/qt_surface.h"

namespace yhb {

class QuestionView;

// The question window ("functionTm"): one question of the current category at a time.
// Closing it only hides it.
class QuestionWindow : public QWidget {
    Q_OBJECT
public:
    QuestionWindow(Catalogue& catalogue, Notifier& notifier);

    void command(int id);
    // The bank menu's way in: make category `index` current, reload, show and focus.
    void openCategory(int index);
    // Reads the current question again and refreshes everything.
    void reload();
    void refresh();
    void updateScrollRange();
    void updateMenu();

    QuestionNavigator& navigator() { return navigator_; }
    QScrollBar* scrollBar() const { return scroll_; }
    QAction* action(int id) const;
    // The client as it is painted now, at its current size.
    QImage render() const;

    std::function<void()> onHidden; // gives the focus back to the main window

protected:
    void closeEvent(QCloseEvent*) override;

private:
    friend class QuestionView;
    void savePicture();

    Catalogue& catalogue_;
    Notifier& notifier_;
    QuestionNavigator navigator_;
    QuestionView* view_;
    QScrollBar* scroll_;
    std::vector<QAction*> actions_;
};

} // namespace yhb
