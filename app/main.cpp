// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "mainwindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setFont(windowFont());  // dialogs too; and no second font to load
    MainWindow window;
    window.show();
    return QApplication::exec();
}
