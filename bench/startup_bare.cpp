// SPDX-License-Identifier: GPL-3.0-or-later
// The bare Qt window bench_startup compares the program's start with: the canvas's grey
// ground, axes, ticks and numbers at 20 pixels a unit drawn with QPainter, in a window of the
// size the program opens at. Prints the time of its first paint on the screen, and ends.
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

double nowMs() { return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count(); }
double entered = 0; // when main() began

class BareAxes : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        const int ox = width() / 2, oy = height() / 2;
        p.setPen(Qt::black);
        p.drawLine(0, oy, width(), oy);
        p.drawLine(ox, 0, ox, height());
        QFont f = p.font();
        f.setPixelSize(9);
        p.setFont(f);
        for (int x = ox % 20; x < width(); x += 20) {
            p.drawLine(x, oy, x, oy - 5);
            p.drawText(x, oy + 14, QString::number((x - ox) / 20));
        }
        for (int y = oy % 20; y < height(); y += 20) {
            p.drawLine(ox, y, ox - 5, y);
            p.drawText(ox + 5, y + 4, QString::number((oy - y) / 20));
        }
        if (!painted_) {
            painted_ = true;
            QTimer::singleShot(0, [] {
                std::printf("%.3f main %.3f\n", nowMs(), entered);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    entered = nowMs();
    QApplication app(argc, argv);
    BareAxes w;
    // 80 % of a large screen, centred, as the program opens.
    const QRect a = w.screen()->availableGeometry();
    QSize size(800, 600);
    if (a.width() > 1024 && a.height() > 768) size = QSize(a.width() * 4 / 5, a.height() * 4 / 5);
    w.resize(size.boundedTo(a.size()));
    w.move(a.center() - QPoint(w.width() / 2, w.height() / 2));
    w.show();
    return app.exec();
}
