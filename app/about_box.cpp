// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "res/qt/icons.h"
#include "res/strings.h"

namespace yhb {

void showAboutBox(QWidget* owner, const std::function<void(QDialog&)>& run) {
    QDialog box(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    box.setObjectName("Dialog188");
    box.setWindowTitle(QString::fromStdString(appTitleUtf8()));
    auto* layout = new QVBoxLayout(&box);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(appIcon().pixmap(48, 48));
    top->addWidget(icon);
    auto* text = new QLabel(QString("<b>云绘板</b> v5.0<br>中学解析几何与初等函数教学绘图<br>作者：云绘板开发组<br>电子邮件：%1")
                                .arg(kAuthorEmail));
    top->addWidget(text);
    layout->addLayout(top);
    auto* ok = new QPushButton("确定");
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    QObject::connect(ok, &QPushButton::clicked, &box, [&box] { box.done(1); });
    // Esc (the Cancel button) does not close the box: only 确定 does.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), &box);
    QObject::connect(esc, &QShortcut::activated, &box, [] {});
    if (run)
        run(box);
    else
        box.exec();
}

} // namespace yhb
