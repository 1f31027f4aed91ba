// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

#include "platform/calculationerror.h"

namespace calc {

// Grid columns, in display order.
enum class Column { R, H, So, Sp, V };
inline constexpr int ColumnCount = 5;
inline constexpr int VariantCount = 9;

// The five quantities of one cylinder: radius of the base, height, lateral
// surface 2πRH, total surface 2πR(R+H) and volume πR²H. No units.
struct CylinderQuantities {
    double R = 0;
    double H = 0;
    double So = 0;
    double Sp = 0;
    double V = 0;

    double& operator[](Column c);
    double operator[](Column c) const { return const_cast<CylinderQuantities&>(*this)[c]; }
    bool operator==(const CylinderQuantities&) const = default;
};

// What a solution line finds or a calculation stopped at: the five
// columns, then the inscribed sphere's radius r and surface s, then the
// sphere around the cylinder's radius ρ and surface S.
enum class Quantity { R, H, So, Sp, V, r, s, rho, S, None };

// The quantity of column c. Example: quantityOf(Column::So) == Quantity::So.
constexpr Quantity quantityOf(Column c) {
    return static_cast<Quantity>(c);
}

// The quantity `error` stopped at; None when it names none.
// Example: an overflow while the solver computes V gives Quantity::V.
Quantity failedQuantity(const platform::CalculationError& error);

// Names `q` as where `error` stopped, unless it names one already;
// `reading`: q's typed text could not be read.
// Example: nameQuantity(e, Quantity::H) then failedQuantity(e) == Quantity::H.
void nameQuantity(platform::CalculationError& error, Quantity q, bool reading = false);

struct Rule;

// Column names in display order, and the option caption of each variant.
inline constexpr std::array<std::u16string_view, ColumnCount> ColumnNames{u"R", u"H", u"So", u"Sp",
                                                                          u"V"};
inline constexpr std::array<std::u16string_view, VariantCount> VariantCaptions{
    u"Вариант 1", u"Вариант 2", u"Вариант 3", u"Вариант 4", u"Вариант 5",
    u"Вариант 6", u"Вариант 7", u"Вариант 8", u"Вариант 9"};

// The column header text of c: u"R", u"H", u"So", u"Sp" or u"V".
std::u16string_view columnName(Column c);

// The option caption of variant k (0..8): u"Вариант 1" .. u"Вариант 9".
std::u16string_view variantCaption(int variant);

// The columns of the two quantities variant k (0..8) takes as known, in
// the order solveCylinder reads them. Example: givenColumns(5) == {Sp, R}.
std::array<Column, 2> givenColumns(int variant);

// The columns of the three quantities variant k (0..8) computes, in the
// order it computes them. Example: computedColumns(2) == {R, So, V}.
std::array<Column, 3> computedColumns(int variant);

// The rules variant k (0..8) computes with, in that order.
// Example: computedRules(2)[0] == &RadiusFromHeightAndTotal.
std::array<const Rule*, 3> computedRules(int variant);

// All five quantities of variant k (0..8) from its two given values, in
// the order of givenColumns(k). The given values come back unchanged; the
// other three are computed step by step in a fixed order and grouping, so
// results are bit-identical everywhere. The first step that fails throws
// platform::CalculationError naming the quantity it was computing.
// Example: solveCylinder(0, 1, 1).Sp == FOUR_PI_14.
CylinderQuantities solveCylinder(int variant, double first, double second);

// As above, writing into `q` as it goes: the given values first, then each
// computed quantity once its step succeeds. When a step throws, `q` holds
// the given values and every step before it, and the failed quantity and
// those after it are left as they were.
void solveCylinder(int variant, double first, double second, CylinderQuantities& q);

}  // namespace calc
