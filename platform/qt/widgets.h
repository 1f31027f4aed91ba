#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

#include "window/design.h"

// The window's control arrays, indexed as designed.
struct Controls {
    std::array<QLabel*, 6> Label1{};
    std::array<QRadioButton*, 9> Option1{};
    std::array<QLineEdit*, window::BoxCount> Text2{};
    std::array<QPushButton*, 2> Command1{};
    std::array<QPlainTextEdit*, 2> Text1{};

    QWidget* find(window::ControlRef ref) const;
};

// The window font, which every control without a font of its own uses.
QFont windowFont();

// Creates every control of the design table on `form` (which gets the
// window's size, colour and font), sets the tab order and names each
// control by array and index ("Text2_11").
Controls buildControls(QWidget* form);
