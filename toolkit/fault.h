#pragma once
// Run-time faults of the program's arithmetic and conversions.
//
// The handlers never catch these themselves: a fault ends the handler at
// once, whatever it already drew stays drawn, and the event boundary
// (guard.h) turns it into a message box that names the fault.

#include <exception>
#include <string>

namespace viramont {

enum class FaultKind {
    InvalidOperation,   // floating-point invalid operation (0/0, sin of infinity ...)
    DivisionByZero,     // floating-point division by zero
    Overflow,           // floating-point overflow, also beyond the 32-bit range
    ConversionOverflow, // a number does not fit the kind it is stored into
    InvalidArgument,    // e.g. the logarithm of a number that is not positive
};

class RuntimeFault : public std::exception {
public:
    explicit RuntimeFault(FaultKind kind) : kind_(kind) {}
    FaultKind kind() const noexcept { return kind_; }
    const char* what() const noexcept override;

private:
    FaultKind kind_;
};

// The Russian wording of a fault, as the user reads it, e.g.
// "Ошибка выполнения: деление на ноль".
std::string faultMessage(FaultKind kind);

} // namespace viramont
