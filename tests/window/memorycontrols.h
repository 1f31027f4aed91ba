// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "window/controls.h"
#include "window/design.h"

// The controls as plain data: what the form wrote, what the user typed,
// and every error it reported. No display, no toolkit.
class MemoryControls : public window::ControlServices {
public:
    std::u16string boxText(int box) const override { return boxes.at(box); }
    void setBoxText(int box, std::u16string_view text) override { boxes.at(box) = text; }
    void setBoxLocked(int box, bool isLocked) override { locked.at(box) = isLocked; }
    void selectOption(int k) override { selected = k; }
    void setReportText(std::u16string_view text) override { report = text; }
    void reportError(const platform::CalculationError& error) override { errors.push_back(error); }
    void setSolution(const calc::Solution& s) override { solution = s; }

    // The user typing into a box: a locked box refuses it.
    void type(int box, std::u16string_view text) {
        if (!locked.at(box)) boxes.at(box) = text;
    }

    std::array<std::u16string, window::BoxCount> boxes{};
    std::array<bool, window::BoxCount> locked{};
    int selected = -1;
    std::u16string report{window::AssignmentText};  // the design's text
    std::vector<platform::CalculationError> errors;
    calc::Solution solution;
};
