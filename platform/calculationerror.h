// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>

namespace platform {

// The condition that stopped a calculation.
enum class Failure {
    DivisionByZero,   // any zero divisor, 0/0 included
    Overflow,         // a result outside the finite double range
    InvalidArgument,  // square root of a negative number
    WrongUnit,        // a typed unit measures another kind than its quantity
    UnreadText,       // a typed text goes on past its number and unit: "5 литра", "5+2"
};

// Thrown by any checked step that fails; ends the current calculation.
// `quantity` is what was being computed or read when it is known, as an id
// the caller gives meaning to (calc's quantities), and NoQuantity otherwise.
// Example: CalculationError(Failure::Overflow).quantity() == NoQuantity.
class CalculationError : public std::exception {
public:
    static constexpr int NoQuantity = -1;

    explicit CalculationError(Failure failure) noexcept : failure_(failure) {}

    Failure failure() const noexcept { return failure_; }
    int quantity() const noexcept { return quantity_; }
    // Keeps the first id given: the innermost step knows best.
    // `reading` says the quantity's typed text could not be read, as
    // opposed to the quantity being computed.
    void nameQuantity(int quantity, bool reading = false) noexcept {
        if (quantity_ != NoQuantity) return;
        quantity_ = quantity;
        reading_ = reading;
    }
    bool whileReading() const noexcept { return reading_; }

    const char* what() const noexcept override;

private:
    Failure failure_;
    int quantity_ = NoQuantity;
    bool reading_ = false;
};

// Interface for whoever tells the user; the window gets a message box,
// tests get a recorder.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void report(const CalculationError& error) = 0;
};

}  // namespace platform
