// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "calc/sketch.h"

namespace web {

// `sketch` as inline SVG markup (UTF-8): the cylinder and its section with
// the labels in the formulas' italic letters, its <title> naming what it
// shows. Numbers with two decimals. Example: a sketch 246 wide starts
// <svg class="sketch" role="img" aria-labelledby="sketch-title" width="246.00" …
std::string svg(const calc::Sketch& sketch);

}  // namespace web
