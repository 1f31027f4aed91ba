// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include <array>
#include <functional>
#include <memory>

#include "calc/solution.h"
#include "window/solutionview.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QPrinter;

// The solution's own window, "Решение", over the toolkit-free
// window::SolutionView, which decides when it shows, where it goes, its
// keys and menu, its scrolling and the printed sheet.
// Implements: the frame and a scroll area, the task field "Задача" with its
// button "Реши" and the choice of the answer's place (above the page), painting the view's drawing
// with QPainter on the screen and the printer, the fonts' measures, the clipboard, the print
// dialog, the owner's picture on the sheet; a screen reader reads the plain text line by line
// (SolutionAccessible). Keeps no settings. Example: after "Вариант 3" with H = 3, Sp
// = 94.2477796076937 it shows V = πR²H = π · 2.65331193145904² · 3 = 66.3510419675559, the 2s
// raised.
class SolutionWindow : public QAbstractScrollArea, private window::SolutionServices {
    Q_OBJECT

public:
    // Hidden until a solution comes; `owner` (the main window) carries it:
    // it minimises, comes back and closes with it. Numbers are written with
    // `separator`; `chooseRounding` hears the place the pupil chooses,
    // `solveTask` the task typed in the field (Enter or "Реши").
    SolutionWindow(QWidget* owner, char16_t separator,
                   std::function<void(calc::Rounding)> chooseRounding,
                   std::function<void(std::u16string_view)> solveTask);

    void setSolution(const calc::Solution& solution) { view_.setSolution(solution); }
    void reopen() { view_.reopen(); }

    // The plain text shown, one line each, "\n" between them.
    // Example: it starts "Дадено: H = 3, Sp = 94.2477796076937." after
    // "Вариант 3".
    const QString& plainText() const { return text_; }
    // The owner's picture (in grey) and the solution on one page of
    // `printer`, black on white, made smaller where they would not fit.
    void print(QPrinter& printer) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::unique_ptr<window::FormulaLayout::Metrics> metrics() const override;
    double dpi() const override { return logicalDpiX(); }
    window::SolutionRoom room() const override;
    void move(window::ScreenRect frame) override;
    void show(bool activate) override;
    void hide() override { QWidget::hide(); }
    bool shown() const override { return isVisible(); }
    void setText(std::u16string_view text, int rounding) override;
    void setScroll(const window::SolutionScroll& scroll) override;
    void invalidate() override;
    void copy(std::u16string_view text) override;
    void print() override;
    void focus(window::SolutionPart part) override;
    std::u16string taskText() const override;
    // The widgets that take the keyboard, as window::SolutionPart counts them.
    std::array<QWidget*, window::SolutionPartCount> parts();
    void placeHeader();
    QSize frameExtra() const;

    QWidget* header_;
    QPlainTextEdit* task_;
    QComboBox* rounding_;
    QPushButton* solve_;
    QString text_;
    window::SolutionView view_;
};
