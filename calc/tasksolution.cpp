// SPDX-License-Identifier: GPL-3.0-or-later
#include "tasksolution.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "exactform.h"
#include "platform/rounding.h"
#include "platform/units.h"
#include "taskscan.h"
#include "texts.h"

namespace calc {

namespace {

Part words(std::u16string_view text) {
    return {std::u16string(text), {}};
}
Part math(Formula f) {
    return {{}, std::move(f)};
}

// `x` rounded to `places`; none where it ends within them.
std::optional<Formula> roundedValue(const Both& x, int places) {
    if (places < 0) return std::nullopt;
    if (const auto ratio = x.exact.exact() ? x.exact.rational() : std::nullopt) {
        long long scale = 1;
        for (int i = 0; i < places; ++i) scale *= 10;
        if (scale % ratio->denominator() == 0) return std::nullopt;
        if (const auto digits = platform::toFixed(*ratio, places, u'.'))
            return fixed(platform::toNumber(*digits), places);
    }
    return fixed(platform::toNumber(platform::toFixed(x.value, places, u'.')), places);
}

class Writer {
public:
    Writer(const Task& task, const TaskResult& result, Rounding rounding)
        : task_(task), result_(result), rounding_(rounding) {}

    std::vector<Line> run() {
        if (!task_.refused.empty()) {
            lines_.push_back({Quantity::None, {words(task_.refused)}});
            return std::move(lines_);
        }
        given();
        if (!task_.unread.empty()) {
            Line line{Quantity::None, {words(text(Text::NotUnderstood))}};
            for (std::size_t i = 0; i < task_.unread.size(); ++i)
                line.parts.push_back(words((i ? u", „" : u"„") + task_.unread[i] + u"“"));
            line.parts.push_back(words(u"."));
            lines_.push_back(std::move(line));
            return std::move(lines_);
        }
        sought();
        if (!result_.message.empty()) {
            lines_.push_back({Quantity::None, {words(result_.message)}});
            return std::move(lines_);
        }
        if (result_.pi != TaskPi::Program)
            lines_.push_back({Quantity::None,
                              {words(text(result_.pi == TaskPi::Approx ? Text::TaskPiApprox
                                                                       : Text::TaskPiSevenths))}});
        for (const Formula& step : result_.steps) lines_.push_back({Quantity::None, {math(step)}});
        if (!result_.chosen.empty()) lines_.push_back({Quantity::None, {words(result_.chosen)}});
        const bool two = result_.cylinders.size() > 1;
        if (two) lines_.push_back({Quantity::None, {words(text(Text::TwoCylinders))}});
        Line answer{Quantity::None, {words(text(Text::Answer))}};
        for (std::size_t i = 0; i < result_.cylinders.size(); ++i) {
            if (two)
                lines_.push_back({Quantity::None,
                                  {words(text(i ? Text::SecondCylinder : Text::FirstCylinder))}});
            for (const Fact& f : task_.facts)
                if (f.kind == Fact::Kind::Asked) ask(f, result_.cylinders[i], answer, two ? i : -1);
        }
        answer.parts.push_back(words(u"."));
        if (answer.parts.size() > 2) lines_.push_back(std::move(answer));
        if (!task_.options.empty() && first_) lines_.push_back(option());
        return std::move(lines_);
    }

private:
    void given() {
        Line line{Quantity::None, {words(text(Text::Given))}};
        bool first = true;
        for (const Fact& f : task_.facts) {
            if (f.kind == Fact::Kind::Asked) continue;
            line.parts.push_back(words((first ? u"" : u", ") + f.text));
            first = false;
            inWorkingUnit(f, line);
        }
        if (first) return;  // nothing given: no empty "Дадено:."
        line.parts.push_back(words(u"."));
        lines_.push_back(std::move(line));
    }

    // A given in another unit than the one the steps work in, converted
    // there as the steps take it: "r = 1 m = 100 cm", "ρ = 7800 kg/m³ = 7,8 g/cm³".
    void inWorkingUnit(const Fact& f, Line& line) const {
        const std::optional<platform::Unit>& unit = f.number.unit;
        if (f.kind == Fact::Kind::Value && unit && result_.length &&
            (unit->exponent != result_.length->exponent || unit->litres)) {
            const platform::Reading r =
                platform::convert(f.number, *unit, result_.length->exponent);
            line.parts.push_back(math(rel({valueForm({r.value, r.exact})}, u"=")));
            line.parts.push_back(words(platform::unitText(
                {unit->dimension, result_.length->exponent, false, result_.length->cyrillic})));
        } else if (f.kind == Fact::Kind::Density && result_.density && f.unit &&
                   f.unit->text != u"g/cm³" && f.unit->text != u"г/см³") {
            line.parts.push_back(math(rel({valueForm(*result_.density)}, u"=")));
            line.parts.push_back(
                words(scan::isCyrillic(f.unit->text.front()) ? u"г/см³" : u"g/cm³"));
        }
    }

    void sought() {
        Line line{Quantity::None, {words(text(Text::Sought))}};
        bool first = true;
        for (const Fact& f : task_.facts) {
            if (f.kind != Fact::Kind::Asked) continue;
            line.parts.push_back(
                words((first ? u"" : u", ") + std::u16string(bookLetter(f.measure))));
            first = false;
        }
        if (first) return;
        line.parts.push_back(words(u"."));
        lines_.push_back(std::move(line));
    }

    // The task's places, else the window's rounding, else two; three
    // significant digits where two places would show none: "≈ 0,000141 m³".
    int places(const Fact& asked, double value) const {
        if (asked.places >= 0) return asked.places;
        if (rounding_ != Rounding::None) return static_cast<int>(rounding_);
        const double size = std::abs(value);
        if (!(size > 0 && size < 0.01)) return 2;
        return std::min(20, 2 - static_cast<int>(std::floor(std::log10(size))));
    }

    // "S₁ = 2πr(r + h) = 2π · 5 · (5 + 25) = 300π ≈ 942,48 cm²", and the answer's part.
    // Asked in another unit, the chain ends in the unit it is worked in and
    // the next line gives it in the asked one: "V = … = 25000π cm³", "V = 25π ≈ 78,54 l".
    void ask(const Fact& asked, const TaskCylinder& cylinder, Line& answer, std::size_t index) {
        const AnswerUnit unit = answerUnit(asked, result_);
        const Both value = answerOf(asked, cylinder, result_);
        const Worked worked = workedIn(asked, cylinder);
        std::u16string name(bookLetter(asked.measure));
        if (index != static_cast<std::size_t>(-1)) {
            // "S₁" is the whole surface and "S₁₁" nothing: primes there, "S′" and "S″".
            const bool primes = name == u"S" || (name.back() >= u'₀' && name.back() <= u'₉');
            name += primes ? (index ? u"″" : u"′") : (index ? u"₂" : u"₁");
        }
        if (asked.measure == Measure::Mass) volumeInCubicCentimetres(cylinder);
        const Formula formula = measureFormula(asked.measure);
        Formula filled = formula;
        putIn(filled, cylinder, asked.measure);
        std::vector<Formula> items{sym(name)};
        std::u16string ops;
        if (formula.kind != Formula::Kind::Symbol) {
            items.push_back(formula);
            items.push_back(filled);
            ops += u"==";
        }
        if (worked.unit != unit.text) {
            items.push_back(valueForm(worked.value));
            ops += u'=';
            Line line{Quantity::None, {math(rel(std::move(items), ops))}};
            if (!worked.unit.empty()) line.parts.push_back(words(worked.unit));
            lines_.push_back(std::move(line));
            items = {sym(name)};
            ops.clear();
        }
        const std::optional<Formula> near = roundedValue(value, places(asked, value.value));
        std::vector<Formula> result{valueForm(value)};
        std::u16string resultOps = u"=";
        if (near && !readsAs(result.front(), near->value)) {
            result.push_back(*near);
            resultOps += u'≈';
        }
        for (std::size_t i = 0; i < result.size(); ++i) {
            items.push_back(result[i]);
            ops += resultOps[i];
        }
        Line line{Quantity::None, {math(rel(std::move(items), ops))}};
        if (!unit.text.empty()) line.parts.push_back(words(unit.text));
        lines_.push_back(std::move(line));
        if (!first_) first_ = Answer{value, unit.text, dimensionOf(asked.measure), unit.power};

        if (answer.parts.size() > 1) answer.parts.push_back(words(u","));
        std::vector<Formula> short_{sym(name)};
        short_.insert(short_.end(), result.begin(), result.end());
        answer.parts.push_back(math(rel(std::move(short_), resultOps)));
        if (!unit.text.empty()) answer.parts.push_back(words(unit.text));
    }

    // A measure as its formula gives it: in the task's length unit to its
    // power, a mass in grams (g/cm³ times cm³).
    struct Worked {
        Both value;
        std::u16string unit;
    };
    Worked workedIn(const Fact& asked, const TaskCylinder& c) const {
        const Both value = measureOf(asked.measure, c, result_.pi, result_.density);
        if (!result_.length) return {value, answerUnit(asked, result_).text};
        const int exponent = result_.length->exponent;
        if (asked.measure == Measure::Mass)
            return {value * toCubicCentimetres(), result_.length->cyrillic ? u"г" : u"g"};
        return {value, platform::unitText({dimensionOf(asked.measure), exponent, false,
                                           result_.length->cyrillic})};
    }

    // The V a mass takes, worked in the task's unit and given in cm³ where
    // that is another: "V = πr²h = π · 1² · 2 = 2π m³ = 2000000π cm³".
    void volumeInCubicCentimetres(const TaskCylinder& c) {
        if (!result_.length || result_.length->exponent == -2) return;
        const Both v = measureOf(Measure::V, c, result_.pi, result_.density);
        const Formula formula = measureFormula(Measure::V);
        Formula filled = formula;
        putIn(filled, c, Measure::V);
        lines_.push_back(
            {Quantity::None,
             {math(rel({sym(std::u16string(bookLetter(Measure::V))), formula, filled, valueForm(v)},
                       u"===")),
              words(platform::unitText({platform::Dimension::Volume, result_.length->exponent,
                                        false, result_.length->cyrillic})),
              math(rel({valueForm(v * toCubicCentimetres())}, u"=")),
              words(result_.length->cyrillic ? u"см³" : u"cm³")}});
    }

    // From the task's length unit cubed to cm³, which a density in g/cm³ takes.
    Both toCubicCentimetres() const {
        return powerOfTen(result_.length ? 3 * (result_.length->exponent + 2) : 0);
    }

    // The cylinder's r and h put in for their letters, and what a measure's
    // formula takes from them: the density and V of a mass (V in cm³),
    // r_max of s, ρ of the sphere around. "маса = ρV = 7,8 · 20π".
    void putIn(Formula& f, const TaskCylinder& c, Measure m) const {
        if (f.kind != Formula::Kind::Symbol) {
            for (Formula& item : f.items) putIn(item, c, m);
            return;
        }
        const auto of = [&](Measure x) { return measureOf(x, c, result_.pi, result_.density); };
        std::optional<Both> value;
        if (f.text == bookLetter(Measure::R))
            value = c.R;
        else if (f.text == bookLetter(Measure::H))
            value = c.H;
        else if (m == Measure::Mass && f.text == u"ρ")
            value = result_.density;
        else if (m == Measure::Mass && f.text == bookLetter(Measure::V))
            value = of(Measure::V) * toCubicCentimetres();
        else if (m == Measure::s && f.text == bookLetter(Measure::r))
            value = of(Measure::r);
        else if (m == Measure::Around && f.text == bookLetter(Measure::rho))
            value = of(Measure::rho);
        if (value) f = valueForm(*value);
    }

    // "Верният отговор е Б).": the option equal to the first answer, exactly
    // or to the places the option is written with, in the option's unit
    // ("0,14 dm³" for 45π cm³).
    Line option() const {
        for (const Option& o : task_.options) {
            Both value = first_->value;
            if (const auto& unit = o.value.unit) {
                const int power = static_cast<int>(unit->dimension) * unit->exponent;
                if (first_->power && unit->dimension == first_->dimension)
                    value = value * powerOfTen(*first_->power - power);
                else if (platform::unitText(*unit) != first_->unit)
                    continue;
            }
            if (matches(o.value, value))
                return {Quantity::None,
                        {words(std::u16string(text(Text::RightOption)) + o.label + u".")}};
        }
        return {Quantity::None, {words(text(Text::NoOption))}};
    }

    static bool matches(const platform::Reading& option, const Both& value) {
        if (option.exact.exact() && value.exact.exact() && option.exact == value.exact) return true;
        const auto ratio = option.exact.rational();
        if (!ratio) return false;
        // The places a decimal is written with: 10^places a multiple of its denominator.
        long long scale = 1;
        for (int places = 0; places <= 6; ++places, scale *= 10) {
            if (scale % static_cast<long long>(ratio->denominator()) != 0) continue;
            return platform::toFixed(value.value, places, u'.') ==
                   platform::toFixed(option.value, places, u'.');
        }
        return false;
    }

    struct Answer {
        Both value;
        std::u16string unit;
        platform::Dimension dimension;
        std::optional<int> power;  // as AnswerUnit's
    };

    const Task& task_;
    const TaskResult& result_;
    std::optional<Answer> first_;
    Rounding rounding_;
    std::vector<Line> lines_;
};

}  // namespace

std::vector<Line> explainTask(const Task& task, const TaskResult& result, Rounding rounding) {
    return Writer(task, result, rounding).run();
}

}  // namespace calc
