// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculationerror.h"

namespace platform {

const char* CalculationError::what() const noexcept {
    switch (failure_) {
        case Failure::DivisionByZero:
            return "division by zero";
        case Failure::Overflow:
            return "overflow";
        case Failure::InvalidArgument:
            return "invalid argument";
        case Failure::WrongUnit:
            return "wrong unit";
        case Failure::UnreadText:
            return "unread text";
    }
    return "calculation error";
}

}  // namespace platform
