// SPDX-License-Identifier: GPL-3.0-or-later
#include <clocale>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

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
    yhb::loadChineseTranslations();
    // Out of memory: say so with no owner and the default caption, then the pool tries again.
    yhb::MemoryPool::setFailureHook([](const std::string& utf8) {
        yhb::QtNotifier().message("", utf8, yhb::MessageOwner::none());
    });

    // The bank is tm/ below the current directory, as it has always been; started elsewhere
    // (from the desktop menu, say) the program looks beside its executable, then where it was
    // installed.
    yhb::Catalogue catalogue;
    yhb::openBank(catalogue);

    yhb::QtNotifier notifier;
    yhb::MainWindow window(catalogue, notifier);
    notifier.setOwner(&window);
    window.show();
    // Opened once the window has its size, so that the lesson's origin lands where it was.
    if (!lesson.isEmpty()) QTimer::singleShot(0, &window, [&window, lesson] { window.lessons().openFile(lesson); });
    return app.exec();
}
