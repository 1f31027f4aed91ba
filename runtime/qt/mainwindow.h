// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdint>
#include <optional>

#include "numberbox.h"
#include "platform/calculationerror.h"
#include "solutionwindow.h"
#include "textconvert.h"
#include "window/controlarrays.h"
#include "window/controls.h"
#include "window/form.h"
#include "window/keyboard.h"

// The window's control arrays, indexed as designed: Text2[11] is "Вариант 3, H".
using Controls = window::ControlArrays<QWidget*, QLabel*, QRadioButton*, NumberBox*, QPushButton*,
                                       QPlainTextEdit*>;

// The window font, which every control without a font of its own uses.
QFont windowFont();

// The program's one window on Qt: the controls of the design table, named by
// array and index ("Text2_11"), each way of operating them (mouse, keyboard,
// an assistive tool) delivered to the form once, the form's writes applied to
// them. Tab, Shift+Tab, Enter in a box or on a button and the arrow keys on
// the options do what the window model says; errors show in a message box;
// numbers take the locale's decimal separator. Each solution goes on to its
// own window (SolutionWindow), which F2 brings back. Fixed in size (Qt scales it
// for the screen's DPI); keeps nothing: no settings, files, network.
// Example: Option1(1) clicked, "2" typed into Text2(5), "37.6991118430775"
// into Text2(7), then Enter in either: Text2(6) shows "3".
class MainWindow : public QWidget, private window::ControlServices {
    Q_OBJECT

public:
    // `reporter` receives calculation errors; without one, errors show in
    // a message box.
    explicit MainWindow(platform::ErrorReporter* reporter = nullptr, QWidget* parent = nullptr);

    const Controls& controls() const { return controls_; }
    std::optional<std::int16_t> selectedVariant() const { return form_.selectedVariant(); }
    // The report area's text as written, with CR LF line ends.
    std::u16string reportText() const { return form_.reportText(); }
    // The solution's window, made with the first solution or F2; none before.
    SolutionWindow* solutionWindow() const { return solutionWindow_; }
    // Shows the solution's window, its task field focused, as F2 and the
    // report area's context menu do; also before the first solution.
    void showSolution();

protected:
    bool focusNextPrevChild(bool next) override;
    // The arrows on an option and Enter on a command button, as the model
    // says; every other event goes on. Example: Down on Option1(8) focuses
    // and chooses Option1(0).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Does what the window model says `key` does on `ref`; false: not ours.
    bool press(window::Key key, window::ControlRef ref);

    std::u16string boxText(int box) const override {
        return controls_.Text2.at(box)->state().text();
    }
    void setBoxText(int box, std::u16string_view text) override {
        controls_.Text2.at(box)->write(text);
    }
    void setBoxLocked(int box, bool locked) override {
        controls_.Text2.at(box)->setReadOnly(locked);
    }
    void selectOption(int k) override;
    void setReportText(std::u16string_view text) override {
        controls_.Text1[0]->setPlainText(toDisplayText(text));
    }
    void reportError(const platform::CalculationError& error) override;
    void setSolution(const calc::Solution& solution) override;

    Controls controls_;
    platform::ErrorReporter* reporter_;  // none: a message box
    char16_t separator_;                 // the locale's: numbers are written with it
    window::Form form_;
    bool chosenAtPress_ = false;  // whether the option last pressed was the chosen one
    SolutionWindow* solutionWindow_ = nullptr;  // made when first needed, not at start
    SolutionWindow* openSolutionWindow();
};
