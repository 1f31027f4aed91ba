// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "calc/cylinder.h"
#include "calc/exactform.h"
#include "calc/givens.h"
#include "calc/solution.h"
#include "calc/taskreader.h"
#include "calc/tasksolution.h"
#include "calc/texts.h"
#include "design.h"
#include "platform/numbertext.h"
#include "taskentry.h"

namespace window {

namespace {

// Marks of the forms a plain number has none of; a plain number's box is
// read again as today.
constexpr std::u16string_view NewFormMarks = u"π√/·×⋅*()пП";

bool newForms(std::u16string_view text) {
    if (text.find_first_of(NewFormMarks) != std::u16string_view::npos) return true;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if ((text[i] | 0x20) == u'p' && (text[i + 1] | 0x20) == u'i') return true;
    return false;
}

// Whether a number was read from `text` (its first `reading.length` characters)
// and what follows goes on as a word, digits or a power: a unit the program
// does not know ("5 литра", "5 сm" with a Cyrillic с), a mixed number's
// fraction ("2 3/4"), "4π²", "10^3". Read from the start alone, such a text
// would give another number in silence; an operator or a sign after it
// ("5+2") or a text without a number ("abc", read as 0) is rewritten as
// what was read, as always.
bool goesOnUnread(std::u16string_view text, const platform::Reading& reading) {
    return reading.number && reading.length < text.size() && platform::goesOn(text[reading.length]);
}

}  // namespace

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
    kept_ = {};
    task_.reset();
    for (std::int16_t i = 0; i <= LastBoxIndex; ++i) {
        controls_.setBoxText(i, u"");
        controls_.setBoxLocked(i, true);
    }
    for (std::int16_t i = first; i <= last; ++i) controls_.setBoxLocked(i, false);
    show(std::nullopt);
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
    for (std::size_t i = 0; i < given.size(); ++i)
        if (controls_.boxText(box(k, static_cast<int>(given[i]))) != taskTexts_[i]) task_.reset();
    std::array<platform::Reading, 2> readings;
    std::array<bool, 2> keep{};
    std::array<bool, 2> reused{};  // read as the program wrote it
    calc::Givens givens;
    try {
        for (std::size_t i = 0; i < given.size(); ++i) {
            const int at = box(k, static_cast<int>(given[i]));
            const std::u16string typed = controls_.boxText(at);
            Kept& kept = kept_[i];
            if (kept.box == at && kept.text == typed) {
                readings[i] = kept.reading;
                keep[i] = reused[i] = true;
                continue;
            }
            kept = {};  // the box shows another text now
            try {
                readings[i] = platform::readNumber(typed);
                if (goesOnUnread(typed, readings[i]))
                    throw platform::CalculationError(platform::Failure::UnreadText);
            } catch (platform::CalculationError& error) {
                calc::nameQuantity(error, calc::quantityOf(given[i]), true);
                throw;
            }
            keep[i] = newForms(typed) || readings[i].unit;
        }
        if (reused[0] != reused[1])
            for (std::size_t i = 0; i < given.size(); ++i)
                if (reused[i]) readings[i] = kept_[i].inUnit;
        givens = calc::inOneUnit(k, readings);
    } catch (const platform::CalculationError&) {
        show(std::nullopt);  // nothing was calculated to explain
        throw;
    }
    calc::Calculation c;
    c.variant = k;
    c.givens = givens;
    try {
        calc::solveCylinder(k, givens.values[0].value, givens.values[1].value, c.q);
        for (int col = 0; col < calc::ColumnCount; ++col)
            controls_.setBoxText(box(k, col),
                                 platform::toText(c.q[static_cast<calc::Column>(col)], separator_));
        for (std::size_t i = 0; i < given.size(); ++i)
            if (keep[i]) {
                platform::Reading inUnit = givens.values[i];
                if (givens.length)
                    inUnit.unit = {calc::dimensionOf(calc::quantityOf(given[i])),
                                   givens.length->exponent, false, givens.length->cyrillic};
                kept_[i] = {box(k, static_cast<int>(given[i])),
                            platform::toText(givens.values[i].value, separator_), readings[i],
                            inUnit};
            }
        c.r = calc::inscribedSphereRadius(c.q.R, c.q.H);  // as the report finds it
        c.s = calc::reportInscribedSphere(c.q.R, c.q.H, *this, separator_);
    } catch (const platform::CalculationError& error) {
        c.failure = error.failure();
        c.failedQuantity = calc::failedQuantity(error);
        calc::solveExactly(c, givens.values[0].exact, givens.values[1].exact);
        show(c);
        throw;
    }
    // Only the solution shows the sphere around: it says there where that sphere
    // leaves the doubles, without a dialog.
    try {
        c.rho = calc::circumscribedSphereRadius(c.q.R, c.q.H);
        c.S = calc::sphereSurface(*c.rho, calc::Quantity::S);
    } catch (const platform::CalculationError&) {
    }
    calc::solveExactly(c, givens.values[0].exact, givens.values[1].exact);
    show(c);
}

void Form::onRoundingChoice(calc::Rounding rounding) {
    rounding_ = rounding;
    if (shown_ || task_) controls_.setSolution(solution());
}

void Form::show(std::optional<calc::Calculation> c) {
    shown_ = std::move(c);
    controls_.setSolution(solution());
}

namespace {

// The sphere around's S renamed where the task's S is the lateral surface.
void rename(calc::Formula& f) {
    if (f.kind == calc::Formula::Kind::Symbol && f.text == u"S") f.text = u"Sсф";
    for (calc::Formula& item : f.items) rename(item);
}

}  // namespace

calc::Solution Form::solution() const {
    calc::Solution s = shown_ ? calc::explain(*shown_, rounding_) : calc::Solution{};
    if (!task_) return s;
    std::vector<calc::Line> lines = calc::explainTask(task_->first, task_->second, rounding_);
    // The task keeps its letters: the solution names its own S otherwise.
    const auto& facts = task_->first.facts;
    const bool bookS = std::any_of(facts.begin(), facts.end(), [](const calc::Fact& f) {
        return f.measure == calc::Measure::So && f.kind != calc::Fact::Kind::Pi;
    });
    if (bookS)
        for (calc::Line& line : s.lines)
            for (calc::Part& part : line.parts)
                if (part.formula) rename(*part.formula);
    if (!s.empty()) {
        lines.push_back(
            {calc::Quantity::None, {{std::u16string(calc::text(calc::Text::GridPart)), {}}}});
        lines.insert(lines.end(), s.lines.begin(), s.lines.end());
    }
    s.lines = std::move(lines);
    return s;
}

void Form::onTask(std::u16string_view text) {
    calc::Task task = calc::readTask(text);
    calc::TaskResult result = task.unread.empty() ? calc::solveTask(task) : calc::TaskResult{};
    const std::optional<TaskEntry> entry = task.unread.empty() && !result.cylinders.empty()
                                               ? taskEntry(task, separator_)
                                               : std::nullopt;
    if (!entry) {
        // Nothing computed: the grid stays, the task says why.
        task_.emplace(std::move(task), std::move(result));
        taskTexts_ = {};
        calc::Solution s;
        s.lines = calc::explainTask(task_->first, task_->second, rounding_);
        controls_.setSolution(s);
        return;
    }
    controls_.selectOption(entry->variant);
    onOptionClick(entry->variant);
    const std::array<calc::Column, 2> given = calc::givenColumns(entry->variant);
    for (std::size_t i = 0; i < given.size(); ++i)
        controls_.setBoxText(box(entry->variant, static_cast<int>(given[i])), entry->texts[i]);
    onCommandClick(0);
    task_.emplace(std::move(task), std::move(result));
    for (std::size_t i = 0; i < given.size(); ++i)
        taskTexts_[i] = controls_.boxText(box(entry->variant, static_cast<int>(given[i])));
    controls_.setSolution(solution());
}

void Form::clearGrid() {
    kept_ = {};  // the texts the program wrote are gone
    task_.reset();
    for (std::int16_t i = 0; i <= LastBoxIndex; ++i) controls_.setBoxText(i, u"");
    show(std::nullopt);
}

}  // namespace window
