// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculationerror.h"

namespace platform {

namespace {

std::u16string_view conditionText(Failure failure) {
    switch (failure) {
        case Failure::DivisionByZero:
            return u"Деление на нула.";
        case Failure::Overflow:
            return u"Препълване: резултатът е извън допустимия обхват.";
        case Failure::InvalidArgument:
            return u"Корен квадратен от отрицателно число.";
    }
    return u"Грешка при изчисляването.";
}

}  // namespace

const char* CalculationError::what() const noexcept {
    switch (failure_) {
        case Failure::DivisionByZero:
            return "division by zero";
        case Failure::Overflow:
            return "overflow";
        case Failure::InvalidArgument:
            return "invalid argument";
    }
    return "calculation error";
}

std::u16string describe(const CalculationError& error) {
    std::u16string text(conditionText(error.failure()));
    if (!error.quantity().empty()) {
        text += error.whileReading() ? u"\nВъведената стойност на " : u"\nНе може да се изчисли ";
        text += error.quantity();
        text += error.whileReading() ? u" не може да се представи като число." : u".";
    }
    return text;
}

}  // namespace platform
