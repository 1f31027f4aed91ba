// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

#include "window/controlarrays.h"
#include "window/design.h"

// The window's control arrays, indexed as designed.
struct Controls
    : window::ControlArrays<QWidget*, QLabel*, QRadioButton*, QLineEdit*, QPushButton*,
                            QPlainTextEdit*> {};

// The window font, which every control without a font of its own uses.
QFont windowFont();

// Creates every control of the design table on `form` (which gets the
// window's size, colour and font), sets the tab order and names each
// control by array and index ("Text2_11").
Controls buildControls(QWidget* form);
