// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include <functional>
#include <optional>

#include "calc/sketch.h"
#include "calc/solution.h"
#include "window/solutionpage.h"

class QComboBox;
class QPainter;
class QPaintDevice;
class QPrinter;

// The solution in a window of its own, "Решение", beside the main one:
// the sketch to scale (or marked "не в мащаб"), then the lines with their
// formulas in two dimensions, painted from the toolkit-free layout at the
// screen's resolution; it scrolls where taller than the screen allows.
// It opens itself with the first solution, without taking the focus, and
// follows every later one; an empty solution hides it; closed by the
// pupil it stays closed until reopen(). Ctrl+C and its context menu copy
// the plain text, Ctrl+P prints, Escape closes. A screen reader reads the
// plain text line by line (SolutionAccessible). It keeps no settings.
// Example: after "Вариант 3" with H = 3, Sp = 94.2477796076937 it shows
// V = πR²H = π · 2.65331193145904² · 3 = 66.3510419675559, the 2s raised.
class SolutionWindow : public QAbstractScrollArea {
    Q_OBJECT

public:
    // A solution laid out for one paint device.
    using Page = window::SolutionPage;

    // Hidden until a solution comes; `owner` (the main window) carries it:
    // it minimises, comes back and closes with it. Above the page the pupil
    // chooses the place the answer is rounded to; `chooseRounding` hears it.
    SolutionWindow(QWidget* owner, std::function<void(calc::Rounding)> chooseRounding);

    // Shows `solution`, numbers written with `separator`; the first time
    // beside the owner, where the screen has room, never taking the focus.
    // Example: an empty solution hides the window, the next one shows it
    // again unless the pupil closed it.
    void setSolution(const calc::Solution& solution, char16_t separator);
    // The pupil asks for it: shown and active, where it last stood; not
    // while there is no solution.
    void reopen();

    // The plain text shown, one line each, "\n" between them.
    // Example: it starts "Дадено: H = 3, Sp = 94.2477796076937." after
    // "Вариант 3".
    const QString& plainText() const { return text_; }
    // The plain text to the clipboard.
    void copy() const;
    // The system's print dialog, then print().
    void printAsked();
    // The owner's picture (in grey) and the solution on one page of
    // `printer`, black on white, made smaller where they would not fit.
    void print(QPrinter& printer) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void showBeside();
    int headerHeight() const;
    void layOut();
    void updateScrollBars();

    QWidget* header_;
    QComboBox* rounding_;
    calc::Solution solution_;
    char16_t separator_ = u'.';
    QString text_;
    Page page_;
    int textWidth_;       // the lines', in pixels: narrower where the room beside is
    bool wanted_ = true;  // false once the pupil closed it
    bool placed_ = false;
};
