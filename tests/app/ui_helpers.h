// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "test_util.h"

namespace yhb::test {

// Opens the family's dialog from the menu, shown, hands it to `drive`, and closes it if it is
// left open.
inline void withDialog(MainWindow& w, Family kind, const std::function<void(ParameterDialog&)>& drive) {
    auto previous = w.runParameterDialog;
    w.runParameterDialog = [&](ParameterDialog& d) {
        d.show();
        QApplication::processEvents();
        drive(d);
        if (d.isVisible()) d.reject();
    };
    w.command(kind);
    w.runParameterDialog = previous;
}

// The bundled bank loaded, and a main window on it that records its messages.
struct App {
    App() : App(bundledBank()) {}
    explicit App(const std::string& bank) {
        catalogue.load(bank);
        window = std::make_unique<MainWindow>(catalogue, notifier);
        // A dialog the test did not drive would wait for a user forever.
        window->runParameterDialog = [](ParameterDialog& d) {
            ADD_FAILURE() << "unexpected dialog " << d.form().family().cliName;
            d.reject();
        };
        // Nor a question before rows are lost: no button clicked is 取消.
        window->lessons().runPrompt = [](QMessageBox& box) { ADD_FAILURE() << "unexpected question " << box.text().toStdString(); };
        window->resizeClient(780, 560);
    }
    Catalogue catalogue;
    RecordingNotifier notifier;
    std::unique_ptr<MainWindow> window;
    Document& doc() { return window->document(); }
};

// Enters an expression through its dialog: the menu command, the texts typed, Enter.
inline void enterThroughDialog(MainWindow& w, Family kind, const std::vector<QString>& texts,
                               const std::vector<int>& boxes = {}) {
    auto previous = w.runParameterDialog;
    w.runParameterDialog = [&](ParameterDialog& d) {
        d.show();
        for (std::size_t i = 0; i < texts.size(); ++i) d.field(static_cast<int>(i))->setText(texts[i]);
        for (int b : boxes) d.boxById(b)->setChecked(true);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(d.field(0), &enter);
    };
    w.command(kind);
    w.runParameterDialog = previous;
}

inline void click(QWidget* w, Qt::MouseButton b = Qt::LeftButton, QPoint at = {5, 5}) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), b, b, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), b, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// Lets the events a command posted (layouts, repaints, shows) be handled.
inline void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// Closes `w` from inside the event loop, as its close box does, and returns the loop's exit
// status: 0 when the close ended it, 7 when it was still running 5 s later.
inline int closeInEventLoop(QWidget& w) {
    QTimer::singleShot(0, &w, [&w] { w.close(); });
    QTimer timeout; // stopped with this scope, unlike a single shot left pending
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    timeout.start(5000);
    return QApplication::exec();
}

inline int countColour(const QImage& img, QRgb c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == c;
    return n;
}

} // namespace yhb::test
