// SPDX-License-Identifier: GPL-3.0-or-later
#include "taskentry.h"

#include <algorithm>
#include <array>
#include <utility>

#include "calc/cylinder.h"
#include "calc/exactform.h"
#include "calc/tasksolver.h"

namespace window {

namespace {

using calc::Column;
using calc::Measure;

// The grid's column each measure stands nearest to; any other is R's.
constexpr std::pair<Measure, Column> Nearest[]{{Measure::H, Column::H},
                                               {Measure::So, Column::So},
                                               {Measure::AxialArea, Column::So},
                                               {Measure::Sp, Column::Sp},
                                               {Measure::V, Column::V}};

// The grid's column a fact stands nearest to.
Column nearestColumn(const calc::Fact& f) {
    if (f.kind != calc::Fact::Kind::Value) return Column::H;  // relations mostly give h
    for (const auto& [measure, column] : Nearest)
        if (measure == f.measure) return column;
    return Column::R;
}

// The measure of each column, in the grid's order.
constexpr std::array ColumnMeasures{Measure::R, Measure::H, Measure::So, Measure::Sp, Measure::V};

Column columnOf(Measure m) {
    const auto at = std::find(ColumnMeasures.begin(), ColumnMeasures.end(), m);
    return at == ColumnMeasures.end() ? Column::R
                                      : static_cast<Column>(at - ColumnMeasures.begin());
}

std::optional<int> variantOf(Column a, Column b) {
    for (int k = 0; k < calc::VariantCount; ++k) {
        const auto given = calc::givenColumns(k);
        if ((given[0] == a && given[1] == b) || (given[0] == b && given[1] == a)) return k;
    }
    return std::nullopt;
}

// A value as a box reads it: its book form, else its decimal. A box reads
// a sum only in brackets ("(2 + √3)"); bare, it would stop at the sign.
std::u16string boxText(const platform::Exact& exact, double value, char16_t separator) {
    if (const std::optional<calc::Formula> form = calc::bookForm(exact)) {
        const std::u16string text = calc::formulaText(*form, separator);
        return form->kind == calc::Formula::Kind::Sum ? u"(" + text + u")" : text;
    }
    return platform::toText(value, separator);
}

std::u16string withUnit(std::u16string text, const std::optional<platform::Unit>& unit) {
    if (unit) {
        text += u' ';
        text += platform::unitText(*unit);
    }
    return text;
}

}  // namespace

std::optional<TaskEntry> taskEntry(const calc::Task& task, char16_t separator) {
    // The grid computes with its own π: the task's is left out.
    calc::Task grid = task;
    std::erase_if(grid.facts, [](const calc::Fact& f) { return f.kind == calc::Fact::Kind::Pi; });
    const calc::TaskResult result = calc::solveTask(grid);
    if (result.cylinders.empty() || result.heightUnknown) return std::nullopt;  // no row without H
    const calc::TaskCylinder& cylinder = result.cylinders.front();

    std::vector<const calc::Fact*> direct;
    std::vector<Column> near;
    for (const std::size_t i : result.used) {
        const calc::Fact& f = grid.facts[i];
        if (f.kind == calc::Fact::Kind::Value &&
            std::count(ColumnMeasures.begin(), ColumnMeasures.end(), f.measure) > 0)
            direct.push_back(&f);
        near.push_back(nearestColumn(f));
    }
    std::optional<int> variant;
    if (direct.size() >= 2)
        variant = variantOf(columnOf(direct[0]->measure), columnOf(direct[1]->measure));
    if (!variant && near.size() >= 2 && near[0] != near[1]) variant = variantOf(near[0], near[1]);
    if (!variant) variant = 0;

    TaskEntry entry{.variant = *variant, .texts = {}};
    const auto given = calc::givenColumns(*variant);
    for (std::size_t i = 0; i < given.size(); ++i) {
        const auto fact = std::find_if(direct.begin(), direct.end(), [&](const calc::Fact* f) {
            return columnOf(f->measure) == given[i];
        });
        if (fact != direct.end()) {
            entry.texts[i] =
                withUnit(boxText((*fact)->number.exact, (*fact)->number.value, separator),
                         (*fact)->number.unit);
            continue;
        }
        const Measure m = ColumnMeasures[static_cast<std::size_t>(given[i])];
        const calc::Both value = calc::measureOf(m, cylinder, calc::TaskPi::Program, std::nullopt);
        std::optional<platform::Unit> unit;
        if (result.length) {
            unit = *result.length;
            unit->dimension = calc::dimensionOf(m);
        }
        entry.texts[i] = withUnit(boxText(value.exact, value.value, separator), unit);
    }
    return entry;
}

}  // namespace window
