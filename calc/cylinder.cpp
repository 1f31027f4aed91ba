// SPDX-License-Identifier: GPL-3.0-or-later
#include "cylinder.h"

#include <stdexcept>

#include "rules.h"

namespace calc {

namespace {

struct Variant {
    std::array<Column, 2> given;          // in reading order
    std::array<const Rule*, 3> computed;  // in computing order
};

using enum Column;

// Index k is the row of VariantCaptions[k]: given columns, then the rules.
// clang-format off
constexpr std::array<Variant, VariantCount> variants{{
    {{R, H},   {&LateralFromRadiusAndHeight, &TotalFromRadiusAndHeight,   &VolumeFromRadiusAndHeight}},
    {{R, So},  {&HeightFromRadiusAndLateral, &TotalFromRadiusAndHeight,   &VolumeFromRadiusAndHeight}},
    {{H, Sp},  {&RadiusFromHeightAndTotal,   &LateralFromRadiusAndHeight, &VolumeFromRadiusAndHeight}},
    {{H, So},  {&RadiusFromHeightAndLateral, &TotalFromRadiusAndHeight,   &VolumeFromRadiusAndHeight}},
    {{So, V},  {&RadiusFromLateralAndVolume, &HeightFromRadiusAndLateral, &TotalFromRadiusAndHeight}},
    {{Sp, R},  {&HeightFromRadiusAndTotal,   &VolumeFromRadiusAndHeight,  &LateralFromRadiusAndHeight}},
    {{R, V},   {&HeightFromRadiusAndVolume,  &TotalFromRadiusAndHeight,   &LateralFromRadiusAndHeight}},
    {{H, V},   {&RadiusFromHeightAndVolume,  &TotalFromRadiusAndHeight,   &LateralFromRadiusAndHeight}},
    {{So, Sp}, {&RadiusFromSurfaces,         &HeightFromRadiusAndLateral, &VolumeFromRadiusAndHeight}},
}};
// clang-format on

const Variant& variantAt(int k) {
    if (k < 0 || k >= VariantCount) throw std::out_of_range("variant index");
    return variants[static_cast<std::size_t>(k)];
}

}  // namespace

Quantity failedQuantity(const platform::CalculationError& error) {
    const int id = error.quantity();
    return id < 0 || id >= static_cast<int>(Quantity::None) ? Quantity::None
                                                            : static_cast<Quantity>(id);
}

void nameQuantity(platform::CalculationError& error, Quantity q, bool reading) {
    if (q != Quantity::None) error.nameQuantity(static_cast<int>(q), reading);
}

double& CylinderQuantities::operator[](Column c) {
    switch (c) {
        case Column::R:
            return R;
        case Column::H:
            return H;
        case Column::So:
            return So;
        case Column::Sp:
            return Sp;
        case Column::V:
            break;
    }
    return V;
}

std::u16string_view columnName(Column c) {
    return ColumnNames[static_cast<std::size_t>(c)];
}

std::u16string_view variantCaption(int variant) {
    variantAt(variant);  // checks the index
    return VariantCaptions[static_cast<std::size_t>(variant)];
}

std::array<Column, 2> givenColumns(int variant) {
    return variantAt(variant).given;
}

std::array<Column, 3> computedColumns(int variant) {
    const Variant& v = variantAt(variant);
    return {v.computed[0]->finds, v.computed[1]->finds, v.computed[2]->finds};
}

std::array<const Rule*, 3> computedRules(int variant) {
    return variantAt(variant).computed;
}

CylinderQuantities solveCylinder(int variant, double first, double second) {
    CylinderQuantities q;
    solveCylinder(variant, first, second, q);
    return q;
}

void solveCylinder(int variant, double first, double second, CylinderQuantities& q) {
    const Variant& v = variantAt(variant);
    q[v.given[0]] = first;
    q[v.given[1]] = second;
    for (const Rule* rule : v.computed) {
        try {
            q[rule->finds] = rule->evaluate(q).value();
        } catch (platform::CalculationError& error) {
            nameQuantity(error, quantityOf(rule->finds));
            throw;
        }
    }
}

}  // namespace calc
