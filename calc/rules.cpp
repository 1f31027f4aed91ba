// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules.h"

#include "constants.h"
#include "texts.h"

namespace calc {

using platform::Checked;
using platform::squareRoot;
using enum Column;

namespace {

// A record's fields as checked values, so each evaluation reads as written.
struct Q {
    explicit Q(const CylinderQuantities& q) : R(q.R), H(q.H), So(q.So), Sp(q.Sp), V(q.V) {}
    Checked R, H, So, Sp, V;
};

constexpr Checked pi{PI_14};
constexpr Checked twoPi{TWO_PI_14};
constexpr Checked two{2.0};
constexpr Checked half{0.5};

// The school formulas; letters stand for the quantities.
Formula q(Column c) {
    return sym(columnName(c));
}
Formula lit2() {
    return lit(u"2");
}
Formula lateral() {
    return prod({lit2(), calc::pi(), q(R), q(H)});
}
Formula total() {
    return prod({lit2(), calc::pi(), q(R), sum({q(R), q(H)}, u"+")});
}
Formula volume() {
    return prod({calc::pi(), square(q(R)), q(H)});
}
Formula twoPiR() {
    return prod({lit2(), calc::pi(), q(R)});
}
Formula twoPiRSquared() {
    return prod({lit2(), calc::pi(), square(q(R))});
}
Formula piRSquared() {
    return prod({calc::pi(), square(q(R))});
}
Formula soIs() {
    return rel({q(So), lateral()}, u"=");
}
Formula vIs() {
    return rel({q(V), volume()}, u"=");
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

// Each rule: its evaluation in its order, then how a pupil writes it.

Checked lateralSurface(const Q& q) {
    return (twoPi * q.R) * q.H;
}
Derivation deriveLateral() {
    return {.formula = lateral()};
}

Checked totalSurface(const Q& q) {
    return (twoPi * q.R) * (q.R + q.H);
}
Derivation deriveTotal() {
    return {.formula = total()};
}

Checked volumeOf(const Q& q) {
    return ((pi * q.R) * q.R) * q.H;
}
Derivation deriveVolume() {
    return {.formula = volume()};
}

Checked heightFromLateral(const Q& q) {
    return q.So / (twoPi * q.R);
}
Derivation deriveHeightFromLateral() {
    return {.from = {soIs()},
            .formula = frac(q(So), twoPiR()),
            .divisorQuantity = R,
            .divisor = twoPiR()};
}

Checked heightFromTotal(const Q& q) {
    return (q.Sp - (twoPi * q.R) * q.R) / (twoPi * q.R);
}
Derivation deriveHeightFromTotal() {
    return {.from = {rel({q(Sp), sum({twoPiRSquared(), lateral()}, u"+")}, u"=")},
            .formula = frac(sum({q(Sp), twoPiRSquared()}, u"−"), twoPiR()),
            .divisorQuantity = R,
            .divisor = twoPiR()};
}

Checked heightFromVolume(const Q& q) {
    return q.V / ((pi * q.R) * q.R);
}
Derivation deriveHeightFromVolume() {
    return {.from = {vIs()},
            .formula = frac(q(V), piRSquared()),
            .divisorQuantity = R,
            .divisor = piRSquared()};
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
Derivation deriveRadiusFromTotal() {
    // The positive root of a quadratic.
    Formula radicand = sum({square(q(H)), frac(prod({lit2(), q(Sp)}), calc::pi())}, u"+");
    return {
        .from = {rel({q(Sp), total()}, u"="),
                 rel({sum({twoPiRSquared(), prod({lit2(), calc::pi(), q(H), q(R)}), q(Sp)}, u"+−"),
                      lit(u"0")},
                     u"=")},
        .formula = frac(sum({negate(q(H)), root(radicand)}, u"+"), lit2()),
        .note = text(Text::PositiveRoot),
        .radicand = radicand};
}

Checked radiusFromLateral(const Q& q) {
    return q.So / (twoPi * q.H);
}
Derivation deriveRadiusFromLateral() {
    const Formula twoPiH = prod({lit2(), calc::pi(), q(H)});
    return {
        .from = {soIs()}, .formula = frac(q(So), twoPiH), .divisorQuantity = H, .divisor = twoPiH};
}

Checked radiusFromVolume(const Q& q) {
    return (q.V + q.V) / q.So;
}
Derivation deriveRadiusFromVolume() {
    // V/So = R/2
    return {
        .from = {rel({frac(q(V), q(So)), frac(volume(), lateral()), frac(q(R), lit2())}, u"==")},
        .formula = frac(prod({lit2(), q(V)}), q(So)),
        .divisorQuantity = So,
        .divisor = q(So)};
}

Checked radiusFromHeightAndVolume(const Q& q) {
    return squareRoot(q.V / (pi * q.H));
}
Derivation deriveRadiusFromHeightAndVolume() {
    const Formula piH = prod({calc::pi(), q(H)});
    return {.from = {vIs()},
            .formula = root(frac(q(V), piH)),
            .divisorQuantity = H,
            .divisor = piH,
            .radicand = frac(q(V), piH)};
}

Checked radiusFromSurfaces(const Q& q) {
    return squareRoot((q.Sp - q.So) / twoPi);
}
Derivation deriveRadiusFromSurfaces() {
    const Formula difference = sum({q(Sp), q(So)}, u"−");
    return {.from = {rel({difference, twoPiRSquared()}, u"=")},
            .formula = root(frac(difference, prod({lit2(), calc::pi()}))),
            .radicand = difference};
}

template <Checked (*F)(const Q&)>
Checked evaluate(const CylinderQuantities& q) {
    return F(Q(q));
}

}  // namespace

constexpr Rule LateralFromRadiusAndHeight{So, evaluate<lateralSurface>, deriveLateral};
constexpr Rule TotalFromRadiusAndHeight{Sp, evaluate<totalSurface>, deriveTotal};
constexpr Rule VolumeFromRadiusAndHeight{V, evaluate<volumeOf>, deriveVolume};
constexpr Rule HeightFromRadiusAndLateral{H, evaluate<heightFromLateral>, deriveHeightFromLateral};
constexpr Rule HeightFromRadiusAndTotal{H, evaluate<heightFromTotal>, deriveHeightFromTotal};
constexpr Rule HeightFromRadiusAndVolume{H, evaluate<heightFromVolume>, deriveHeightFromVolume};
constexpr Rule RadiusFromHeightAndTotal{R, evaluate<radiusFromTotal>, deriveRadiusFromTotal};
constexpr Rule RadiusFromHeightAndLateral{R, evaluate<radiusFromLateral>, deriveRadiusFromLateral};
constexpr Rule RadiusFromLateralAndVolume{R, evaluate<radiusFromVolume>, deriveRadiusFromVolume};
constexpr Rule RadiusFromHeightAndVolume{R, evaluate<radiusFromHeightAndVolume>,
                                         deriveRadiusFromHeightAndVolume};
constexpr Rule RadiusFromSurfaces{R, evaluate<radiusFromSurfaces>, deriveRadiusFromSurfaces};

}  // namespace calc
