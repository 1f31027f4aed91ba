// SPDX-License-Identifier: GPL-3.0-or-later
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

// a + b and a·b as a rounded double plus the exact rest (Knuth's sum,
// Dekker's product: plain operations, no fused multiply-add needed).
struct Exact {
    double hi, lo;
};
Exact exactSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}
Exact split(double a) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double hi = c - (c - a);
    return {hi, a - hi};
}
Exact exactProduct(double a, double b) {
    const double p = a * b;
    const Exact x = split(a);
    const Exact y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// One Newton step on 2π·R·(R + H) = Sp from r, with the residual computed
// exactly enough that only the last rounding remains: r is good to a few
// ulp, the result to about half of one. Only where no part of the
// residual can overflow or fall below the normal range; else r as it is.
double polishRadius(double r, double h, double sp) {
    constexpr double low = 0x1p-900, high = 0x1p1000;
    if (!(r > low && sp > low && sp < high)) return r;
    const Exact sum = exactSum(r, h);         // R + H
    const Exact m = exactProduct(r, sum.hi);  // R·(R + H)
    const double mLo = m.lo + r * sum.lo;
    const Exact n = exactProduct(TWO_PI_14, m.hi);                   // 2π·R·(R + H)
    const double residual = ((n.hi - sp) + n.lo) + TWO_PI_14 * mLo;  // n.hi − sp is exact
    return r - residual / (TWO_PI_14 * ((r + r) + h));
}

// R = ((−H) + √(H·H + (2·Sp)/π)) / 2, the positive root of 2πR² + 2πRH = Sp.
// For H > 0 with √… < 2·H the subtraction loses at least one bit (H = 1e8,
// Sp = 1 would give R = 0); there the same root is Sp / (π·(H + √…)), which
// subtracts nothing, polished by one Newton step. Elsewhere the prescribed
// order is already accurate.
Checked radiusFromTotal(const Q& q) {
    const Checked root = squareRoot(q.H * q.H + (two * q.Sp) / pi);
    const double h = q.H.value();
    if (h > 0 && root.value() < 2 * h) {
        const Checked r = q.Sp / (pi * (q.H + root));
        return Checked(polishRadius(r.value(), h, q.Sp.value()));
    }
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
void solveVariant(double first, double second, CylinderQuantities& q) {
    constexpr const Variant& v = variants[K];
    q[v.given[0]] = first;
    q[v.given[1]] = second;
    compute<K, 0>(q);
    compute<K, 1>(q);
    compute<K, 2>(q);
}

using Solver = void (*)(double, double, CylinderQuantities&);

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

std::array<Column, 3> computedColumns(int variant) {
    const Variant& v = variantAt(variant);
    return {v.computed[0].column, v.computed[1].column, v.computed[2].column};
}

CylinderQuantities solveCylinder(int variant, double first, double second) {
    CylinderQuantities q;
    solveCylinder(variant, first, second, q);
    return q;
}

void solveCylinder(int variant, double first, double second, CylinderQuantities& q) {
    variantAt(variant);  // checks the index
    solvers[static_cast<std::size_t>(variant)](first, second, q);
}

}  // namespace calc
