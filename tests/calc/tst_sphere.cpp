// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "calc/constants.h"
#include "calc/cylinder.h"
#include "calc/exactform.h"
#include "calc/solution.h"
#include "calc/sphere.h"
#include "expect.h"
#include "platform/calculationerror.h"

namespace {

// Records every text written, as a report area would hold it.
class RecordingArea : public calc::TextArea {
public:
    std::u16string text() const override { return current; }
    void setText(std::u16string text) override {
        current = std::move(text);
        ++writes;
    }
    std::u16string current = u"Задание";
    int writes = 0;
};

}  // namespace

TEST_CASE("inscribed sphere radius and surface") {
    struct Row {
        std::string_view name;
        double R, H;
        double r, s;
    };
    const Row rows[] = {
        {"R=1 H=1", 1.0, 1.0, 0.5, calc::PI_14},
        {"R=2 H=3", 2.0, 3.0, 1.5, 28.274333882308113},
        {"R=1 H=5", 1.0, 5.0, 1.0, calc::FOUR_PI_14},
        {"R=1 H=2", 1.0, 2.0, 1.0, calc::FOUR_PI_14},
        {"R=-1 H=2", -1.0, 2.0, -1.0, 12.56637061435916},
        {"R=0 H=0", 0.0, 0.0, 0.0, 0.0},
        // 2·R rounds: H just below it still halves.
        {"R=1 H=2-ulp", 1.0, 1.9999999999999998, 0.9999999999999999, 12.566370614359156},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        CHECK_BITS(calc::inscribedSphereRadius(row.R, row.H), row.r);
        CHECK_BITS(calc::sphereSurface(row.r), row.s);
    }
}

TEST_CASE("inscribed sphere report") {
    struct Row {
        std::string_view name;
        double R, H;
        char16_t separator;
        std::u16string_view expected;
    };
    const Row rows[] = {
        {"R=2 H=3 '.'", 2.0, 3.0, u'.',
         u"Радиус на максималната вписана сфера: 1.5\r\n"
         u"Повърхнина на сферата: 28.2743338823081\r\n"},
        {"R=2 H=3 ','", 2.0, 3.0, u',',
         u"Радиус на максималната вписана сфера: 1,5\r\n"
         u"Повърхнина на сферата: 28,2743338823081\r\n"},
        {"R=0 H=0", 0.0, 0.0, u'.',
         u"Радиус на максималната вписана сфера: 0\r\n"
         u"Повърхнина на сферата: 0\r\n"},
        {"R=-1 H=2", -1.0, 2.0, u'.',
         u"Радиус на максималната вписана сфера: -1\r\n"
         u"Повърхнина на сферата: 12.5663706143592\r\n"},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        RecordingArea area;
        calc::reportInscribedSphere(row.R, row.H, area, row.separator);
        CHECK(area.current == row.expected);
        CHECK(area.writes == 2);
    }
}

TEST_CASE("surface overflow keeps the first line") {
    RecordingArea area;
    const auto error = errorOf([&] { calc::reportInscribedSphere(1e300, 1e300, area, u'.'); });
    REQUIRE_MESSAGE(error.has_value(), "no calculation error");
    CHECK(error->failure() == platform::Failure::Overflow);
    CHECK(calc::failedQuantity(*error) == calc::Quantity::s);
    CHECK(area.current == std::u16string_view(u"Радиус на максималната вписана сфера: 5E+299\r\n"));
}

TEST_CASE("the sphere around the cylinder") {
    struct Row {
        std::string_view name;
        double R, H;
        double rho;  // or 0 where a step overflows
    };
    const Row rows[] = {
        {"R=1.5 H=4", 1.5, 4.0, 2.5},
        {"R=3 H=8", 3.0, 8.0, 5.0},
        {"R=5 H=7", 5.0, 7.0, 6.103277807866851},
        {"R=2 H=1", 2.0, 1.0, 2.0615528128088303},
        {"R=1e200 H=1", 1e200, 1.0, 0},
        {"R=1 H=1e300", 1.0, 1e300, 0},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        double rho = 0;
        const auto error = errorOf([&] { rho = calc::circumscribedSphereRadius(row.R, row.H); });
        CHECK_BITS(rho, row.rho);
        CHECK(error.has_value() == (row.rho == 0));
        if (error) CHECK(calc::failedQuantity(*error) == calc::Quantity::rho);
    }
}

TEST_CASE("the sphere's contact where no exact value decides it") {
    // 2R and an H one bit below it are written the same: 1.12837916709551.
    const double R = 0.5641895835477563;
    using C = calc::SphereContact;
    const struct {
        const char* name;
        double H;
        C contact;
    } rows[] = {
        {"H one bit below 2R", std::nextafter(2 * R, 0.0), C::All},
        {"H = 2R", 2 * R, C::All},
        {"H a millionth below 2R", 2 * R * (1 - 1e-6), C::Bases},
        {"H a millionth above 2R", 2 * R * (1 + 1e-6), C::Lateral},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        calc::Calculation c;
        c.q.R = R;
        c.q.H = row.H;
        CHECK(calc::sphereContact(c) == row.contact);
    }
}
