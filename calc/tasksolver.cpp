// SPDX-License-Identifier: GPL-3.0-or-later
#include "tasksolver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <numeric>
#include <utility>

#include "exactform.h"
#include "platform/polynomial.h"
#include "platform/units.h"
#include "texts.h"

namespace calc {

using platform::Exact;
using platform::Rational;

Both operator+(const Both& a, const Both& b) {
    return {a.value + b.value, a.exact + b.exact};
}
Both operator-(const Both& a, const Both& b) {
    return {a.value - b.value, a.exact - b.exact};
}
Both operator*(const Both& a, const Both& b) {
    return {a.value * b.value, a.exact * b.exact};
}
Both operator/(const Both& a, const Both& b) {
    return {a.value / b.value, a.exact / b.exact};
}

double approximate(const Exact& x, double pi) {
    double v = 0;
    for (const platform::ExactTerm& t : x.terms()) {
        double term = static_cast<double>(t.coefficient.numerator()) /
                      static_cast<double>(t.coefficient.denominator());
        if (t.radicand != 1) term *= std::sqrt(static_cast<double>(t.radicand));
        for (int i = 0; i < t.piPower; ++i) term *= pi;
        for (int i = 0; i > t.piPower; --i) term /= pi;
        v += term;
    }
    return v;
}

Both taskPi(TaskPi pi) {
    switch (pi) {
        case TaskPi::Approx:
            return {3.14, Exact(Rational(157, 50))};
        case TaskPi::Sevenths:
            return {22.0 / 7, Exact(Rational(22, 7))};
        case TaskPi::Program:
            break;
    }
    return {platform::PI_14, Exact::pi()};
}

namespace {

Both number(long long n) {
    return {static_cast<double>(n), Exact(n)};
}
Both fromReading(const platform::Reading& r) {
    return {r.value, r.exact};
}
Both squareRoot(const Both& x) {
    return {std::sqrt(x.value), platform::sqrt(x.exact)};
}
bool isZero(const Both& x) {
    return x.exact.exact() ? x.exact.isZero() : x.value == 0;
}

// The letters of a formula and their values.
struct Env {
    std::vector<std::pair<std::u16string, Both>> letters;
    Both pi;
    void set(std::u16string_view letter, Both value) {
        letters.emplace_back(std::u16string(letter), std::move(value));
    }
    const Both* find(std::u16string_view letter) const {
        for (auto it = letters.rbegin(); it != letters.rend(); ++it)
            if (it->first == letter) return &it->second;
        return nullptr;
    }
};

Formula letter(Measure m) {
    return sym(bookLetter(m));
}
Formula rr() {
    return letter(Measure::R);
}
Formula hh() {
    return letter(Measure::H);
}
Formula two() {
    return lit(u"2");
}

// A formula's value, worked out left to right; its letters from `env`.
Both evaluate(const Formula& f, const Env& env) {
    using Kind = Formula::Kind;
    switch (f.kind) {
        case Kind::Symbol:
            if (f.text == u"π") return env.pi;
            if (const Both* value = env.find(f.text)) return *value;
            return {std::nan(""), Exact::none()};
        case Kind::Literal: {
            long long n = 0;
            for (const char16_t c : f.text) n = n * 10 + (c - u'0');
            return number(n);
        }
        case Kind::Number:
            return {f.value, Exact::none()};
        case Kind::Sum: {
            Both v = evaluate(f.items[0], env);
            for (std::size_t i = 1; i < f.items.size(); ++i)
                v = f.ops[i - 1] == u'+' ? v + evaluate(f.items[i], env)
                                         : v - evaluate(f.items[i], env);
            return v;
        }
        case Kind::Product: {
            Both v = evaluate(f.items[0], env);
            for (std::size_t i = 1; i < f.items.size(); ++i) v = v * evaluate(f.items[i], env);
            return v;
        }
        case Kind::Fraction:
            return evaluate(f.items[0], env) / evaluate(f.items[1], env);
        case Kind::Root:
            return squareRoot(evaluate(f.items[0], env));
        case Kind::Square: {
            const Both x = evaluate(f.items[0], env);
            return f.text.empty() ? x * x : x * x * x;
        }
        case Kind::Negate:
            return number(0) - evaluate(f.items[0], env);
        default:
            return {std::nan(""), Exact::none()};
    }
}

}  // namespace

platform::Dimension dimensionOf(Measure m) {
    switch (m) {
        case Measure::B:
        case Measure::So:
        case Measure::Sp:
        case Measure::AxialArea:
        case Measure::SphereSurface:
        case Measure::s:
        case Measure::Around:
        case Measure::OpenSurface:
            return platform::Dimension::Area;
        case Measure::V:
        case Measure::SphereVolume:
            return platform::Dimension::Volume;
        default:
            return platform::Dimension::Length;
    }
}

Formula valueForm(const Both& x) {
    if (std::optional<Formula> form = bookForm(x.exact)) return *form;
    Formula f = num(x.value);
    f.filledIn = true;
    return f;
}

namespace {

// `f` with every letter of `env` replaced by its value; π stays π.
Formula putIn(Formula f, const Env& env) {
    if (f.kind == Formula::Kind::Symbol && f.text != u"π")
        if (const Both* value = env.find(f.text)) return valueForm(*value);
    for (Formula& item : f.items) item = putIn(std::move(item), env);
    return f;
}

// The inscribed sphere's radius, surface or volume.
bool ofSphere(Measure m) {
    return m == Measure::SphereRadius || m == Measure::SphereSurface || m == Measure::SphereVolume;
}

bool radiusOnly(Measure m) {
    return m == Measure::R || m == Measure::d || m == Measure::C || m == Measure::B || ofSphere(m);
}

// R from a measure of the base alone, in the book's letters; nothing for
// the sphere's volume, whose cube root is solved as an equation.
std::optional<Formula> radiusFrom(Measure m) {
    switch (m) {
        case Measure::R:
        case Measure::SphereRadius:
            return letter(m);
        case Measure::d:
            return frac(letter(m), two());
        case Measure::C:
            return frac(letter(m), prod({two(), pi()}));
        case Measure::B:
            return root(frac(letter(m), pi()));
        case Measure::SphereSurface:
            return root(frac(letter(m), prod({lit(u"4"), pi()})));
        default:
            return std::nullopt;
    }
}

// H from R and a measure of both.
std::optional<Formula> heightFrom(Measure m) {
    switch (m) {
        case Measure::H:
            return letter(m);
        case Measure::So:
            return frac(letter(m), prod({two(), pi(), rr()}));
        case Measure::Sp:
            return sum({frac(letter(m), prod({two(), pi(), rr()})), rr()}, u"−");
        case Measure::V:
            return frac(letter(m), prod({pi(), square(rr())}));
        case Measure::AxialArea:
            return frac(letter(m), prod({two(), rr()}));
        case Measure::AxialDiagonal:
            return root(sum({square(letter(m)), square(prod({two(), rr()}))}, u"−"));
        case Measure::AxialPerimeter:
            return frac(sum({letter(m), prod({lit(u"4"), rr()})}, u"−"), two());
        case Measure::DevelopmentDiagonal:
            return root(sum({square(letter(m)), square(prod({two(), pi(), rr()}))}, u"−"));
        case Measure::rho:
            return prod({two(), root(sum({square(letter(m)), square(rr())}, u"−"))});
        default:
            return std::nullopt;
    }
}

// R from H and a measure of both.
std::optional<Formula> radiusFromHeight(Measure m) {
    switch (m) {
        case Measure::So:
            return frac(letter(m), prod({two(), pi(), hh()}));
        case Measure::Sp:
            return frac(
                sum({root(sum({square(hh()), frac(prod({two(), letter(m)}), pi())}, u"+")), hh()},
                    u"−"),
                two());
        case Measure::V:
            return root(frac(letter(m), prod({pi(), hh()})));
        case Measure::AxialArea:
            return frac(letter(m), prod({two(), hh()}));
        case Measure::AxialDiagonal:
            return frac(root(sum({square(letter(m)), square(hh())}, u"−")), two());
        case Measure::AxialPerimeter:
            return frac(sum({letter(m), prod({two(), hh()})}, u"−"), lit(u"4"));
        case Measure::DevelopmentDiagonal:
            return frac(root(sum({square(letter(m)), square(hh())}, u"−")), prod({two(), pi()}));
        case Measure::rho:
            return root(sum({square(letter(m)), square(frac(hh(), two()))}, u"−"));
        default:
            return std::nullopt;
    }
}

}  // namespace

Formula measureFormula(Measure m) {
    const Formula r = rr(), h = hh();
    switch (m) {
        case Measure::R:
        case Measure::SphereRadius:
            return r;
        case Measure::d:
            return prod({two(), r});
        case Measure::C:
            return prod({two(), pi(), r});
        case Measure::B:
            return prod({pi(), square(r)});
        case Measure::H:
            return h;
        case Measure::So:
            return prod({two(), pi(), r, h});
        case Measure::Sp:
            return prod({two(), pi(), r, sum({r, h}, u"+")});
        case Measure::V:
            return prod({pi(), square(r), h});
        case Measure::AxialArea:
            return prod({two(), r, h});
        case Measure::AxialDiagonal:
            return root(sum({square(prod({two(), r})), square(h)}, u"+"));
        case Measure::AxialPerimeter:
            return prod({two(), sum({prod({two(), r}), h}, u"+")});
        case Measure::DevelopmentDiagonal:
            return root(sum({square(prod({two(), pi(), r})), square(h)}, u"+"));
        case Measure::SphereSurface:
            return prod({lit(u"4"), pi(), square(r)});
        case Measure::SphereVolume:
            return frac(prod({lit(u"4"), pi(), cube(r)}), lit(u"3"));
        case Measure::r:
            return call(u"min", {r, frac(h, two())});
        case Measure::s:
            return prod({lit(u"4"), pi(), square(letter(Measure::r))});
        case Measure::rho:
            return root(sum({square(r), square(frac(h, two()))}, u"+"));
        case Measure::Around:
            return prod({lit(u"4"), pi(), square(letter(Measure::rho))});
        case Measure::OpenSurface:
            return sum({prod({pi(), square(r)}), prod({two(), pi(), r, h})}, u"+");
        case Measure::Mass:
            return prod({sym(u"ρ"), letter(Measure::V)});
    }
    return r;
}

Both measureOf(Measure m, const TaskCylinder& c, TaskPi pi, const std::optional<Both>& density) {
    Env env{.letters = {}, .pi = taskPi(pi)};
    env.set(bookLetter(Measure::R), c.R);
    env.set(bookLetter(Measure::H), c.H);
    switch (m) {
        case Measure::r: {
            const Both half = c.H / number(2);
            const std::optional<int> sign = (c.R.exact - half.exact).sign();
            const bool radius = sign ? *sign <= 0 : c.R.value <= half.value;
            return radius ? c.R : half;
        }
        case Measure::s:
            env.set(bookLetter(Measure::r), measureOf(Measure::r, c, pi, density));
            break;
        case Measure::Around:
            env.set(bookLetter(Measure::rho), measureOf(Measure::rho, c, pi, density));
            break;
        case Measure::Mass:
            if (!density) return {std::nan(""), Exact::none()};
            env.set(u"ρ", *density);
            env.set(bookLetter(Measure::V), measureOf(Measure::V, c, pi, density));
            break;
        default:
            break;
    }
    return evaluate(measureFormula(m), env);
}

AnswerUnit answerUnit(const Fact& asked, const TaskResult& result) {
    const int dimension = static_cast<int>(dimensionOf(asked.measure));
    if (!result.length) return {asked.unit ? asked.unit->text : std::u16string(), 0, std::nullopt};
    const int exponent = result.length->exponent;
    if (asked.measure == Measure::Mass) {
        // V in cm³ times g/cm³ gives grams.
        const int toGrams = 3 * (exponent + 2);
        if (asked.unit) return {asked.unit->text, toGrams - asked.unit->exponent, std::nullopt};
        return result.massUnit.empty()
                   ? AnswerUnit{u"g", toGrams, std::nullopt}
                   : AnswerUnit{result.massUnit, toGrams - result.massExponent, std::nullopt};
    }
    if (asked.unit)
        return {asked.unit->text, dimension * exponent - asked.unit->exponent,
                asked.unit->exponent};
    return {platform::unitText({static_cast<platform::Dimension>(dimension), exponent, false,
                                result.length->cyrillic}),
            0, dimension * exponent};
}

Both powerOfTen(int n) {
    Both x = number(1);
    for (int i = 0; i < n; ++i) x = x * number(10);
    for (int i = 0; i > n; --i) x = x / number(10);
    return x;
}

Both answerOf(const Fact& asked, const TaskCylinder& c, const TaskResult& result) {
    // 10^shift first, then one product: the answer's one rounding.
    return measureOf(asked.measure, c, result.pi, result.density) *
           powerOfTen(answerUnit(asked, result).shift);
}

namespace {

// A fact as an equation P(R, H) = 0, P's coefficients c[i][j] of RⁱHʲ.
struct Poly {
    std::array<std::array<Both, 3>, 4> c{};
};

// Each measure as a polynomial in R and H: its terms (a/b)·πᵏ·RⁱHʲ.
struct MeasureTerm {
    Measure measure;
    int i, j;
    long long a, b;
    int piPower;
};
// clang-format off
constexpr MeasureTerm MeasureTerms[]{
    {Measure::R, 1, 0, 1, 1, 0},         {Measure::SphereRadius, 1, 0, 1, 1, 0},
    {Measure::d, 1, 0, 2, 1, 0},         {Measure::C, 1, 0, 2, 1, 1},
    {Measure::B, 2, 0, 1, 1, 1},         {Measure::H, 0, 1, 1, 1, 0},
    {Measure::So, 1, 1, 2, 1, 1},        {Measure::Sp, 2, 0, 2, 1, 1},
    {Measure::Sp, 1, 1, 2, 1, 1},        {Measure::V, 2, 1, 1, 1, 1},
    {Measure::AxialArea, 1, 1, 2, 1, 0}, {Measure::AxialPerimeter, 1, 0, 4, 1, 0},
    {Measure::AxialPerimeter, 0, 1, 2, 1, 0},
    {Measure::SphereSurface, 2, 0, 4, 1, 1}, {Measure::SphereVolume, 3, 0, 4, 3, 1},
};
// clang-format on

// Adds scale · (measure m as a polynomial); false where it is none (a diagonal).
bool addMeasure(Poly& p, Measure m, const Both& scale, const Both& pi) {
    bool found = false;
    for (const MeasureTerm& t : MeasureTerms) {
        if (t.measure != m) continue;
        Both term{static_cast<double>(t.a) / static_cast<double>(t.b), Exact(Rational(t.a, t.b))};
        for (int k = 0; k < t.piPower; ++k) term = term * pi;
        p.c[t.i][t.j] = p.c[t.i][t.j] + scale * term;
        found = true;
    }
    return found;
}

struct Constraint {
    Poly p;
    std::size_t fact = 0;
    // Value facts: the measure and its value, for the pupil's formulas.
    std::optional<Measure> measure;
    Both value;
    // Relations: m = k · o + b.
    std::optional<Measure> left, right;
    Both factor, added;
    bool used = false;
    bool same = false;  // says what the facts before it said: no part in the cylinder
};

bool hasHeight(const Poly& p) {
    for (const auto& row : p.c)
        if (!isZero(row[1]) || !isZero(row[2])) return true;
    return false;
}
bool hasRadius(const Poly& p) {
    for (std::size_t i = 1; i < p.c.size(); ++i)
        for (const Both& x : p.c[i])
            if (!isZero(x)) return true;
    return false;
}

// xⁿ.
Both power(const Both& x, std::size_t n) {
    Both v = number(1);
    for (std::size_t i = 0; i < n; ++i) v = v * x;
    return v;
}

// A polynomial in one unknown, from the constant up.
using Univariate = std::vector<Both>;

Univariate inRadius(const Poly& p, const Both& h) {
    Univariate a(p.c.size());
    for (std::size_t i = 0; i < p.c.size(); ++i)
        for (std::size_t j = 0; j < 3; ++j) a[i] = a[i] + p.c[i][j] * power(h, j);
    return a;
}
Univariate inHeight(const Poly& p, const Both& r) {
    Univariate a(3);
    for (std::size_t i = 0; i < p.c.size(); ++i)
        for (std::size_t j = 0; j < 3; ++j) a[j] = a[j] + p.c[i][j] * power(r, i);
    return a;
}

Univariate times(const Univariate& a, const Univariate& b) {
    if (a.empty() || b.empty()) return {};
    Univariate out(a.size() + b.size() - 1);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) out[i + j] = out[i + j] + a[i] * b[j];
    return out;
}
Univariate minus(Univariate a, const Univariate& b) {
    if (a.size() < b.size()) a.resize(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) a[i] = a[i] - b[i];
    return a;
}
// The coefficient of Hʲ, a polynomial in R.
Univariate heightCoefficient(const Poly& p, std::size_t j) {
    Univariate a(p.c.size());
    for (std::size_t i = 0; i < p.c.size(); ++i) a[i] = p.c[i][j];
    return a;
}

void trim(Univariate& a) {
    while (!a.empty() && isZero(a.back())) a.pop_back();
}

// Whether the exact x is the double root `near`: they agree to 12 digits.
bool near(const Exact& x, double root, double pi) {
    const double v = approximate(x, pi);
    return std::abs(v - root) <= 1e-12 * std::abs(root);
}

// The exact root of `a` nearest the double `root`: by the formula up to
// degree 2, by the rational roots of integer coefficients above; none
// where the family of exact values has none.
Exact exactRoot(const Univariate& a, double root, double pi) {
    for (const Both& x : a)
        if (!x.exact.exact()) return Exact::none();
    if (a.size() == 2) return (Exact(0) - a[0].exact) / a[1].exact;
    if (a.size() == 3) {
        const Exact disc = a[1].exact * a[1].exact - Exact(4) * a[2].exact * a[0].exact;
        const Exact s = platform::sqrt(disc);
        for (const Exact& candidate : {(Exact(0) - a[1].exact + s) / (Exact(2) * a[2].exact),
                                       (Exact(0) - a[1].exact - s) / (Exact(2) * a[2].exact)})
            if (candidate.exact() && near(candidate, root, pi)) return candidate;
        return Exact::none();
    }
    // Rational coefficients up to a common factor: try p/q, p | a₀, q | aₙ.
    const Exact unit = a.back().exact;
    std::vector<Rational> q;
    for (const Both& x : a) {
        const std::optional<Rational> ratio = (x.exact / unit).rational();
        if (!ratio) return Exact::none();
        q.push_back(*ratio);
    }
    // Small coefficients only: the divisors are tried one by one.
    constexpr long long Largest = 1'000'000;
    long long lcm = 1;
    for (const Rational& x : q)
        if ((lcm = std::lcm(lcm, x.denominator())) > Largest) return Exact::none();
    long long a0 = 0;
    if (__builtin_mul_overflow(q.front().numerator(), lcm / q.front().denominator(), &a0))
        return Exact::none();
    a0 = a0 < 0 ? -a0 : a0;
    const long long an = lcm;
    if (a0 == 0 || a0 > Largest || !(root < static_cast<double>(Largest))) return Exact::none();
    const auto isRoot = [&a](const Exact& candidate) {
        Exact value;
        for (auto it = a.rbegin(); it != a.rend(); ++it) value = value * candidate + it->exact;
        return value.isZero();
    };
    // Near the double root only: p/q within it, for each divisor q of aₙ; a
    // root the doubles found twice (they split it) within a millionth.
    for (long long d = 1; d <= an; ++d) {
        if (an % d != 0) continue;
        const long long p = std::llround(root * static_cast<double>(d));
        if (p <= 0 || a0 % p != 0 ||
            !(std::abs(static_cast<double>(p) / static_cast<double>(d) - root) <= 1e-6 * root))
            continue;
        const Exact candidate(Rational(p, d));
        if (isRoot(candidate)) return candidate;
    }
    // A rational root elsewhere leaves a lower degree that may hold this one
    // exactly: r³ − 10r + 12 = (r − 2)(r² + 2r − 6) gives r = √7 − 1.
    std::vector<long long> divisors;
    for (long long p = 1; p * p <= a0; ++p)
        if (a0 % p == 0) divisors.insert(divisors.end(), {p, a0 / p});
    for (long long d = 1; d <= an; ++d) {
        if (an % d != 0) continue;
        for (const long long p : divisors) {
            for (const long long signed_ : {p, -p}) {
                const Exact c(Rational(signed_, d));
                if (!isRoot(c)) continue;
                // (x − c)·(b₀ + b₁x + …): from the top, bₖ₋₁ = aₖ + c·bₖ.
                Univariate quotient(a.size() - 1);
                Both carry = a.back();
                for (std::size_t k = a.size() - 1; k-- > 0;) {
                    quotient[k] = carry;
                    carry = a[k] + Both{approximate(c, pi), c} * carry;
                }
                return exactRoot(quotient, root, pi);
            }
        }
    }
    return Exact::none();
}

// A univariate polynomial's formula in the letter x: "2πr³ − 94,25r + 132,7".
Formula polynomialFormula(const Univariate& a, const Formula& x) {
    std::vector<Formula> items;
    std::u16string ops;
    for (std::size_t k = a.size(); k-- > 0;) {
        if (isZero(a[k])) continue;
        const bool negative = a[k].exact.exact() ? a[k].exact.sign() == -1 : a[k].value < 0;
        const Both magnitude = negative ? number(0) - a[k] : a[k];
        std::vector<Formula> factors;
        const bool one = magnitude.exact.exact() && magnitude.exact == Exact(1);
        if (!one || k == 0) factors.push_back(valueForm(magnitude));
        if (k == 1) factors.push_back(x);
        if (k == 2) factors.push_back(square(x));
        if (k > 2) factors.push_back(sym(x.text + std::u16string(1, u"³⁴⁵⁶"[k - 3])));
        Formula term = factors.size() == 1 ? factors[0] : prod(std::move(factors));
        if (items.empty() && negative)
            term = negate(std::move(term));
        else if (!items.empty())
            ops += negative ? u'−' : u'+';
        items.push_back(std::move(term));
    }
    if (items.empty()) return lit(u"0");
    Formula left = items.size() == 1 ? items[0] : sum(std::move(items), ops);
    return rel({std::move(left), lit(u"0")}, u"=");
}

class Solver {
public:
    Solver(const Task& task) : task_(task) {}

    TaskResult run() {
        gather();
        if (!result_.message.empty()) return std::move(result_);
        if (constraints_.empty()) return fail(std::u16string(text(Text::NothingGiven)));
        propagate();
        if (result_.message.empty() && !r_ && !h_) system();
        if (result_.message.empty() && (r_ || h_) && !(r_ && h_)) propagate();
        if (!result_.message.empty()) return std::move(result_);
        if (cylinders_.empty()) {
            if (r_ && !h_ && baseAlone()) {
                // "Колко е лицето на основата на цилиндър с радиус 7 cm?": no height asked for.
                cylinders_.push_back({*r_, {std::nan(""), Exact::none()}});
                result_.heightUnknown = true;
            } else if (!r_ || !h_) {
                return fail(tooFew());
            } else {
                cylinders_.push_back({*r_, *h_});
            }
        }
        check();
        if (!result_.message.empty()) return std::move(result_);
        result_.cylinders = cylinders_;
        answerable();
        if (!result_.message.empty()) return fail(std::move(result_.message));
        for (const Constraint& c : constraints_)
            if (c.used && !c.same &&
                std::find(result_.used.begin(), result_.used.end(), c.fact) == result_.used.end())
                result_.used.push_back(c.fact);
        return std::move(result_);
    }

private:
    TaskResult fail(std::u16string message) {
        result_.message = std::move(message);
        result_.cylinders.clear();
        return std::move(result_);
    }
    void failWith(std::u16string message) {
        if (result_.message.empty()) result_.message = std::move(message);
    }

    std::u16string quoted(std::size_t fact) const { return u"„" + task_.facts[fact].text + u"“"; }

    // The smallest length unit any fact gives its number in.
    void findLength() {
        for (const Fact& f : task_.facts)
            if (f.number.unit &&
                (!result_.length || f.number.unit->exponent < result_.length->exponent))
                result_.length =
                    platform::Unit{platform::Dimension::Length, f.number.unit->exponent, false,
                                   f.number.unit->cyrillic};
    }

    // A number with π in it where the task takes π as 3,14 or 22/7: that
    // π, exactly and in the double, as the formulas take it ("B = 9π" with
    // π ≈ 3,14 is 28,26, so r = 3).
    Both withTaskPi(Both x) const {
        if (result_.pi == TaskPi::Program || !x.exact.exact()) return x;
        Exact exact;
        bool hasPi = false;
        for (const platform::ExactTerm& t : x.exact.terms()) {
            Exact term = Exact(t.coefficient) * platform::sqrt(Exact(t.radicand));
            for (int i = 0; i < t.piPower; ++i) term = term * pi_.exact;
            for (int i = 0; i > t.piPower; --i) term = term / pi_.exact;
            exact = exact + term;
            hasPi |= t.piPower != 0;
        }
        if (!hasPi) return x;
        if (!exact.exact()) return {approximate(x.exact, pi_.value), exact};
        return {approximate(exact, pi_.value), exact};
    }

    // A fact's number in the task's length unit, checked against `m`'s kind.
    std::optional<Both> inUnit(const platform::Reading& r, Measure m, std::size_t fact) {
        // "V = 0,5 l, h = 10": 10 of which unit is not guessed.
        if (!r.unit && result_.length && r.value != 0) {
            failWith(std::u16string(text(Text::MissingUnit)) + quoted(fact) + u".");
            return std::nullopt;
        }
        if (!r.unit || !result_.length) return withTaskPi(fromReading(r));
        if (r.unit->dimension != dimensionOf(m)) {
            failWith(std::u16string(text(Text::TaskWrongUnit)) + quoted(fact) + u".");
            return std::nullopt;
        }
        // Units here are at most 10¹⁸ apart: below this bound convert()
        // cannot overflow, so nothing here needs to catch (none in the browser).
        if (!(std::abs(r.value) <= 1e289)) {
            failWith(std::u16string(text(Text::TaskTooLarge)) + quoted(fact) + u".");
            return std::nullopt;
        }
        return withTaskPi(fromReading(platform::convert(r, *r.unit, result_.length->exponent)));
    }

    void relation(std::size_t fact, Measure m, const Both& k, Measure o, const Both& b) {
        Constraint c{.p = {},
                     .fact = fact,
                     .measure = std::nullopt,
                     .value = {},
                     .left = m,
                     .right = o,
                     .factor = k,
                     .added = b};
        if (!addMeasure(c.p, m, number(1), pi_) || !addMeasure(c.p, o, number(0) - k, pi_)) {
            failWith(std::u16string(text(Text::Unsupported)) + quoted(fact) + u".");
            return;
        }
        c.p.c[0][0] = c.p.c[0][0] - b;
        // "d = 2r", "r : d = 1 : 2": true of every cylinder, it tells nothing.
        if (std::all_of(c.p.c.begin(), c.p.c.end(), [](const auto& row) {
                return std::all_of(row.begin(), row.end(), [](const Both& x) { return isZero(x); });
            }))
            return;
        constraints_.push_back(std::move(c));
    }

    // A value fact's constraint, its polynomial still to fill.
    static Constraint valueOf(std::size_t fact, Measure m, const Both& v) {
        return {.p = {},
                .fact = fact,
                .measure = m,
                .value = v,
                .left = std::nullopt,
                .right = std::nullopt,
                .factor = {},
                .added = {}};
    }

    void value(std::size_t fact, Measure m, const Both& v) {
        Constraint c = valueOf(fact, m, v);
        if (m == Measure::AxialDiagonal || m == Measure::DevelopmentDiagonal) {
            // D² = (2R)² + H², (2πR)² for the development.
            const Both base = m == Measure::AxialDiagonal ? number(2) : number(2) * pi_;
            c.p.c[2][0] = base * base;
            c.p.c[0][2] = number(1);
            c.p.c[0][0] = number(0) - v * v;
        } else if (m == Measure::rho) {
            // (2ρ)² = (2R)² + H²: the sphere around's diameter is the axial section's diagonal.
            c.p.c[2][0] = number(4);
            c.p.c[0][2] = number(1);
            c.p.c[0][0] = number(0) - number(4) * v * v;
        } else if (!addMeasure(c.p, m, number(1), pi_)) {
            failWith(std::u16string(text(Text::NotGiven)) + quoted(fact) + u".");
            return;
        } else {
            c.p.c[0][0] = c.p.c[0][0] - v;
        }
        constraints_.push_back(std::move(c));
    }

    // Facts as equations in R and H, every number in one unit.
    void gather() {
        std::optional<std::size_t> piFact;
        for (std::size_t i = 0; i < task_.facts.size(); ++i) {
            const Fact& f = task_.facts[i];
            if (f.kind != Fact::Kind::Pi) continue;
            if (piFact && f.pi != result_.pi)
                failWith(std::u16string(text(Text::TwoPi)) + quoted(*piFact) + u", " + quoted(i) +
                         u".");
            piFact = i;
            result_.pi = f.pi;
        }
        pi_ = taskPi(result_.pi);
        findLength();
        for (std::size_t i = 0; i < task_.facts.size() && result_.message.empty(); ++i) {
            const Fact& f = task_.facts[i];
            switch (f.kind) {
                case Fact::Kind::Value:
                    if (const auto v = inUnit(f.number, f.measure, i)) {
                        if (ofSphere(f.measure))
                            relation(i, Measure::H, number(1), Measure::d, number(0));
                        value(i, f.measure, *v);
                    }
                    break;
                case Fact::Kind::Square: {
                    const bool axial = f.measure == Measure::AxialArea;
                    relation(i, Measure::H, number(1), axial ? Measure::d : Measure::C, number(0));
                    if (f.number.value != 0)
                        if (const auto v = inUnit(f.number, Measure::H, i))
                            value(i, Measure::H, *v);
                    break;
                }
                case Fact::Kind::Relation:
                    if (const auto b = inUnit(f.number, f.measure, i))
                        relation(i, f.measure, withTaskPi(fromReading(f.factor)), f.other, *b);
                    break;
                case Fact::Kind::Ratio:
                    relation(i, f.measure, fromReading(f.number) / fromReading(f.factor), f.other,
                             number(0));
                    break;
                case Fact::Kind::Angle:
                    // The diagonal's angle with the base lies strictly between 0° and 90°.
                    if (!(f.number.value > 0 && f.number.value < 90))
                        failWith(std::u16string(text(Text::NoCylinder)) + quoted(i) + u".");
                    else
                        relation(i, Measure::H, tangent(f.number), Measure::d, number(0));
                    break;
                case Fact::Kind::Density:
                    // In g/cm³: kg/m³ is a thousandth of it.
                    result_.density = fromReading(f.number);
                    for (int e = f.unit ? f.unit->exponent : 0; e < 0; ++e)
                        *result_.density = *result_.density / number(10);
                    // kg/m³, t/m³: the mass in kilograms or tonnes too, as the book gives it.
                    for (const auto& [mass, exponent] :
                         {std::pair{u"kg", 3}, {u"кг", 3}, {u"t/", 6}, {u"т/", 6}})
                        if (f.unit && f.unit->text.starts_with(mass)) {
                            result_.massUnit =
                                std::u16string(mass).substr(0, mass[1] == u'/' ? 1 : 2);
                            result_.massExponent = exponent;
                        }
                    break;
                case Fact::Kind::Pi:
                case Fact::Kind::Asked:
                    break;
            }
        }
    }

    static Both tangent(const platform::Reading& degrees) {
        const std::optional<Rational> a = degrees.exact.rational();
        if (a == Rational(30)) return Both{std::sqrt(3.0) / 3, platform::sqrt(Exact(3)) / Exact(3)};
        if (a == Rational(45)) return number(1);
        if (a == Rational(60)) return Both{std::sqrt(3.0), platform::sqrt(Exact(3))};
        return {std::tan(degrees.value * std::numbers::pi / 180), Exact::none()};
    }

    // `x` with the double nearest its exact value, where it has one.
    Both settled(Both x) const {
        if (x.exact.exact()) x.value = approximate(x.exact, pi_.value);
        return x;
    }

    // Knowns from single facts, then each fact with one of R, H known.
    void propagate() {
        bool progress = true;
        while (progress && result_.message.empty()) {
            progress = false;
            for (Constraint& c : constraints_) {
                if (c.used) continue;
                if (c.left) progress |= relationToValue(c);
                const bool withH = hasHeight(c.p), withR = hasRadius(c.p);
                if ((!withH && r_) || (!withR && h_) || (r_ && h_))
                    agrees(c);
                else if (!withH)
                    progress |= solveRadius(c, inRadius(c.p, number(0)));
                else if (!withR)
                    progress |= solveHeight(c, inHeight(c.p, number(0)));
                else if (r_)
                    progress |= solveHeight(c, inHeight(c.p, *r_));
                else if (h_)
                    progress |= solveRadius(c, inRadius(c.p, *h_));
                if (!result_.message.empty()) return;
            }
        }
    }

    // Measure m of what is known of R and H.
    Both knownMeasure(Measure m) const {
        const TaskCylinder cylinder{r_.value_or(Both{}), h_.value_or(Both{})};
        return measureOf(m, cylinder, result_.pi, std::nullopt);
    }

    // Whether measure m is known from what is known of R and H.
    bool known(Measure m) const {
        return radiusOnly(m) ? r_.has_value() : m == Measure::H ? h_.has_value() : r_ && h_;
    }

    // A relation whose right side is known gives its left side's value:
    // "h = d + 15 = 10 + 15 = 25".
    bool relationToValue(Constraint& c) {
        if (known(*c.left) && !known(*c.right) && !isZero(c.factor)) return relationBack(c);
        if (!known(*c.right) || known(*c.left)) return false;
        const Env e = env(c);
        Formula right = relationFormula(c).items[1];
        const Both v = settled(c.factor * knownMeasure(*c.right) + c.added);
        return becomeValue(c, *c.left, v, right, e);
    }

    // The values of the letters the pupil's formulas use.
    Env env(const Constraint& c) const {
        Env e{.letters = {}, .pi = pi_};
        if (r_)
            for (const Measure m : {Measure::R, Measure::d, Measure::C, Measure::B})
                e.set(bookLetter(m), knownMeasure(m));
        if (h_) e.set(bookLetter(Measure::H), *h_);
        if (c.measure) e.set(bookLetter(*c.measure), c.value);
        return e;
    }

    // "x = formula = numbers = value".
    void step(const Formula& x, const std::optional<Formula>& formula, const Env& e, const Both& v,
              const std::vector<Formula>& before = {}) {
        std::vector<Formula> items{x};
        std::u16string ops;
        if (formula) {
            items.push_back(*formula);
            ops += u'=';
            if (formula->kind != Formula::Kind::Symbol) {
                items.push_back(putIn(*formula, e));
                ops += u'=';
            }
        }
        items.push_back(valueForm(v));
        ops += u'=';
        if (!before.empty()) {
            std::vector<Formula> chain = before;
            chain.push_back(rel(std::move(items), ops));
            result_.steps.push_back(rel(std::move(chain), std::u16string(before.size(), u'⇒')));
            return;
        }
        result_.steps.push_back(rel(std::move(items), ops));
    }

    // A relation whose left side is known gives its right side's value:
    // "d = (h − 15)/1", written "d = h − 15 = 25 − 15 = 10".
    bool relationBack(Constraint& c) {
        const Env e = env(c);
        const Both v = settled((knownMeasure(*c.left) - c.added) / c.factor);
        Formula back = letter(*c.left);
        if (!isZero(c.added)) back = sum({std::move(back), valueForm(c.added)}, u"−");
        if (!(c.factor.exact.exact() && c.factor.exact == Exact(1)))
            back = frac(std::move(back), valueForm(c.factor));
        return becomeValue(c, *c.right, v, back, e);
    }

    // The relation `c` now says measure m = v, as `formula` gave it.
    bool becomeValue(Constraint& c, Measure m, const Both& v, const Formula& formula,
                     const Env& e) {
        Constraint value = valueOf(c.fact, m, v);
        if (!addMeasure(value.p, m, number(1), pi_)) return false;
        value.p.c[0][0] = value.p.c[0][0] - v;
        c = std::move(value);
        step(letter(m), formula, e, v);
        return true;
    }

    bool solveRadius(Constraint& c, Univariate a) {
        trim(a);
        const std::vector<double> roots = rootsOf(a);
        if (roots.empty()) {
            failWith(std::u16string(text(Text::NoCylinder)) + quoted(c.fact) + u".");
            return false;
        }
        Env e = env(c);
        std::optional<Formula> formula;
        if (c.measure)
            formula =
                radiusOnly(*c.measure) ? radiusFrom(*c.measure) : radiusFromHeight(*c.measure);
        Both r{roots.back(), exactRoot(a, roots.back(), pi_.value)};
        if (formula) {
            const Both v = evaluate(*formula, e);
            if (std::isfinite(v.value)) r = {v.value, v.exact.exact() ? v.exact : r.exact};
            if (formula->kind != Formula::Kind::Symbol) step(rr(), formula, e, r);
        } else {
            step(rr(), std::nullopt, e, r, {polynomialFormula(a, rr())});
        }
        r_ = settled(r);
        c.used = true;
        return true;
    }

    bool solveHeight(Constraint& c, Univariate a) {
        trim(a);
        Env e = env(c);
        Both h;
        if (a.size() == 2) {
            h = (number(0) - a[0]) / a[1];
        } else {
            h = squareRoot((number(0) - a[0]) / a[2]);
        }
        if (!(h.value > 0)) {
            failWith(std::u16string(text(Text::NoCylinder)) + quoted(c.fact) + u".");
            return false;
        }
        std::optional<Formula> formula;
        if (c.measure) formula = heightFrom(*c.measure);
        if (formula) {
            const Both v = evaluate(*formula, e);
            if (std::isfinite(v.value)) h = {v.value, v.exact.exact() ? v.exact : h.exact};
            if (formula->kind != Formula::Kind::Symbol) step(hh(), formula, e, h);
        } else if (c.left) {
            step(hh(), std::nullopt, e, h, {relationFormula(c)});
        } else {
            step(hh(), std::nullopt, e, h);
        }
        h_ = settled(h);
        c.used = true;
        return true;
    }

    // "h = 2d + 15", as the relation was given.
    Formula relationFormula(const Constraint& c) const {
        Formula right = letter(*c.right);
        if (!(c.factor.exact.exact() && c.factor.exact == Exact(1)))
            right = prod({valueForm(c.factor), std::move(right)});
        if (!isZero(c.added)) {
            const bool negative = c.added.value < 0;
            right = sum({std::move(right), valueForm(negative ? number(0) - c.added : c.added)},
                        negative ? u"−" : u"+");
        }
        return rel({letter(*c.left), std::move(right)}, u"=");
    }

    // P(r, h) of a fact, and the largest of its terms' sizes.
    static std::pair<Both, double> residual(const Poly& p, const Both& r, const Both& h) {
        Both v;
        double size = 0;
        for (std::size_t i = 0; i < p.c.size(); ++i)
            for (std::size_t j = 0; j < 3; ++j) {
                const Both term = p.c[i][j] * power(r, i) * power(h, j);
                v = v + term;
                size = std::max(size, std::abs(term.value));
            }
        return {v, size};
    }

    // Whether the fact holds: exactly where both sides are exact, else to
    // nine digits (a double that went through roots).
    static bool holds(const Poly& p, const Both& r, const Both& h) {
        const auto [v, size] = residual(p, r, h);
        return v.exact.exact() ? v.exact.isZero() : std::abs(v.value) <= 1e-9 * size;
    }

    // A fact whose unknowns are all known: the same as another, or against it.
    // One that says the same as those before it waits: a later fact may
    // still give what is missing ("r = 5; d = 10; h = 3").
    void agrees(Constraint& c) {
        c.used = true;
        if (!holds(c.p, r_.value_or(number(0)), h_.value_or(number(0))))
            failWith(std::u16string(text(Text::Contradiction)) + quoted(c.fact) + u".");
        else if (!(r_ && h_))
            c.same = true;
    }

    // Too few facts, or one that only said the same again.
    std::u16string tooFew() const {
        for (const Constraint& c : constraints_)
            if (c.same) return std::u16string(text(Text::SameTwice)) + quoted(c.fact) + u".";
        return std::u16string(text(Text::TooFew));
    }

    std::vector<double> rootsOf(const Univariate& a) const {
        std::vector<double> d;
        for (const Both& x : a) d.push_back(x.value);
        return platform::positiveRoots(d);
    }

    // Two facts in both R and H: H eliminated, the roots in R.
    void system() {
        std::vector<Constraint*> open;
        for (Constraint& c : constraints_)
            if (!c.used) open.push_back(&c);
        if (open.size() < 2) {
            failWith(tooFew());
            return;
        }
        // The first two that say more than one fact: "S = 48π; Q = 48; h = 2r"
        // is solved from S and h = 2r, then Q checked.
        for (std::size_t i = 0; i < open.size(); ++i)
            for (std::size_t j = i + 1; j < open.size(); ++j)
                if (pair(*open[i], *open[j]) || !result_.message.empty()) return;
        failWith(std::u16string(text(Text::SameTwice)) + quoted(open[0]->fact) + u", " +
                 quoted(open[1]->fact) + u".");
    }

    // R and H from two facts; false where they say the same, so that
    // another pair may serve.
    bool pair(Constraint& first, Constraint& second) {
        // With first = A₀ + A₁H (+ A₂H²) and second = B₀ + B₁H (+ B₂H²).
        Constraint* linear = &first;
        Constraint* other = &second;
        if (isZeroPoly(heightCoefficient(first.p, 1)) &&
            !isZeroPoly(heightCoefficient(second.p, 1)))
            std::swap(linear, other);
        const Univariate a0 = heightCoefficient(linear->p, 0), a1 = heightCoefficient(linear->p, 1),
                         a2 = heightCoefficient(linear->p, 2);
        const Univariate b0 = heightCoefficient(other->p, 0), b1 = heightCoefficient(other->p, 1),
                         b2 = heightCoefficient(other->p, 2);
        Univariate eliminated;
        if (!isZeroPoly(a1) && isZeroPoly(a2)) {
            // H = −A₀/A₁ into the other: B₀A₁² − B₁A₀A₁ + B₂A₀² = 0.
            eliminated = minus(minus(times(b0, times(a1, a1)), times(b1, times(a0, a1))),
                               times(minus({}, b2), times(a0, a0)));
        } else {
            // Both with H² alone: B₂·first − A₂·second has no H.
            eliminated = minus(times(b2, a0), times(a2, b0));
        }
        trim(eliminated);
        // R = 0 is no cylinder's radius.
        while (!eliminated.empty() && isZero(eliminated.front()))
            eliminated.erase(eliminated.begin());
        const Both lead = eliminated.empty() ? number(1) : eliminated.back();
        for (Both& x : eliminated) x = settled(x / lead);
        if (eliminated.empty()) return false;
        if (eliminated.size() < 2) {
            failWith(std::u16string(text(Text::Contradiction)) + quoted(first.fact) + u", " +
                     quoted(second.fact) + u".");
            return true;
        }
        const std::vector<double> roots = rootsOf(eliminated);
        std::vector<TaskCylinder> found;
        for (const double root : roots) {
            const Both r = settled({root, exactRoot(eliminated, root, pi_.value)});
            // A double root the doubles split in two.
            if (!found.empty() && r.exact.exact() && found.back().R.exact == r.exact) continue;
            const Univariate inH = inHeight(linear->p, r);
            Both h;
            if (!isZero(inH[1]))
                h = (number(0) - inH[0]) / inH[1];
            else if (!isZero(inH[2]))
                h = squareRoot((number(0) - inH[0]) / inH[2]);
            else
                continue;
            if (!(h.value > 0)) continue;
            h = settled(h);
            // Squaring may add a root the other fact does not have.
            const Univariate check = inHeight(other->p, r);
            const Both residual = check[0] + check[1] * h + check[2] * h * h;
            const double size =
                std::max({std::abs(check[0].value), std::abs(check[1].value * h.value),
                          std::abs(check[2].value * h.value * h.value), 1e-300});
            if (std::abs(residual.value) > 1e-9 * size) continue;
            found.push_back({r, h});
        }
        if (found.empty()) {
            failWith(std::u16string(text(Text::NoCylinder)) + quoted(first.fact) + u", " +
                     quoted(second.fact) + u".");
            return true;
        }
        first.used = second.used = true;
        result_.steps.push_back(polynomialFormula(eliminated, rr()));
        for (std::size_t i = 0; i < found.size(); ++i) {
            const std::u16string index = found.size() > 1 ? (i == 0 ? u"₁" : u"₂") : u"";
            result_.steps.push_back(
                rel({sym(std::u16string(bookLetter(Measure::R)) + index), valueForm(found[i].R)},
                    u"="));
            result_.steps.push_back(
                rel({sym(std::u16string(bookLetter(Measure::H)) + index), valueForm(found[i].H)},
                    u"="));
        }
        cylinders_ = found;
        r_ = found[0].R;
        h_ = found[0].H;
        return true;
    }

    static bool isZeroPoly(const Univariate& a) {
        return std::all_of(a.begin(), a.end(), [](const Both& x) { return isZero(x); });
    }

    // Each asked value one the program can write for every cylinder: a mass
    // with its density, an inscribed sphere only where one fits (H = 2R),
    // a number neither past the doubles' range nor lost below it (all are
    // positive).
    void answerable() {
        Poly inscribed;  // H = 2R
        addMeasure(inscribed, Measure::H, number(1), pi_);
        addMeasure(inscribed, Measure::d, number(-1), pi_);
        for (std::size_t i = 0; i < task_.facts.size() && result_.message.empty(); ++i) {
            const Fact& f = task_.facts[i];
            if (f.kind != Fact::Kind::Asked) continue;
            if (f.measure == Measure::Mass && !result_.density)
                failWith(std::u16string(text(Text::NoDensity)) + quoted(i) + u".");
            // "V = ? l" of lengths with no unit: litres of what?
            if (f.unit && !result_.length)
                failWith(std::u16string(text(Text::NoUnits)) + quoted(i) + u".");
            for (const TaskCylinder& c : result_.cylinders) {
                if (ofSphere(f.measure) && !holds(inscribed, c.R, c.H))
                    failWith(std::u16string(text(Text::NoInscribedSphere)) + quoted(i) + u".");
                const double v = answerOf(f, c, result_).value;
                if (!std::isfinite(v) || v == 0)
                    failWith(std::u16string(text(Text::AnswerOutOfRange)) + quoted(i) + u".");
            }
        }
    }

    // Whether what is asked is of the base alone (r, d, C, B) and every fact
    // went into r: an answer that needs no height.
    bool baseAlone() const {
        bool asked = false;
        for (const Fact& f : task_.facts)
            if (f.kind == Fact::Kind::Asked) {
                if (f.measure != Measure::R && f.measure != Measure::d && f.measure != Measure::C &&
                    f.measure != Measure::B)
                    return false;
                asked = true;
            }
        return asked && std::all_of(constraints_.begin(), constraints_.end(),
                                    [](const Constraint& c) { return c.used || c.same; });
    }

    // Every fact left over holds for the cylinder found; of two, one that
    // fails it goes, and the solution says which stays.
    void check() {
        for (Constraint& c : constraints_) {
            if (c.used) continue;
            std::vector<TaskCylinder> kept;
            for (const TaskCylinder& cylinder : cylinders_)
                if (holds(c.p, cylinder.R, cylinder.H)) kept.push_back(cylinder);
            if (kept.empty()) {
                failWith(std::u16string(text(Text::Contradiction)) + quoted(c.fact) + u".");
                return;
            }
            if (kept.size() < cylinders_.size()) {
                c.used = true;
                const bool first = holds(c.p, cylinders_[0].R, cylinders_[0].H);
                result_.chosen = std::u16string(text(first ? Text::OnlyFirst : Text::OnlySecond)) +
                                 quoted(c.fact) + u".";
                cylinders_ = kept;
            }
        }
    }

    const Task& task_;
    TaskResult result_;
    Both pi_;
    std::vector<Constraint> constraints_;
    std::optional<Both> r_, h_;
    std::vector<TaskCylinder> cylinders_;
};

}  // namespace

TaskResult solveTask(const Task& task) {
    if (!task.refused.empty()) {
        TaskResult refused;
        refused.message = task.refused;
        return refused;
    }
    return Solver(task).run();
}

}  // namespace calc
