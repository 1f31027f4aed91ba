// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calc/taskreader.h"
#include "expect.h"

using calc::Fact;
using calc::Measure;
using calc::TaskPi;
using calc::TaskUnit;
using platform::Dimension;
using platform::Exact;
using platform::Rational;
using platform::Reading;
using platform::Unit;
using K = Fact::Kind;
using M = Measure;
using U = TaskUnit::Kind;

namespace {

constexpr double pi = 3.14159265358979;
const Exact Pi = Exact::pi();

constexpr Unit mm{Dimension::Length, -3}, cm{Dimension::Length, -2}, dm{Dimension::Length, -1};
constexpr Unit cm2{Dimension::Area, -2}, cm3{Dimension::Volume, -2},
    litre{Dimension::Volume, -1, true};

Reading number(double value, Exact exact, std::optional<Unit> unit = std::nullopt) {
    return {value, exact, unit};
}
Fact other(K kind, M m, Reading n = {}, TaskPi taskPi = TaskPi::Program) {
    Fact f;
    f.kind = kind;
    f.measure = m;
    f.number = n;
    f.pi = taskPi;
    return f;
}
Fact value(M m, Reading n) {
    return other(K::Value, m, n);
}
Fact relation(M m, M to, Reading a, Reading b = number(0, 0)) {
    Fact f = other(K::Relation, m, b);
    f.other = to;
    f.factor = a;
    return f;
}
Fact asked(M m, std::optional<TaskUnit> unit = std::nullopt, int places = -1) {
    Fact f = other(K::Asked, m);
    f.unit = unit;
    f.places = places;
    return f;
}
Fact density(Reading n, TaskUnit unit) {
    Fact f = other(K::Density, M::R, n);
    f.unit = unit;
    return f;
}

void checkReading(const Reading& actual, const Reading& expected) {
    CHECK_BITS(actual.value, expected.value);
    CHECK(actual.exact == expected.exact);
    CHECK(actual.unit == expected.unit);
}

}  // namespace

// One fact a line: each letter, word, relation form, π form and unit.
TEST_CASE("readTask reads each fact") {
    struct Row {
        std::u16string text;
        Fact fact;
    };
    const Row rows[] = {
        {u"r = 6 cm", value(M::R, number(6, 6, cm))},
        {u"R = 0,5 dm", value(M::R, number(0.5, Exact(Rational(1, 2)), dm))},
        {u"d = 10³ mm", value(M::d, number(1000, 1000, mm))},
        {u"C = 132 cm.", value(M::C, number(132, 132, cm))},
        {u"B = 25π cm²", value(M::B, number(25 * pi, Exact(25) * Pi, cm2))},
        {u"h=7", value(M::H, number(7, 7))},
        {u"H = 3^2", value(M::H, number(9, 9))},
        {u"l ≈ 8 cm", value(M::H, number(8, 8, cm))},
        {u"S = 2·10³", value(M::So, number(2000, 2000))},
        {u"So = 5² cm²", value(M::So, number(25, 25, cm2))},
        {u"S₁ = 2 + √3", value(M::Sp, number(2 + std::sqrt(3.0), Exact(2) + sqrt(Exact(3))))},
        {u"S1 = 4", value(M::Sp, number(4, 4))},
        {u"S_1 = 4", value(M::Sp, number(4, 4))},
        {u"Sp = 3√2 cm²", value(M::Sp, number(3 * std::sqrt(2.0), Exact(3) * sqrt(Exact(2)), cm2))},
        {u"V = 1,5 l", value(M::V, number(1.5, Exact(Rational(3, 2)), litre))},
        {u"Q = 3/4", value(M::AxialArea, number(0.75, Exact(Rational(3, 4))))},
        {u"Осното сечение = 48 cm²", value(M::AxialArea, number(48, 48, cm2))},
        {u"осно сечение = 48", value(M::AxialArea, number(48, 48))},
        {u"диагонал = 10 cm", value(M::AxialDiagonal, number(10, 10, cm))},
        {u"диагоналът = 10", value(M::AxialDiagonal, number(10, 10))},
        {u"периметър = 28", value(M::AxialPerimeter, number(28, 28))},
        {u"P = 28", value(M::AxialPerimeter, number(28, 28))},
        {u"диагоналът на  развивката = 9", value(M::DevelopmentDiagonal, number(9, 9))},
        {u"сфера r = 3 cm", value(M::SphereRadius, number(3, 3, cm))},
        {u"кълбо S = 36π", value(M::SphereSurface, number(36 * pi, Exact(36) * Pi))},
        {u"кълбо V = 36 cm³", value(M::SphereVolume, number(36, 36, cm3))},
        {u"h = d + 15 cm", relation(M::H, M::d, number(1, 1), number(15, 15, cm))},
        {u"h = 3r + 5 cm", relation(M::H, M::R, number(3, 3), number(5, 5, cm))},
        {u"h = 3r − 5", relation(M::H, M::R, number(3, 3), number(-5, -5))},
        {u"h = 2C", relation(M::H, M::C, number(2, 2))},
        {u"h = 2·r", relation(M::H, M::R, number(2, 2))},
        {u"h = 1,5d", relation(M::H, M::d, number(1.5, Exact(Rational(3, 2))))},
        {u"h = -d", relation(M::H, M::d, number(-1, -1))},
        {u"S₁ = 2So", relation(M::Sp, M::So, number(2, 2))},
        {u"r : h = 2 : 3", other(K::Ratio, M::R, number(2, 2))},
        {u"π ≈ 3,14", other(K::Pi, M::R, number(3.14, Exact::decimal(314, -2)), TaskPi::Approx)},
        {u"π = 3,14", other(K::Pi, M::R, number(3.14, Exact::decimal(314, -2)), TaskPi::Approx)},
        {u"π = 22/7",
         other(K::Pi, M::R, number(22.0 / 7, Exact(Rational(22, 7))), TaskPi::Sevenths)},
        {u"pi = 22/7",
         other(K::Pi, M::R, number(22.0 / 7, Exact(Rational(22, 7))), TaskPi::Sevenths)},
        {u"ъгъл 60°", other(K::Angle, M::R, number(60, 60))},
        {u"α = 45 °", other(K::Angle, M::R, number(45, 45))},
        {u"осното сечение е квадрат", other(K::Square, M::AxialArea)},
        {u"осното сечение е квадрат със страна 8 cm",
         other(K::Square, M::AxialArea, number(8, 8, cm))},
        {u"Развивката е квадрат", other(K::Square, M::DevelopmentDiagonal)},
        {u"плътност = 7,8 g/cm³",
         density(number(7.8, Exact(Rational(39, 5))), {U::Density, 0, u"g/cm³"})},
        {u"ρ = 11,4 kg/dm³",
         density(number(11.4, Exact(Rational(57, 5))), {U::Density, 0, u"kg/dm³"})},
        {u"плътността = 900 кг/м³", density(number(900, 900), {U::Density, -3, u"кг/м³"})},
        {u"S₁ = ?", asked(M::Sp)},
        {u"V?", asked(M::V)},
        {u"V = ? l", asked(M::V, TaskUnit{U::Volume, -3, u"l"})},
        {u"V = ? мл", asked(M::V, TaskUnit{U::Volume, -6, u"мл"})},
        {u"V = ? хл", asked(M::V, TaskUnit{U::Volume, -1, u"хл"})},
        {u"V = ? m³ с точност до 0,01", asked(M::V, TaskUnit{U::Volume, 0, u"m³"}, 2)},
        {u"S = ? кв. см до цяло число", asked(M::So, TaskUnit{U::Area, -4, u"кв. см"}, 0)},
        {u"h = ? cm до 0.1", asked(M::H, TaskUnit{U::Length, -2, u"cm"}, 1)},
        {u"маса = ? g", asked(M::Mass, TaskUnit{U::Mass, 0, u"g"})},
        {u"M = ? кг", asked(M::Mass, TaskUnit{U::Mass, 3, u"кг"})},
        {u"масата = ? t", asked(M::Mass, TaskUnit{U::Mass, 6, u"t"})},
        // clang-format off
        {u"r_max = ?", asked(M::r)}, {u"rmax = ?", asked(M::r)}, {u"s = ?", asked(M::s)},
        {u"ρ?", asked(M::rho)}, {u"описана сфера r = ?", asked(M::rho)},
        {u"описана сфера S = ?", asked(M::Around)}, {u"без капак = ?", asked(M::OpenSurface)},
        {u"S без капак = ?", asked(M::OpenSurface)}, {u"сфера V = ?", asked(M::SphereVolume)},
        // clang-format on
    };
    for (const Row& r : rows) {
        INFO(utf8(r.text));
        const calc::Task task = calc::readTask(r.text);
        CHECK(task.unread.empty());
        REQUIRE(task.facts.size() == 1);
        const Fact& f = task.facts[0];
        CHECK(f.kind == r.fact.kind);
        CHECK(f.measure == r.fact.measure);
        checkReading(f.number, r.fact.number);
        if (f.kind == K::Ratio) {
            CHECK(f.other == M::H);
            checkReading(f.factor, number(3, 3));
        } else {
            CHECK(f.other == r.fact.other);
            checkReading(f.factor, r.fact.factor);
        }
        CHECK(f.pi == r.fact.pi);
        CHECK(f.unit == r.fact.unit);
        CHECK(f.places == r.fact.places);
        // As written, but for a line's full stop ("C = 132 cm.").
        CHECK(f.text == (r.text.ends_with(u'.') ? r.text.substr(0, r.text.size() - 1) : r.text));
    }
}

// Whole tasks: the facts in order, labels skipped, a bare letter asked after "Търси се:".
TEST_CASE("readTask reads a notebook's lines") {
    const calc::Task task = calc::readTask(
        u"Дадено: C = 132 cm, h = 25 cm, π = 22/7;\n\n"
        u"Търси се: V, S₁ = ? dm²\nс точност до 0,1\nДа се намери: S до стотни");
    CHECK(task.unread.empty());
    REQUIRE(task.facts.size() == 6);
    const std::u16string texts[] = {u"C = 132 cm", u"h = 25 cm",  u"π = 22/7",
                                    u"V",          u"S₁ = ? dm²", u"S до стотни"};
    const int places[] = {-1, -1, -1, 1, 1, 2};
    for (std::size_t i = 0; i < 6; ++i) {
        CHECK(task.facts[i].text == texts[i]);
        CHECK(task.facts[i].places == places[i]);
    }
    CHECK(task.facts[3].kind == K::Asked);
    CHECK(calc::readTask(u"r = 6,5").facts[0].number.value == 6.5);
}

// Each part not read whole is quoted, the rest read.
TEST_CASE("readTask quotes what it cannot read") {
    struct Row {
        std::u16string text;
        std::vector<std::u16string> unread;
        std::size_t facts;
    };
    const Row rows[] = {
        {u"x = 5", {u"x = 5"}, 0},
        {u"Дадено: r = 6, 5 cm", {u"5 cm"}, 1},
        {u"r = 5 kg; r = 5 cm²; h = 3 l", {u"r = 5 kg", u"r = 5 cm²", u"h = 3 l"}, 0},
        {u"π = 3,1416, π = ?, m = ? kg", {u"π = 3,1416", u"π = ?", u"m = ? kg"}, 0},
        {u"V = ? cm, V = ? до 0,02, до 0,01", {u"V = ? cm", u"V = ? до 0,02", u"до 0,01"}, 0},
        {u"r = 2 +, r = (2 + 3, r = 5^123", {u"r = 2 +", u"r = (2 + 3", u"r = 5^123"}, 0},
        {u"h = 5 + 2r; h = 2V; h = 2r + 5 kg", {u"h = 5 + 2r", u"h = 2V", u"h = 2r + 5 kg"}, 0},
        {u"r_max = 3; s = 2r; r : V = 2 : 3", {u"r_max = 3", u"s = 2r", u"r : V = 2 : 3"}, 0},
        {u"плътност = 7,8; ρ = 5", {u"плътност = 7,8", u"ρ = 5"}, 0},
        {u"ъгъл 60; α = ?", {u"ъгъл 60", u"α = ?"}, 0},
        {u"r = 1/0, r = 1e999, r = √-4", {u"r = 1/0", u"r = 1e999", u"r = √-4"}, 0},
        {u"осното сечение е кръг, развивката е квадрат със страна 8 cm²",
         {u"осното сечение е кръг", u"развивката е квадрат със страна 8 cm²"},
         0},
        {u"Търси се:  z ,V", {u"z"}, 1},
        {u"r = 5 cm, V", {u"V"}, 1},
    };
    for (const Row& r : rows) {
        INFO(utf8(r.text));
        const calc::Task task = calc::readTask(r.text);
        CHECK(task.unread == r.unread);
        CHECK(task.facts.size() == r.facts);
    }
}

// The tasks as a notebook writes them: the kinds of their facts, in order.
TEST_CASE("readTask reads whole tasks") {
    const std::pair<std::u16string_view, std::vector<K>> rows[] = {
        {u"d = 10 cm; h = d + 15 cm; S₁ = ?", {K::Value, K::Relation, K::Asked}},
        {u"r = 6 cm, l = 8 cm, π ≈ 3,14, S = ?", {K::Value, K::Value, K::Pi, K::Asked}},
        {u"V = 54π cm³, h = d, r = ?", {K::Value, K::Relation, K::Asked}},
        {u"осното сечение е квадрат със страна 8 cm; V = ?", {K::Square, K::Asked}},
        {u"C = 132 cm, h = 25 cm, π = 22/7, V = ? l", {K::Value, K::Value, K::Pi, K::Asked}},
        {u"r : h = 2 : 3\nh = 3r + 5 cm\r\nh = 2C\u2028h = 2r",
         {K::Ratio, K::Relation, K::Relation, K::Relation}},
    };
    for (const auto& row : rows) {
        const auto& [text, kinds] = row;
        INFO(utf8(row.first));
        const calc::Task task = calc::readTask(text);
        CHECK(task.unread.empty());
        REQUIRE(task.facts.size() == kinds.size());
        for (std::size_t i = 0; i < kinds.size(); ++i) CHECK(task.facts[i].kind == kinds[i]);
    }
}

// Long texts read to their end, each part once: past 100 steps a sum has no exact form.
TEST_CASE("readTask reads long texts") {
    std::u16string many, sum = u"r = 1";
    for (int i = 0; i < 100000; ++i) many += u"r = 1,5 cm; ";
    for (int i = 0; i < 100000; ++i) sum += u" + 1";
    CHECK(calc::readTask(many).facts.size() == 100000);
    const calc::Task task = calc::readTask(sum);
    REQUIRE(task.facts.size() == 1);
    CHECK(task.facts[0].number.value == 100001);
    CHECK_FALSE(task.facts[0].number.exact.exact());
    CHECK(calc::readTask(std::u16string(1000000, u'(')).unread.size() == 1);
    CHECK(calc::readTask(u"r = " + std::u16string(1000000, u'\u221A') + u"4").unread.size() == 1);
}

TEST_CASE("bookLetter") {
    // clang-format off
    const std::pair<M, std::u16string_view> rows[] = {
        {M::R, u"r"}, {M::d, u"d"}, {M::C, u"C"}, {M::B, u"B"}, {M::H, u"h"}, {M::So, u"S"},
        {M::Sp, u"S₁"}, {M::V, u"V"}, {M::AxialArea, u"Q"}, {M::AxialDiagonal, u"диагонал"},
        {M::AxialPerimeter, u"периметър"}, {M::DevelopmentDiagonal, u"диагонал на развивката"},
        {M::SphereRadius, u"сфера r"}, {M::SphereSurface, u"сфера S"}, {M::SphereVolume, u"кълбо V"},
        {M::r, u"r_max"}, {M::s, u"s"}, {M::rho, u"ρ"}, {M::Around, u"описана сфера S"},
        {M::OpenSurface, u"без капак"}, {M::Mass, u"маса"}};
    // clang-format on
    for (const auto& [m, letter] : rows) CHECK(calc::bookLetter(m) == letter);
}
