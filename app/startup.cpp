// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include "app/main_window.h"
#include "bank/catalogue.h"

namespace yhb {

BankPlaces bankPlaces() { return bankPlacesFor(YHB_INSTALLED_BANK, YHB_BUILD_TREE, YHB_BUILD_BANK); }

std::string findBankDirectory() { return locateBank(bankPlaces()); }

void openBank(Catalogue& catalogue) {
    const std::string bank = findBankDirectory();
    if (!bank.empty() && QDir::setCurrent(QString::fromStdString(bank)))
        catalogue.load(".");
    else
        catalogue.readVersion(".");
}

bool loadChineseTranslations() {
    auto* t = new QTranslator(QCoreApplication::instance());
    if (t->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(t))
        return true;
    delete t;
    return false;
}

namespace {

// Watches for the first paint; the work runs on the event loop's next turn, once the painted
// pixels are flushed to the screen.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& widget, std::function<void()> work) : QObject(&widget), work_(std::move(work)) {
        widget.installEventFilter(this);
        QTimer::singleShot(1000, this, [this] { run(); });
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !posted_) {
            posted_ = true;
            QTimer::singleShot(0, this, [this] { run(); });
        }
        return false;
    }

private:
    void run() {
        if (!work_) return;
        const auto work = std::move(work_);
        work_ = nullptr;
        work();
        deleteLater();
    }
    std::function<void()> work_;
    bool posted_ = false;
};

} // namespace

void afterFirstPaint(QWidget& widget, std::function<void()> work) { new FirstPaint(widget, std::move(work)); }

void showAndFinishStart(MainWindow& window, const QString& lesson, std::function<void()> ready) {
    // The canvas is painted last of the first sight's widgets.
    afterFirstPaint(*window.canvas(), [&window, lesson, ready = std::move(ready)] {
        // Only Qt's own buttons and dialogs use them, and none shows before this.
        loadChineseTranslations();
        window.loadBank();
        // With the window at its size, so that the lesson's origin lands where it was.
        if (!lesson.isEmpty()) window.lessons().openFile(lesson);
        if (ready) ready();
    });
    window.show();
}

} // namespace yhb
