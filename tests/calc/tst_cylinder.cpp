// SPDX-License-Identifier: GPL-3.0-or-later
#include <cfloat>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "calc/constants.h"
#include "calc/cylinder.h"
#include "calc/texts.h"
#include "expect.h"
#include "platform/calculationerror.h"

using calc::Column;
using calc::Quantity;
using platform::Failure;

namespace {

struct Solved {
    int variant = 0;
    double first = 0, second = 0;
    calc::CylinderQuantities expected;
};

// "k=2 H=3 Sp=94.247779607693703": the variant and its given values.
std::string nameOf(const Solved& row) {
    const auto given = calc::givenColumns(row.variant);
    char text[120];
    std::snprintf(text, sizeof text, "k=%d %s=%.17g %s=%.17g", row.variant,
                  utf8(calc::columnName(given[0])).c_str(), row.first,
                  utf8(calc::columnName(given[1])).c_str(), row.second);
    return text;
}

}  // namespace

// Expected values come from an independent evaluation of each formula in
// the same order, not from this program.
TEST_CASE("solveCylinder") {
    using namespace calc;
    // Expected quantities in column order: R, H, So, Sp, V.
    // clang-format off
    const Solved rows[] = {
        // The unit cylinder gives the three constants exactly.
        {0, 1, 1, {1, 1, TWO_PI_14, FOUR_PI_14, PI_14}},
        {0, 0, 0, {0, 0, 0, 0, 0}},
        // Signs follow the formulas; nothing is validated.
        {0, -1, 2, {-1, 2, -12.56637061435916, -6.28318530717958, 6.28318530717958}},
        {0, 2.5, 4, {2.5, 4, 62.8318530717958, 102.10176124166817, 78.53981633974475}},
        // The rounding of PI_14 and of the given text shows in H.
        {1, 2, 37.6991118430775, {2, 3.0000000000000018, 37.6991118430775, 62.83185307179582, 37.6991118430775}},
        {1, 1.5, 10, {1.5, 1.06103295394597, 10, 24.137166941154057, 7.500000000000001}},
        {2, 3, 94.2477796076937, {2.6533119314590374, 3, 50.01375162932309, 94.2477796076937, 66.35104196755591}},
        {2, 2, 50, {1.9929495743488186, 2, 25.04414296699659, 50, 24.955857033003404}},
        // H = 1000 and 100: even a few cancelled digits would show (the
        // subtraction gave 0.000795774082178013 for Sp = 5).
        {2, 1000, 1, {0.00015915491776160765, 1000, 0.99999984084510762, 1, 7.9577446215661928e-05}},
        {2, 1000, 5, {0.00079577408220308761, 1000, 4.9999960211327554, 5, 0.001989433622368004}},
        {2, 100, 1, {0.0015915241014293007, 100, 0.99998408501227654, 1, 0.00079574938617138242}},
        // H = 1e4 and 1e8: most bits would cancel (1e8 would give R = 0).
        {2, 1e4, 1, {1.5915494283859254e-05, 1e4, 0.9999999984084507, 1, 7.95774712926448e-06}},
        {2, 1e8, 1, {1.591549430918955e-09, 1e8, 1, 1, 7.9577471545947748e-10}},
        // A negative H adds instead of cancelling: the prescribed formula holds.
        {2, -1e8, 1, {1e8, -1e8, -6.28318530717958e16, 1, -3.14159265358979e24}},
        {3, 3, 37.6991118430775, {2.0000000000000013, 3, 37.6991118430775, 62.83185307179587, 37.69911184307753}},
        {3, 4, 10, {0.39788735772973877, 4, 10, 10.994718394324348, 1.9894367886486939}},
        {4, 37.6991118430775, 37.6991118430775,
         {2, 3.0000000000000018, 37.6991118430775, 62.83185307179582, 37.6991118430775}},
        {4, 10, 20, {4, 0.39788735772973877, 10, 110.5309649148733, 20}},
        // Sp is read before R.
        {5, 94.2477796076937, 2, {2, 5.5, 69.11503837897538, 94.2477796076937, 69.11503837897538}},
        {5, 100, 3, {3, 2.3051647697298496, 43.451332235383774, 100, 65.17699835307566}},
        {6, 2, 37.6991118430775, {2, 3.0000000000000018, 37.6991118430775, 62.83185307179582, 37.6991118430775}},
        {6, 3, 100, {3, 3.536776513153233, 66.66666666666666, 123.2153344312829, 100}},
        {7, 3, 37.6991118430775, {2.0000000000000004, 3, 37.69911184307749, 62.83185307179582, 37.6991118430775}},
        {7, 5, 100, {2.5231325220201613, 5, 79.26654595212017, 119.26654595212017, 100}},
        {8, 37.6991118430775, 62.8318530717958,
         {1.999999999999999, 3.0000000000000036, 37.6991118430775, 62.8318530717958, 37.69911184307748}},
        {8, 10, 30, {1.784124116152772, 0.8920620580763859, 10, 30, 8.920620580763861}},
        // Underflow is not an error: tiny results go through.
        {0, 1e-200, 1e-200, {1e-200, 1e-200, 0, 0, 0}},
    };
    // clang-format on
    for (const Solved& row : rows) {
        INFO(nameOf(row));
        const CylinderQuantities q = solveCylinder(row.variant, row.first, row.second);
        CHECK_BITS(q.R, row.expected.R);
        CHECK_BITS(q.H, row.expected.H);
        CHECK_BITS(q.So, row.expected.So);
        CHECK_BITS(q.Sp, row.expected.Sp);
        CHECK_BITS(q.V, row.expected.V);
    }
}

TEST_CASE("solveCylinder failures") {
    struct Row {
        std::string_view name;
        int variant;
        double first, second;
        Failure expected;
        Quantity quantity;
    };
    const Row rows[] = {
        {"k=0 R=1e200 H=1e200", 0, 1e200, 1e200, Failure::Overflow, Quantity::So},
        {"k=1 R=0 So=5", 1, 0, 5, Failure::DivisionByZero, Quantity::H},
        {"k=1 R=0 So=0", 1, 0, 0, Failure::DivisionByZero, Quantity::H},
        {"k=1 R=1e-300 So=1e300", 1, 1e-300, 1e300, Failure::Overflow, Quantity::H},
        {"k=2 H=1 Sp=-10", 2, 1, -10, Failure::InvalidArgument, Quantity::R},
        {"k=2 H=1e200 Sp=1", 2, 1e200, 1, Failure::Overflow, Quantity::R},
        {"k=3 H=0 So=5", 3, 0, 5, Failure::DivisionByZero, Quantity::R},
        {"k=3 H=1e-300 So=1e300", 3, 1e-300, 1e300, Failure::Overflow, Quantity::R},
        {"k=4 So=0 V=5", 4, 0, 5, Failure::DivisionByZero, Quantity::R},
        {"k=4 So=1 V=1e308", 4, 1, 1e308, Failure::Overflow, Quantity::R},
        {"k=4 So=5 V=0", 4, 5, 0, Failure::DivisionByZero, Quantity::H},
        {"k=5 Sp=5 R=0", 5, 5, 0, Failure::DivisionByZero, Quantity::H},
        {"k=5 Sp=1 R=1e200", 5, 1, 1e200, Failure::Overflow, Quantity::H},
        {"k=6 R=0 V=5", 6, 0, 5, Failure::DivisionByZero, Quantity::H},
        {"k=6 R=1e200 V=1", 6, 1e200, 1, Failure::Overflow, Quantity::H},
        {"k=7 H=0 V=5", 7, 0, 5, Failure::DivisionByZero, Quantity::R},
        {"k=7 H=1 V=-5", 7, 1, -5, Failure::InvalidArgument, Quantity::R},
        {"k=7 H=1 V=DBL_MAX", 7, 1, DBL_MAX, Failure::Overflow, Quantity::Sp},
        {"k=8 So=5 Sp=4", 8, 5, 4, Failure::InvalidArgument, Quantity::R},
        {"k=8 So=5 Sp=5", 8, 5, 5, Failure::DivisionByZero, Quantity::H},
        {"k=8 So=-DBL_MAX Sp=DBL_MAX", 8, -DBL_MAX, DBL_MAX, Failure::Overflow, Quantity::R},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        const auto error =
            errorOf([&] { calc::solveCylinder(row.variant, row.first, row.second); });
        CHECK_MESSAGE(error.has_value(), "no calculation error");
        if (!error) continue;
        CHECK(error->failure() == row.expected);
        CHECK(calc::failedQuantity(*error) == row.quantity);
    }
}

TEST_CASE("givenColumns") {
    // Boxes as the window reads them: 5·k + column.
    const int boxes[calc::VariantCount][2] = {{0, 1},   {5, 7},   {11, 13}, {16, 17}, {22, 24},
                                              {28, 25}, {30, 34}, {36, 39}, {42, 43}};
    for (int k = 0; k < calc::VariantCount; ++k) {
        CAPTURE(k);
        const auto given = calc::givenColumns(k);
        CHECK(5 * k + static_cast<int>(given[0]) == boxes[k][0]);
        CHECK(5 * k + static_cast<int>(given[1]) == boxes[k][1]);
        CHECK(calc::variantCaption(k) ==
              std::u16string(u"Вариант ") + static_cast<char16_t>(u'1' + k));
    }
}

TEST_CASE("unknown variant is rejected") {
    CHECK_THROWS_AS(calc::solveCylinder(9, 1, 1), std::out_of_range);
    CHECK_THROWS_AS(calc::givenColumns(-1), std::out_of_range);
}

TEST_CASE("error texts") {
    struct Row {
        std::string_view name;
        Failure failure;
        Quantity quantity;
        bool reading;
        std::u16string_view expected;
    };
    const Row rows[] = {
        {"division H", Failure::DivisionByZero, Quantity::H, false,
         u"Деление на нула.\nНе може да се изчисли H."},
        {"overflow", Failure::Overflow, Quantity::None, false,
         u"Препълване: резултатът е извън допустимия обхват."},
        {"sqrt R", Failure::InvalidArgument, Quantity::R, false,
         u"Корен квадратен от отрицателно число.\nНе може да се изчисли R."},
        {"overflow reading Sp", Failure::Overflow, Quantity::Sp, true,
         u"Препълване: резултатът е извън допустимия обхват.\n"
         u"Въведената стойност на Sp не може да се представи като число."},
        {"a length for V", Failure::WrongUnit, Quantity::V, true,
         u"Грешна мерна единица.\nV е обем: пишете mm³, cm³, dm³, m³, l или ml (мм³, см³, дм³, м³, л, мл)."},
        {"an area for R", Failure::WrongUnit, Quantity::R, true,
         u"Грешна мерна единица.\nR е дължина: пишете mm, cm, dm, m или km (мм, см, дм, м, км)."},
        {"a volume for So", Failure::WrongUnit, Quantity::So, true,
         u"Грешна мерна единица.\nSo е лице: пишете mm², cm², dm², m² или km² (мм², см², дм², м², км²)."},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        platform::CalculationError error(row.failure);
        calc::nameQuantity(error, row.quantity, row.reading);
        CHECK(calc::describe(error) == std::u16string(row.expected));
    }
}
