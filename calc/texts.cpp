// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts.h"

#include "cylinder.h"
#include "givens.h"

namespace calc {

namespace {

Text conditionText(platform::Failure failure) {
    switch (failure) {
        case platform::Failure::DivisionByZero:
            return Text::DivisionByZero;
        case platform::Failure::Overflow:
            return Text::Overflow;
        case platform::Failure::InvalidArgument:
            return Text::InvalidArgument;
        case platform::Failure::WrongUnit:
            return Text::WrongUnit;
        case platform::Failure::UnreadText:
            return Text::UnreadText;
    }
    return Text::UnknownFailure;
}

// How a message names a quantity: its letters, the sphere's surface in words.
std::u16string_view nameOf(Quantity q) {
    switch (q) {
        case Quantity::r:
            return u"r";
        case Quantity::s:
            return text(Text::SphereSurfaceName);
        case Quantity::rho:
            return u"ρ";
        case Quantity::S:
            return u"S";
        case Quantity::None:
            return {};
        default:
            return columnName(static_cast<Column>(q));
    }
}

}  // namespace

std::u16string describe(const platform::CalculationError& error) {
    std::u16string out(text(conditionText(error.failure())));
    const std::u16string_view name = nameOf(failedQuantity(error));
    if (!name.empty() && error.failure() == platform::Failure::WrongUnit) {
        constexpr Text Kinds[]{Text::LengthUnits, Text::AreaUnits, Text::VolumeUnits};
        out += u'\n';
        out += name;
        out += text(Kinds[static_cast<int>(dimensionOf(failedQuantity(error))) - 1]);
    } else if (!name.empty() && error.failure() == platform::Failure::UnreadText) {
        out += text(Text::TypedValueOf);
        out += name;
        out += text(Text::TextAfterNumber);
    } else if (!name.empty()) {
        out += text(error.whileReading() ? Text::TypedValueOf : Text::CannotCompute);
        out += name;
        out += error.whileReading() ? text(Text::IsNoNumber) : u".";
    }
    return out;
}

}  // namespace calc
