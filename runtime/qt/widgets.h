// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "numberbox.h"
#include "window/controlarrays.h"
#include "window/design.h"

// The window's control arrays, indexed as designed.
struct Controls : window::ControlArrays<QWidget*, QLabel*, QRadioButton*, NumberBox*, QPushButton*,
                                        QPlainTextEdit*> {};

// The window font, which every control without a font of its own uses.
QFont windowFont();

// Creates every control of the design table on `form` (which gets the
// window's size, colour and font), names each by array and index
// ("Text2_11") and gives the computed boxes the mouse's focus only.
Controls buildControls(QWidget* form);
