// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "calc/solution.h"

namespace web {

// The whole solution as the page's HTML (UTF-8): one <p> a line, class
// "step" where the line finds a quantity, each formula part a MathML Core
// <math> element in display style (mfrac, msqrt, msup), words escaped;
// empty for an empty solution. Example: a line "Дадено: R = 1, H = 1." is
// <p>Дадено: <math displaystyle="true"><mrow><mi>R</mi>…</math>, …</p>
std::string solutionHtml(const calc::Solution& solution, char16_t separator);

}  // namespace web
