// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a picture of the window after a sample calculation, for machines
// without a display and for the README.
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include <cstdio>

#include "mainwindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setFont(windowFont());  // dialogs too; and no second font to load
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("cylinder.png");
    MainWindow window;
    const Controls& c = window.controls();
    c.Option1[2]->click();  // "Вариант 3": H and Sp given
    c.Text2[11]->setText(QStringLiteral("3"));
    c.Text2[13]->setText(QStringLiteral("94.2477796076937"));
    c.Command1[0]->click();
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    // A second path: the solution's window after the same calculation.
    if (argc < 3) return 0;
    const QString solution = QString::fromLocal8Bit(argv[2]);
    QApplication::processEvents();  // its scroll bars show or hide queued
    if (!window.solutionWindow()->grab().save(solution)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(solution));
        return 1;
    }
    std::printf("%s\n", qPrintable(solution));
    // Then a task typed into its field and Enter: the solution's window again.
    if (argc < 5) return 0;
    auto* field = window.solutionWindow()->findChild<QPlainTextEdit*>();
    field->setPlainText(QString::fromUtf8(argv[3]));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    QApplication::processEvents();
    const QString task = QString::fromLocal8Bit(argv[4]);
    if (!window.solutionWindow()->grab().save(task)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(task));
        return 1;
    }
    std::printf("%s\n", qPrintable(task));
    return 0;
}
