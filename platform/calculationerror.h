// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace platform {

// The condition that stopped a calculation.
enum class Failure {
    DivisionByZero,   // any zero divisor, 0/0 included
    Overflow,         // a result outside the finite double range
    InvalidArgument,  // square root of a negative number
};

// Thrown by any checked step that fails; ends the current calculation.
// `quantity` names what was being computed or read when it is known
// (for example u"H"), and is empty otherwise.
class CalculationError : public std::exception {
public:
    explicit CalculationError(Failure failure) noexcept : failure_(failure) {}

    Failure failure() const noexcept { return failure_; }
    std::u16string_view quantity() const noexcept { return quantity_; }
    // Keeps the first name given: the innermost step knows best.
    // `reading` says the quantity's typed text could not be read, as
    // opposed to the quantity being computed.
    void nameQuantity(std::u16string_view quantity, bool reading = false) noexcept {
        if (!quantity_.empty()) return;
        quantity_ = quantity;
        reading_ = reading;
    }
    bool whileReading() const noexcept { return reading_; }

    const char* what() const noexcept override;

private:
    Failure failure_;
    std::u16string_view quantity_;  // always a literal: nothing to own
    bool reading_ = false;
};

// The user-facing Bulgarian text of an error: the condition, then the
// quantity when it is known.
// Example: Overflow computing "V" ->
//   u"Препълване: резултатът е извън допустимия обхват.\nНе може да се изчисли V."
std::u16string describe(const CalculationError& error);

// Interface for whoever tells the user; the window gets a message box,
// tests get a recorder.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void report(const CalculationError& error) = 0;
};

}  // namespace platform
