// SPDX-License-Identifier: GPL-3.0-or-later
#include <clocale>

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include "app/main_window.h"
#include "app/qt_notifier.h"
#include "app/startup.h"
#include "bank/catalogue.h"
#include "items/memory_pool.h"
#include "res/qt/icons.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // atof and "%.1f" read and write points, never commas
    // `yunhuiban FILE.yhb` (a double-click in the file manager), named before the bank's folder
    // becomes the current one.
    const QString lesson = argc > 1 ? QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath() : QString();
    QApplication::setWindowIcon(yhb::appIcon());
    // Out of memory: say so with no owner and the default caption, then the pool tries again.
    yhb::MemoryPool::setFailureHook([](const std::string& utf8) {
        yhb::QtNotifier().message("", utf8, yhb::MessageOwner::none());
    });

    // The bank is tm/ below the current directory, as it has always been; started elsewhere
    // (from the desktop menu, say) the program looks beside its executable, then where it was
    // installed. It is read once the window shows (or sooner, when something needs it), as are
    // Qt's translations and the lesson named on the command line.
    yhb::Catalogue catalogue;
    yhb::QtNotifier notifier;
    yhb::MainWindow window(catalogue, notifier, yhb::openBank);
    notifier.setOwner(&window);
    yhb::showAndFinishStart(window, lesson);
    return app.exec();
}
