// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "calc/solution.h"

namespace web {

// The solution's sketch as inline SVG markup (UTF-8), drawn as a pupil draws it: the
// cylinder (two elliptical bases, the hidden half of the lower one dashed,
// the axis) with its largest sphere, and beside it the axial section, the
// rectangle 2R × H with the circle of radius r, labelled R, H and r. To
// scale while H / 2R lies between 1/6 and 6; beyond, drawn at that limit
// and marked "не в мащаб". Its <title> names what it shows. Empty where no
// cylinder exists. Only numbers the program computed reach the markup.
std::string sketch(const calc::Solution& solution);

}  // namespace web
