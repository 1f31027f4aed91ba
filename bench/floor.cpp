// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of any Qt program that shows text: a fixed window with one
// label in the program's font. With an argument, an empty window instead.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(504, 419);
    if (argc < 2) {
        auto* label = new QLabel(QStringLiteral("Вариант 1"), &window);
        label->setFont(QFont(QStringLiteral("Times New Roman"), 12));
        label->setGeometry(8, 56, 97, 25);
    }
    window.show();
    return QApplication::exec();
}
