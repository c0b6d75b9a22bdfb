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

inline constexpr FaultKind kFaultKinds[] = {FaultKind::InvalidOperation, FaultKind::DivisionByZero,
                                            FaultKind::Overflow, FaultKind::ConversionOverflow,
                                            FaultKind::InvalidArgument};

class RuntimeFault : public std::exception {
public:
    explicit RuntimeFault(FaultKind kind) : kind_(kind) {}
    FaultKind kind() const noexcept { return kind_; }
    const char* what() const noexcept override;

private:
    FaultKind kind_;
};

// Raises the fault; kept out of line so the checks that call it stay small.
[[noreturn]] void raiseFault(FaultKind kind);

// The Russian wording of a fault, as the user reads it, e.g.
// "Ошибка выполнения: деление на ноль".
std::string faultMessage(FaultKind kind);
// The same words for what else can end a handler: memory running out, and
// any other exception (a fault of the program itself).
std::string outOfMemoryMessage();
std::string internalErrorMessage();

} // namespace viramont
