#include <clocale>

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "app/main_window.h"
#include "app/qt_notifier.h"
#include "bank/catalogue.h"
#include "gfx/cp936.h"
#include "items/memory_pool.h"
#include "res/icons.h"

namespace {

// The bank is tm/ below the current directory, as it has always been; started elsewhere
// (from the desktop menu, say) the program falls back to the installed bank, then to the
// one its build made.
void enterBankDirectory() {
    if (QFileInfo::exists("tm/FuncVer.fun")) return;
    for (const char* dir : {YHB_INSTALLED_BANK, YHB_BUILD_BANK})
        if (QFileInfo::exists(QString(dir) + "/tm/FuncVer.fun") && QDir::setCurrent(dir)) return;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // atof and "%.1f" read and write points, never commas
    QApplication::setApplicationDisplayName("云绘板");
    QApplication::setWindowIcon(yhb::appIcon());
    enterBankDirectory();
    // Out of memory: say so with no owner and the default caption, then the pool tries again.
    yhb::MemoryPool::setFailureHook([](const std::string& cp936Text) {
        yhb::QtNotifier().message("", yhb::cp936::toUtf8(cp936Text));
    });

    yhb::Catalogue catalogue;
    catalogue.load(".");
    yhb::QtNotifier notifier;
    yhb::MainWindow window(catalogue, notifier);
    notifier.setOwner(&window);
    window.show();
    return app.exec();
}
