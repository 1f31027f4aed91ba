// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "calc/solution.h"
#include "platform/calculationerror.h"

namespace window {

// What the window's handlers ask of the desktop runtime: the properties of
// its controls, and telling the user of an error. Each runtime implements
// it once over its own widgets; tests use an in-memory one.
class ControlServices {
public:
    virtual ~ControlServices() = default;

    // Text2(box).Text, box 0..44, as the user sees it.
    virtual std::u16string boxText(int box) const = 0;
    virtual void setBoxText(int box, std::u16string_view text) = 0;
    // A locked box refuses the user's typing; the program still writes it.
    virtual void setBoxLocked(int box, bool locked) = 0;
    // Option1(k).Value = True: selects option k and deselects the others.
    virtual void selectOption(int k) = 0;
    // Replaces the whole text of the report area Text1(0); CR LF line ends.
    virtual void setReportText(std::u16string_view text) = 0;
    // Shows the error to the user (a message box, say) and returns.
    virtual void reportError(const platform::CalculationError& error) = 0;
    // The solution of the last calculation, to show beside the window or
    // in tooltips; an empty one when the grid is emptied.
    virtual void setSolution(const calc::Solution& solution) = 0;
};

}  // namespace window
