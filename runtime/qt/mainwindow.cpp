// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QShortcut>

#include "calc/texts.h"
#include "colourbutton.h"
#include "textconvert.h"
#include "window/solutionnotes.h"

#include "packaging/icons/cylinder-32.xpm"
#include "packaging/icons/cylinder-64.xpm"

using window::ControlDesign;
using window::Kind;

namespace {

// The keys the window decides on an option or a command button; Tab and
// Enter in a box come through focusNextPrevChild and returnPressed.
constexpr struct {
    int qt;
    window::Key key;
} ButtonKeys[] = {
    {Qt::Key_Up, window::Key::Up},        {Qt::Key_Down, window::Key::Down},
    {Qt::Key_Left, window::Key::Left},    {Qt::Key_Right, window::Key::Right},
    {Qt::Key_Return, window::Key::Enter}, {Qt::Key_Enter, window::Key::Enter},
};

// Shows the solution's window again; named in the report area's tooltip.
constexpr Qt::Key SolutionKey = Qt::Key_F2;

QColor toColour(window::Rgb c) {
    return QColor(c.red, c.green, c.blue);
}

// Paints the widget's own background (`Window`) or a text box's (`Base`).
void fillBackground(QWidget* w, QPalette::ColorRole role, window::Rgb colour) {
    QPalette palette = w->palette();
    if (role == QPalette::Window) {
        role = w->backgroundRole();  // Button for option buttons
        w->setAutoFillBackground(true);
    }
    palette.setColor(role, toColour(colour));
    w->setPalette(palette);
}

QWidget* create(const ControlDesign& d, QWidget* form, Controls& controls) {
    const auto i = static_cast<std::size_t>(d.index);
    const QString text = toQString(d.text);
    const Qt::Alignment alignment = d.centred ? Qt::AlignHCenter : Qt::AlignLeft;
    switch (d.kind) {
        case Kind::Label1: {
            auto* label = new QLabel(text, form);
            label->setAlignment(alignment | Qt::AlignTop);
            fillBackground(label, QPalette::Window, *d.background);
            if (d.index > 0) label->setToolTip(toQString(window::QuantityNames[i - 1]));
            return controls.Label1[i] = label;
        }
        case Kind::Option1:
            controls.Option1[i] = new QRadioButton(text, form);
            fillBackground(controls.Option1[i], QPalette::Window, *d.background);
            return controls.Option1[i];
        case Kind::Text2:
            controls.Text2[i] = new NumberBox(form);
            if (d.background) fillBackground(controls.Text2[i], QPalette::Base, *d.background);
            return controls.Text2[i];
        case Kind::Command1:
            return controls.Command1[i] =
                       new ColourButton(text, toColour(*d.background), alignment, form);
        case Kind::Text1: {
            auto* area = new QPlainTextEdit(form);
            area->setPlainText(toDisplayText(d.text));
            area->setReadOnly(d.readOnly);
            area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            if (!d.border) area->setFrameShape(QFrame::NoFrame);
            // Two report lines must fit above the quotation box's top edge.
            area->document()->setDocumentMargin(1);
            return controls.Text1[i] = area;
        }
    }
    return nullptr;
}

// Every control of the design table on `form`, which gets the window's size,
// colour and font.
Controls buildControls(QWidget* form) {
    using window::toPixels;
    form->setFixedSize(toPixels(window::ClientWidth), toPixels(window::ClientHeight));
    fillBackground(form, QPalette::Window, window::WindowBackground);
    form->setFont(windowFont());

    Controls controls;
    for (const ControlDesign& d : window::controlDesigns()) {
        const window::ControlRef ref{d.kind, d.index};
        QWidget* w = create(d, form, controls);
        w->setObjectName(QString::fromStdString(window::controlName({d.kind, d.index})));
        w->setGeometry(toPixels(d.left), toPixels(d.top), toPixels(d.width), toPixels(d.height));
        if (d.bold) {
            QFont bold = form->font();
            bold.setWeight(QFont::Bold);
            w->setFont(bold);
        }
        const QString name = toQString(window::accessibleName(ref));
        if (!name.isEmpty()) w->setAccessibleName(name);
        // Focus that Tab never gives is the mouse's (the computed boxes).
        if (window::takesFocus(ref) && !window::tabStop(ref)) w->setFocusPolicy(Qt::ClickFocus);
    }
    return controls;
}

}  // namespace

QFont windowFont() {
    return QFont(toQString(window::FontFamily), window::FontPoints);
}

MainWindow::MainWindow(platform::ErrorReporter* reporter, QWidget* parent)
    : QWidget(parent),
      controls_(buildControls(this)),
      reporter_(reporter),
      separator_(decimalSeparator(QLocale())),
      form_(*this, separator_) {
    setWindowTitle(toQString(window::windowCaption()));
    // Compiled-in pixmaps: no image or icon plugins to look up at start.
    QIcon icon;
    icon.addPixmap(QPixmap(cylinder_32_xpm));
    icon.addPixmap(QPixmap(cylinder_64_xpm));
    setWindowIcon(icon);

    // A click that checks an option (mouse, Space, an arrow, an assistive
    // tool's Press) toggles it on, as a Toggle does without a click; a click
    // on the chosen one toggles nothing but is heard too.
    for (int k = 0; k < static_cast<int>(controls_.Option1.size()); ++k) {
        QRadioButton* option = controls_.Option1[k];
        connect(option, &QRadioButton::pressed, this,
                [this, option] { chosenAtPress_ = option->isChecked(); });
        connect(option, &QRadioButton::toggled, this, [this, k](bool on) {
            if (on) form_.onOptionClick(k);
        });
        connect(option, &QRadioButton::clicked, this, [this, k] {
            if (chosenAtPress_) form_.onOptionClick(k);
        });
        option->installEventFilter(this);  // its arrows are the model's, not Qt's
    }
    for (int n = 0; n < static_cast<int>(controls_.Command1.size()); ++n) {
        connect(controls_.Command1[n], &QPushButton::clicked, this,
                [this, n] { form_.onCommandClick(n); });
        controls_.Command1[n]->installEventFilter(this);  // Enter presses it
    }
    for (int i = 0; i < window::BoxCount; ++i)
        connect(controls_.Text2[i], &QLineEdit::returnPressed, this, [this, i] {
            press(window::Key::Enter, {Kind::Text2, i});
        });
    // The solution's window, asked for again: a key no control uses, and
    // the report area's menu.
    connect(new QShortcut(QKeySequence(SolutionKey), this), &QShortcut::activated, this,
            &MainWindow::showSolution);
    QPlainTextEdit* report = controls_.Text1[0];
    report->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(report, &QWidget::customContextMenuRequested, this, [this, report](QPoint at) {
        QMenu* menu = report->createStandardContextMenu(at);
        QAction* show = menu->addAction(toQString(calc::text(calc::Text::ShowSolution)));
        show->setShortcut(QKeySequence(SolutionKey));
        connect(show, &QAction::triggered, this, &MainWindow::showSolution);
        menu->exec(report->mapToGlobal(at));
        delete menu;
    });
    form_.onLoad();
}

void MainWindow::showSolution() {
    openSolutionWindow()->reopen();
}

SolutionWindow* MainWindow::openSolutionWindow() {
    // Made when first needed: a solution, or F2 for the task field.
    if (!solutionWindow_)
        solutionWindow_ = new SolutionWindow(
            this, separator_, [this](calc::Rounding rounding) { form_.onRoundingChoice(rounding); },
            [this](std::u16string_view task) { form_.onTask(task); });
    return solutionWindow_;
}

bool MainWindow::focusNextPrevChild(bool next) {
    for (const window::ControlRef ref : window::TabOrder)
        if (controls_.find(ref) == QApplication::focusWidget())
            return press(next ? window::Key::Tab : window::Key::ShiftTab, ref);
    return QWidget::focusNextPrevChild(next);  // none of ours has the focus
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int qt = static_cast<QKeyEvent*>(event)->key();
    for (const auto& k : ButtonKeys) {
        if (k.qt != qt) continue;
        for (const window::ControlRef ref : window::TabOrder)
            if (controls_.find(ref) == watched) return press(k.key, ref);
    }
    return false;
}

bool MainWindow::press(window::Key key, window::ControlRef ref) {
    const window::KeyAction action = form_.onKey(key, ref);
    if (action.focus) {
        QWidget* target = controls_.find(*action.focus);
        // Qt's own reasons: a button so focused shows it, a box selects its text.
        target->setFocus(key == window::Key::ShiftTab ? Qt::BacktabFocusReason
                                                      : Qt::TabFocusReason);
        if (auto* box = qobject_cast<QLineEdit*>(target); box && action.selectAll) box->selectAll();
    }
    return action.handled();
}

void MainWindow::selectOption(int k) {
    // The program's choice, not the user's: the form does not hear of it.
    const QSignalBlocker quiet(controls_.Option1.at(k));
    controls_.Option1.at(k)->setChecked(true);
}

void MainWindow::reportError(const platform::CalculationError& error) {
    if (reporter_) return reporter_->report(error);
    QMessageBox::warning(this, toQString(window::ErrorCaption), toQString(calc::describe(error)));
}

void MainWindow::setSolution(const calc::Solution& solution) {
    // Qt's plain-text tooltips and descriptions break lines at "\n".
    const window::SolutionNotes notes = window::solutionNotes(solution, separator_, u"\n");
    for (std::size_t i = 0; i < notes.box.size(); ++i) controls_.Text2[i]->setStep(notes.box[i]);
    controls_.Text1[0]->setToolTip(toQString(notes.report));
    controls_.Text1[0]->setAccessibleDescription(toQString(notes.report));
    if (!solution.empty() || solutionWindow_) openSolutionWindow()->setSolution(solution);
}
