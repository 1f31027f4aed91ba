#include "cylinder.h"

#include <stdexcept>
#include <utility>

#include "constants.h"
#include "platform/checked.h"

namespace calc {

using platform::Checked;
using platform::squareRoot;

namespace {

// A record's fields as checked values, so each formula reads as written.
struct Q {
    explicit Q(const CylinderQuantities& q) : R(q.R), H(q.H), So(q.So), Sp(q.Sp), V(q.V) {}
    Checked R, H, So, Sp, V;
};

constexpr Checked pi{PI_14};
constexpr Checked twoPi{TWO_PI_14};
constexpr Checked two{2.0};
constexpr Checked half{0.5};

// The formulas, each written once, in its evaluation order.

Checked lateralSurface(const Q& q) {
    return (twoPi * q.R) * q.H;
}
Checked totalSurface(const Q& q) {
    return (twoPi * q.R) * (q.R + q.H);
}
Checked volume(const Q& q) {
    return ((pi * q.R) * q.R) * q.H;
}
Checked heightFromLateral(const Q& q) {
    return q.So / (twoPi * q.R);
}
Checked heightFromTotal(const Q& q) {
    return (q.Sp - (twoPi * q.R) * q.R) / (twoPi * q.R);
}
Checked heightFromVolume(const Q& q) {
    return q.V / ((pi * q.R) * q.R);
}
Checked radiusFromLateral(const Q& q) {
    return q.So / (twoPi * q.H);
}
Checked radiusFromVolume(const Q& q) {
    return (q.V + q.V) / q.So;
}
Checked radiusFromHeightAndVolume(const Q& q) {
    return squareRoot(q.V / (pi * q.H));
}
Checked radiusFromSurfaces(const Q& q) {
    return squareRoot((q.Sp - q.So) / twoPi);
}

// R = ((−H) + √(H·H + (2·Sp)/π)) / 2, the positive root of 2πR² + 2πRH = Sp.
// For H > 0 with √… < 2·H the subtraction loses at least one bit (H = 1e8,
// Sp = 1 would give R = 0); there the same root is Sp / (π·(H + √…)), which
// subtracts nothing. Elsewhere the prescribed order is already accurate.
Checked radiusFromTotal(const Q& q) {
    const Checked root = squareRoot(q.H * q.H + (two * q.Sp) / pi);
    const double h = q.H.value();
    if (h > 0 && root.value() < 2 * h) return q.Sp / (pi * (q.H + root));
    // Halving is exact either way; multiplying by 1/2 spares a division.
    return (-q.H + root) * half;
}

using Formula = Checked (*)(const Q&);

struct Step {
    Column column;
    Formula formula;
};

struct Variant {
    std::array<Column, 2> given;   // in reading order
    std::array<Step, 3> computed;  // in computing order
};

using enum Column;

// Index k is the row of VariantCaptions[k]: given columns, then the steps.
// clang-format off
constexpr std::array<Variant, VariantCount> variants{{
    {{R, H},   {{{So, lateralSurface},           {Sp, totalSurface},      {V, volume}}}},
    {{R, So},  {{{H, heightFromLateral},         {Sp, totalSurface},      {V, volume}}}},
    {{H, Sp},  {{{R, radiusFromTotal},           {So, lateralSurface},    {V, volume}}}},
    {{H, So},  {{{R, radiusFromLateral},         {Sp, totalSurface},      {V, volume}}}},
    {{So, V},  {{{R, radiusFromVolume},          {H, heightFromLateral},  {Sp, totalSurface}}}},
    {{Sp, R},  {{{H, heightFromTotal},           {V, volume},             {So, lateralSurface}}}},
    {{R, V},   {{{H, heightFromVolume},          {Sp, totalSurface},      {So, lateralSurface}}}},
    {{H, V},   {{{R, radiusFromHeightAndVolume}, {Sp, totalSurface},      {So, lateralSurface}}}},
    {{So, Sp}, {{{R, radiusFromSurfaces},        {H, heightFromLateral},  {V, volume}}}},
}};
// clang-format on

// Each variant gives two columns and computes the other three.
constexpr bool coversAllColumns(const Variant& v) {
    unsigned seen = 0;
    for (Column c : v.given) seen |= 1U << static_cast<unsigned>(c);
    for (const Step& s : v.computed) seen |= 1U << static_cast<unsigned>(s.column);
    return seen == 0b11111;
}
static_assert([] {
    for (const Variant& v : variants)
        if (!coversAllColumns(v)) return false;
    return true;
}());

const Variant& variantAt(int k) {
    if (k < 0 || k >= VariantCount) throw std::out_of_range("variant index");
    return variants[static_cast<std::size_t>(k)];
}

// Step I of variant K, known at compile time so its formula is inlined.
template <std::size_t K, std::size_t I>
void compute(CylinderQuantities& q) {
    constexpr Step step = variants[K].computed[I];
    try {
        q[step.column] = step.formula(Q(q)).value();
    } catch (platform::CalculationError& error) {
        error.nameQuantity(columnName(step.column));
        throw;
    }
}

template <std::size_t K>
CylinderQuantities solveVariant(double first, double second) {
    constexpr const Variant& v = variants[K];
    CylinderQuantities q;
    q[v.given[0]] = first;
    q[v.given[1]] = second;
    compute<K, 0>(q);
    compute<K, 1>(q);
    compute<K, 2>(q);
    return q;
}

using Solver = CylinderQuantities (*)(double, double);

constexpr auto solvers = []<std::size_t... K>(std::index_sequence<K...>) {
    return std::array<Solver, VariantCount>{&solveVariant<K>...};
}
(std::make_index_sequence<VariantCount>{});

}  // namespace

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

CylinderQuantities solveCylinder(int variant, double first, double second) {
    variantAt(variant);  // checks the index
    return solvers[static_cast<std::size_t>(variant)](first, second);
}

}  // namespace calc
