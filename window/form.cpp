// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include <array>
#include <stdexcept>

#include "calc/cylinder.h"
#include "calc/solution.h"
#include "design.h"
#include "platform/numbertext.h"

namespace window {

Form::Form(ControlServices& controls, char16_t separator)
    : controls_(controls), separator_(separator), report_(AssignmentText) {}

void Form::onLoad() {
    LastBoxIndex = 44;
    controls_.selectOption(0);
    for (std::int16_t i = 5; i <= LastBoxIndex; ++i) controls_.setBoxLocked(i, true);
}

void Form::onOptionClick(int k) {
    if (k < 0 || k >= calc::VariantCount) return;
    const auto first = static_cast<std::int16_t>(5 * k);
    const auto last = static_cast<std::int16_t>(first + 4);
    SelectedVariant = static_cast<std::int16_t>(k);
    for (std::int16_t i = 0; i <= LastBoxIndex; ++i) {
        controls_.setBoxText(i, u"");
        controls_.setBoxLocked(i, true);
    }
    for (std::int16_t i = first; i <= last; ++i) controls_.setBoxLocked(i, false);
    controls_.setSolution({});
}

void Form::onCommandClick(int n) {
    // The one place a calculation error stops: tell the user and carry on.
    try {
        if (n == 0) calculate();
        if (n == 1) clearGrid();
    } catch (const platform::CalculationError& error) {
        controls_.reportError(error);
    }
}

KeyAction Form::onKey(Key key, std::optional<ControlRef> focused) {
    const KeyAction action = keyAction(key, focused, SelectedVariant.value_or(0));
    if (action.option) {
        controls_.selectOption(*action.option);
        onOptionClick(*action.option);
    }
    if (action.command) onCommandClick(*action.command);
    return action;
}

void Form::setText(std::u16string text) {
    report_ = std::move(text);
    controls_.setReportText(report_);
}

int Form::box(int k, int column) const {
    const auto index = static_cast<std::int16_t>(k * 5 + column);
    if (index < 0 || index > LastBoxIndex) throw std::out_of_range("box index");
    return index;
}

void Form::calculate() {
    const int k = SelectedVariant.value_or(0);
    const std::array<calc::Column, 2> given = calc::givenColumns(k);
    std::array<double, 2> values{};
    for (std::size_t i = 0; i < given.size(); ++i) {
        try {
            values[i] = platform::toNumber(controls_.boxText(box(k, static_cast<int>(given[i]))));
        } catch (platform::CalculationError& error) {
            calc::nameQuantity(error, calc::quantityOf(given[i]), true);
            controls_.setSolution({});  // nothing was calculated to explain
            throw;
        }
    }
    calc::Calculation c;
    c.variant = k;
    try {
        calc::solveCylinder(k, values[0], values[1], c.q);
        for (int col = 0; col < calc::ColumnCount; ++col)
            controls_.setBoxText(box(k, col),
                                 platform::toText(c.q[static_cast<calc::Column>(col)], separator_));
        c.r = calc::inscribedSphereRadius(c.q.R, c.q.H);  // as the report finds it
        c.s = calc::reportInscribedSphere(c.q.R, c.q.H, *this, separator_);
    } catch (const platform::CalculationError& error) {
        c.failure = error.failure();
        c.failedQuantity = calc::failedQuantity(error);
        controls_.setSolution(calc::explain(c));
        throw;
    }
    controls_.setSolution(calc::explain(c));
}

void Form::clearGrid() {
    for (std::int16_t i = 0; i <= LastBoxIndex; ++i) controls_.setBoxText(i, u"");
    controls_.setSolution({});
}

}  // namespace window
