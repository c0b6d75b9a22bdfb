#pragma once
// Run-time faults of the program's arithmetic and conversions, and the one
// place that words them for the pupil.
//
// The handlers never catch these to recover: a fault ends the handler at
// once, whatever it already drew stays drawn, and the event boundary
// (guard.h) shows its message in a box. A fault raised deep in the
// arithmetic knows only its kind; the code it passes on its way out (the
// plot, the intake) adds what stopped, where and why (FaultSite), so that
// the message can say, in plain Russian, which graph stopped, at which x,
// why, and what to change.

#include <cmath>
#include <exception>
#include <limits>
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

// What a fault stopped and why, as far as the code it passed knows.
struct FaultSite {
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

    enum class Part {
        Unknown,           // nothing known beyond the kind
        Field,             // reading a field; `subject` is its caption
        BaseAnswer,        // the base typed into the input box; `value` is the answer
        Scan,              // the plot's range scan, before anything is drawn
        BaseGraph,         // the blue graph
        TransformedGraph,  // the red graph
        Axes,
        Legend,
    };
    enum class Cause {
        Kind,              // only the kind is known
        NotRead,           // the fields were never read into the parameters
        Logarithm,         // the logarithm of `subject`, which is `value` <= 0 at x
        BaseOfOne,         // the logarithm to base 1
        NoBase,            // the base was never asked for
        TooLarge,          // a value beyond the numbers the program draws
        ArgumentTooLarge,  // sine or cosine of `subject`, beyond every number at x
        IntervalTooFar,    // the graph's interval reaches beyond those numbers
    };

    Part part = Part::Unknown;
    Cause cause = Cause::Kind;
    bool transformed = false;  // Scan: the red graph's value failed, not the blue one's
    std::string subject;       // a field's caption, or the expression that failed ("2x+5")
    double x = kNone;          // where the graph stopped
    double value = kNone;      // the value of `subject` there, or the base answered
    // The interval of the graphs and the shift b: the red graph runs from
    // start - b to end - b.
    double start = kNone, end = kNone, shift = kNone;
};

class RuntimeFault : public std::exception {
public:
    explicit RuntimeFault(FaultKind kind) : kind_(kind) {}
    RuntimeFault(FaultKind kind, FaultSite site) : kind_(kind), site_(std::move(site)) {}
    FaultKind kind() const noexcept { return kind_; }
    const FaultSite& site() const noexcept { return site_; }
    const char* what() const noexcept override;

private:
    FaultKind kind_;
    FaultSite site_;
};

// Raises the fault; kept out of line so the checks that call it stay small.
[[noreturn]] void raiseFault(FaultKind kind);

// The box of a fault: three lines, what stopped (and at which x), "Причина: "
// why, "Что изменить: " what to change.
std::string faultMessage(const RuntimeFault& fault);
// The same for a fault that knows nothing but its kind.
std::string faultMessage(FaultKind kind);
// Why, alone, as the picture's description tells where a graph stops:
// "логарифм не определён: 2x+5 = −3 ≤ 0".
std::string faultReason(const RuntimeFault& fault);
// What else can end a handler: memory running out, and any other exception
// (a fault of the program itself).
std::string outOfMemoryMessage();
std::string internalErrorMessage();

} // namespace viramont
